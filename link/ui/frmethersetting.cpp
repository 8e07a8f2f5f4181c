#include "link/ui/frmethersetting.h"

#include "base/config.h"
#include "base/strings.h"
#include "link/search/searchtexts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmEtherSetting::FrmEtherSetting(Clock &clock, Dialogs &dialogs, IniConfig &ini,
                                 QString connectAddress, QWidget *parent)
    : QDialog(parent), m_flow(clock, dialogs, ini, std::move(connectAddress))
{
    setObjectName(QStringLiteral("FrmEtherSetting"));
    setWindowTitle(str(SearchStr::Caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const EtherTargetTexts initial = initialEtherTargetTexts(ini);
    const int labelIds[2] = {SearchStr::AddressLabel, SearchStr::UserIdLabel};
    const QString texts[2] = {initial.address, initial.userId};
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(str(labelIds[i]), this);
        label->setObjectName(QStringLiteral("Label_%1").arg(i));
        auto *edit = new QLineEdit(texts[i], this);
        edit->setObjectName(QStringLiteral("Text_%1").arg(i));
        edit->setMinimumWidth(200);
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        m_labels[size_t(i)] = label;
        m_texts[size_t(i)] = edit;
    }

    const int buttonIds[2] = {SearchStr::SearchButton, SearchStr::ConnectButton};
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addStretch(1);
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(str(buttonIds[i]), this);
        b->setObjectName(QStringLiteral("CmdJob_%1").arg(i));
        b->setMinimumWidth(104);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { clicked(Button(i)); });
        m_buttons[size_t(i)] = b;
        row->addWidget(b);
    }
    // Enter starts communication with the address shown.
    m_buttons[ConnectButton]->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(grid);
    layout->addLayout(row);

    m_flow.onSearchRunning = [this](bool running) { setControlsEnabled(!running); };
    setFixedSize(sizeHint());
}

void FrmEtherSetting::clicked(Button which)
{
    const QString address = m_texts[0]->text();
    const QString userId = m_texts[1]->text();
    const bool accepted = which == ConnectButton ? m_flow.connectClicked(address, userId)
                                                 : m_flow.searchClicked(userId);
    if (accepted)
        accept();
}

void FrmEtherSetting::setControlsEnabled(bool enabled)
{
    for (QLabel *l : m_labels)
        l->setEnabled(enabled);
    for (QLineEdit *t : m_texts)
        t->setEnabled(enabled);
    for (QPushButton *b : m_buttons)
        b->setEnabled(enabled);
}

void FrmEtherSetting::closeEvent(QCloseEvent *event)
{
    // The search waits inside a click; the window stays until it has ended.
    if (m_flow.searching()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmEtherSetting::keyPressEvent(QKeyEvent *event)
{
    if (m_flow.searching() && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString chooseEthernetTarget(Clock &clock, Dialogs &dialogs, IniConfig &ini, bool &userChose,
                             QWidget *parent, QString *connectAddress,
                             const std::function<void(QWidget &dialog)> &place)
{
    FrmEtherSetting dialog(clock, dialogs, ini, connectAddress ? *connectAddress : QString(), parent);
    if (place) {
        dialog.adjustSize();
        place(dialog);
    }
    dialog.exec();
    const QString address = dialog.target(userChose);
    if (connectAddress)
        *connectAddress = dialog.flow().connectAddress();
    return address;
}
