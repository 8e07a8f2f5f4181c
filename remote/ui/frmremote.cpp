#include "remote/ui/frmremote.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "remote/ui/qrcodeview.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A read-only field the user can select and copy from.
QLineEdit *shownText(const QString &accessibleName)
{
    auto *e = new QLineEdit;
    e->setReadOnly(true);
    e->setAccessibleName(accessibleName);
    e->setMinimumWidth(360);
    return e;
}

QString plainLabel(int id)
{
    QString s = str(id);
    s.remove(QLatin1Char('&'));
    return s.endsWith(u':') ? s.chopped(1) : s;
}

} // namespace

FrmRemote::FrmRemote(RemoteSettings settings, Dialogs &dialogs, Hooks hooks, QWidget *parent)
    : QDialog(parent), m_settings(std::move(settings)), m_dialogs(dialogs), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("FrmRemote"));
    setWindowTitle(str(12400));
    makeControls();
    layOut();

    chkRemoteEnable->setChecked(m_settings.enabled);
    txtRemoteAddress->setText(m_settings.address);
    updRemotePort->setValue(m_settings.port);
    txtCertificate->setText(m_settings.certificateFile);
    txtKey->setText(m_settings.keyFile);
    chkControlEnable->setChecked(m_settings.controlEnabled);
    updControlPort->setValue(m_settings.controlPort);
    showTokens();
    refreshState();
    wireButtons();
}

void FrmRemote::makeControls()
{
    chkRemoteEnable = new QCheckBox(str(12401));
    chkRemoteEnable->setAccessibleName(plainLabel(12401));
    txtRemoteAddress = new QLineEdit;
    txtRemoteAddress->setAccessibleName(plainLabel(12402));
    updRemotePort = new QSpinBox;
    updRemotePort->setRange(1, 65535);
    updRemotePort->setAccessibleName(plainLabel(12403));
    txtOperateToken = shownText(plainLabel(12404));
    txtWatchToken = shownText(plainLabel(12405));
    cmdRenewTokens = new QPushButton(str(12406));
    cmdRenewTokens->setAccessibleName(plainLabel(12406));
    txtCertificate = new QLineEdit;
    txtCertificate->setAccessibleName(plainLabel(12407));
    txtKey = new QLineEdit;
    txtKey->setAccessibleName(plainLabel(12408));
    m_cmdCertificate = new QPushButton(str(12417));
    m_cmdCertificate->setAccessibleName(str(12440));
    m_cmdKey = new QPushButton(str(12417));
    m_cmdKey->setAccessibleName(str(12441));
    txtOpenAddress = shownText(plainLabel(12409));
    txtWatchAddress = shownText(plainLabel(12433));
    picQrCode = new QrCodeView;
    picQrCode->setAccessibleName(str(12437));
    lblRemoteState = new QLabel;
    lblRemoteState->setAccessibleName(plainLabel(12400));
    lblCommandLine = new QLabel;
    lblCommandLine->setWordWrap(true);
    lblCommandLine->hide();
    chkControlEnable = new QCheckBox(str(14603));
    chkControlEnable->setAccessibleName(plainLabel(14603));
    updControlPort = new QSpinBox;
    updControlPort->setRange(1, 65535);
    updControlPort->setAccessibleName(plainLabel(14604));
    lblControlState = new QLabel;
    lblControlState->setAccessibleName(plainLabel(14603));
    cmdApply = new QPushButton(str(12436));
    cmdApply->setAccessibleName(plainLabel(12436));
    cmdClose = new QPushButton(str(12418));
    cmdClose->setAccessibleName(str(12418));
}

void FrmRemote::layOut()
{
    auto *form = new QFormLayout;
    auto label = [&](int id, QWidget *buddy) {
        auto *l = new QLabel(str(id));
        l->setBuddy(buddy);
        form->addRow(l, buddy);
    };
    form->addRow(chkRemoteEnable);
    label(12402, txtRemoteAddress);
    label(12403, updRemotePort);
    label(12404, txtOperateToken);
    label(12405, txtWatchToken);
    form->addRow(QString(), cmdRenewTokens);
    auto fileRow = [&](int id, QLineEdit *edit, QPushButton *browse) {
        auto *row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(browse);
        auto *l = new QLabel(str(id));
        l->setBuddy(edit);
        form->addRow(l, row);
    };
    fileRow(12407, txtCertificate, m_cmdCertificate);
    fileRow(12408, txtKey, m_cmdKey);
    label(12409, txtOpenAddress);
    label(12433, txtWatchAddress);
    form->addRow(chkControlEnable);
    label(14604, updControlPort);
    form->addRow(lblControlState);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblRemoteState, 1);
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdClose);
    auto *top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addWidget(picQrCode);
    auto *all = new QVBoxLayout(this);
    all->addWidget(lblCommandLine);
    all->addLayout(top);
    all->addLayout(buttons);
}

void FrmRemote::wireButtons()
{
    connect(cmdRenewTokens, &QPushButton::clicked, this, &FrmRemote::renewTokens);
    connect(cmdApply, &QPushButton::clicked, this, &FrmRemote::applyFields);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdCertificate, &QPushButton::clicked, this, [this] {
        const QString f = m_dialogs.openFileName(str(12440), txtCertificate->text(), QStringLiteral("PEM (*.pem *.crt)"));
        if (!f.isEmpty())
            txtCertificate->setText(f);
    });
    connect(m_cmdKey, &QPushButton::clicked, this, [this] {
        const QString f = m_dialogs.openFileName(str(12441), txtKey->text(), QStringLiteral("PEM (*.pem *.key)"));
        if (!f.isEmpty())
            txtKey->setText(f);
    });
}

QString FrmRemote::openAddress(const RemoteSettings &settings, quint16 port, const QByteArray &token)
{
    QHostAddress host(settings.address);
    if (host == QHostAddress::AnyIPv4 || host == QHostAddress::Any || host == QHostAddress::AnyIPv6) {
        // Listening everywhere: the tablet needs an address it can reach.
        host = QHostAddress(QHostAddress::LocalHost);
        for (const QHostAddress &a : QNetworkInterface::allAddresses()) {
            if (!a.isLoopback() && a.protocol() == QAbstractSocket::IPv4Protocol) {
                host = a;
                break;
            }
        }
    }
    QString text = host.toString();
    if (host.protocol() == QAbstractSocket::IPv6Protocol)
        text = u'[' + text + u']';
    return QStringLiteral("%1://%2:%3/?token=%4")
        .arg(settings.https() ? QStringLiteral("https") : QStringLiteral("http"), text)
        .arg(port)
        .arg(QString::fromLatin1(token));
}

void FrmRemote::takeFields()
{
    m_settings.enabled = chkRemoteEnable->isChecked();
    m_settings.address = txtRemoteAddress->text().trimmed();
    m_settings.port = quint16(updRemotePort->value());
    m_settings.certificateFile = txtCertificate->text().trimmed();
    m_settings.keyFile = txtKey->text().trimmed();
    // The command line's line control is not kept: the stored choice stays.
    if (!m_controlCommandLine) {
        m_settings.controlEnabled = chkControlEnable->isChecked();
        m_settings.controlPort = quint16(updControlPort->value());
    }
}

void FrmRemote::showCommandLine(const QString &why)
{
    m_commandLine = true;
    for (QWidget *w : std::initializer_list<QWidget *>{chkRemoteEnable, txtRemoteAddress, updRemotePort, cmdRenewTokens,
                                                       txtCertificate, txtKey, m_cmdCertificate, m_cmdKey, cmdApply})
        w->setEnabled(false);
    lblCommandLine->setText(why);
    lblCommandLine->setAccessibleName(why);
    lblCommandLine->show();
    chkRemoteEnable->setChecked(true);
    txtRemoteAddress->setText(m_settings.address);
    updRemotePort->setValue(m_settings.port);
    showTokens();
    refreshState();
}

void FrmRemote::showControlCommandLine(const QString &why)
{
    m_controlCommandLine = true;
    chkControlEnable->setChecked(true);
    chkControlEnable->setEnabled(false);
    updControlPort->setEnabled(false);
    lblControlState->setToolTip(why);
    lblControlState->setAccessibleDescription(why);
    refreshState();
}

void FrmRemote::applyFields()
{
    if (m_commandLine)
        return; // the command line's server is not this dialog's to change
    takeFields();
    if (QHostAddress(m_settings.address).isNull()) {
        m_dialogs.message(str(12413).arg(m_settings.address), MsgButtons::Ok, MsgIcon::Warning, str(StrId::AppTitle));
        txtRemoteAddress->setFocus();
        return;
    }
    m_settings.save();
    const QString error = m_hooks.apply ? m_hooks.apply(m_settings) : QString();
    if (!error.isEmpty())
        m_dialogs.message(error, MsgButtons::Ok, MsgIcon::Warning, str(StrId::AppTitle));
    refreshState();
}

void FrmRemote::renewTokens()
{
    if (m_commandLine)
        return; // its tokens are the file's
    const bool running = m_hooks.listeningPort && m_hooks.listeningPort() != 0;
    if (running && m_dialogs.message(str(12439), MsgButtons::YesNo, MsgIcon::Question, str(StrId::AppTitle))
                       != MsgAnswer::Yes)
        return;
    m_settings.tokens = RemoteTokens::generate();
    m_settings.save();
    showTokens();
    if (running && m_hooks.apply)
        m_hooks.apply(m_settings);
    refreshState();
}

void FrmRemote::showTokens()
{
    txtOperateToken->setText(QString::fromLatin1(m_settings.tokens.operate));
    txtWatchToken->setText(QString::fromLatin1(m_settings.tokens.watch));
}

void FrmRemote::refreshState()
{
    const quint16 controlPort = m_hooks.controlPort ? m_hooks.controlPort() : 0;
    lblControlState->setText(controlPort == 0 ? str(14606)
                                              : str(14605).arg(controlPort).arg(m_hooks.controlClients
                                                                                    ? m_hooks.controlClients()
                                                                                    : 0));
    const quint16 port = m_hooks.listeningPort ? m_hooks.listeningPort() : 0;
    if (port == 0) {
        lblRemoteState->setText(str(12416));
        txtOpenAddress->clear();
        txtWatchAddress->clear();
        picQrCode->setText({});
        return;
    }
    const QString open = openAddress(m_settings, port, m_settings.tokens.operate);
    txtOpenAddress->setText(open);
    txtWatchAddress->setText(openAddress(m_settings, port, m_settings.tokens.watch));
    // The start of an address says where; the token is what runs off the edge.
    txtOpenAddress->setCursorPosition(0);
    txtWatchAddress->setCursorPosition(0);
    picQrCode->setText(open);
    lblRemoteState->setText(str(12438).arg(m_hooks.clients ? m_hooks.clients() : 0));
}
