#include "link/ipsettings/frmipsetting.h"

#include "base/ui/placeform.h"
#include "base/strings.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
namespace Txt {
constexpr int Caption = 9140;      // "IP設定"
constexpr int MixerValues = 9141;  // "ミキサーの設定値"
constexpr int Address = 9111;      // "IPアドレス"
constexpr int UserId = 9112;       // "ユーザーID"
constexpr int Dhcp = 9142;         // "DHCPクライアント"
constexpr int Off = 2913;
constexpr int On = 2912;
constexpr int Transfer = 9143;     // "ミキサーへ転送"
constexpr int Reset = 9144;        // "初期値設定"
} // namespace Txt
} // namespace

FrmIPSetting::FrmIPSetting(MdlComm &comm, PollHolds *pollHolds, Dialogs &dialogs, IniConfig &ini, bool writeAccess,
                           IpSettingsHooks hooks, RunJob runJob, QWidget *parent)
    : QDialog(parent), m_flow(comm, pollHolds, dialogs, ini, wrap(std::move(hooks), std::move(runJob), this)),
      m_frame(new QFrame(this))
{
    setObjectName(QStringLiteral("FrmIPSetting"));
    setWindowTitle(str(Txt::Caption));
    setModal(true);

    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFrameShape(QFrame::StyledPanel);
    const int labelIds[4] = {Txt::MixerValues, Txt::Address, Txt::UserId, Txt::Dhcp};
    for (int i = 0; i < 4; ++i) {
        m_labels[size_t(i)] = new QLabel(str(labelIds[i]), i == 0 ? static_cast<QWidget *>(this) : m_frame);
        m_labels[size_t(i)]->setObjectName(QStringLiteral("Label%1").arg(i));
    }
    for (int i = 0; i < 2; ++i) {
        m_texts[size_t(i)] = new QLineEdit(m_frame);
        m_texts[size_t(i)]->setObjectName(QStringLiteral("Text%1").arg(i));
        m_options[size_t(i)] = new QRadioButton(str(i == 0 ? Txt::Off : Txt::On), m_frame);
        m_options[size_t(i)]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_buttons[size_t(i)] = new QPushButton(str(i == 0 ? Txt::Transfer : Txt::Reset), m_frame);
        m_buttons[size_t(i)]->setObjectName(QStringLiteral("CmdJob%1").arg(i));
        m_buttons[size_t(i)]->setAutoDefault(false);
    }
    m_texts[1]->setMaxLength(MaxUserIdLength);
    auto *group = new QButtonGroup(this);
    group->addButton(m_options[0], 0);
    group->addButton(m_options[1], 1);
    m_options[0]->setChecked(true);

    auto *grid = new QGridLayout(m_frame);
    grid->addWidget(m_labels[1], 0, 0);
    grid->addWidget(m_texts[0], 0, 1, 1, 2);
    grid->addWidget(m_labels[2], 1, 0);
    grid->addWidget(m_texts[1], 1, 1, 1, 2);
    grid->addWidget(m_labels[3], 2, 0);
    grid->addWidget(m_options[0], 2, 1);
    grid->addWidget(m_options[1], 2, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttons[0]);
    buttons->addWidget(m_buttons[1]);
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_labels[0]);
    layout->addWidget(m_frame);
    setMinimumWidth(360);

    // Without write access nothing here may be changed, and Enter must not
    // trigger the transfer.
    m_buttons[0]->setDefault(writeAccess);
    m_frame->setEnabled(writeAccess);
    connect(m_buttons[0], &QPushButton::clicked, this, &FrmIPSetting::transfer);
    connect(m_buttons[1], &QPushButton::clicked, this, &FrmIPSetting::resetToDefaults);

    if (const std::optional<IpSettingsView> view = m_flow.load()) {
        m_options[view->dhcpOn ? 1 : 0]->setChecked(true);
        m_texts[0]->setText(view->address);
        m_texts[1]->setText(view->userId);
        m_loaded = true;
    }
}

IpSettingsHooks FrmIPSetting::wrap(IpSettingsHooks hooks, RunJob runJob, FrmIPSetting *self)
{
    hooks.runJob = [runJob = std::move(runJob), self](const IpJob &job) {
        return runJob ? runJob(job, self) : false;
    };
    hooks.hideWindows = [hide = std::move(hooks.hideWindows), self] {
        self->hide();
        if (hide)
            hide();
    };
    return hooks;
}

FrmIPSetting::~FrmIPSetting()
{
    if (!m_closed)
        m_flow.closed();
}

void FrmIPSetting::done(int r)
{
    m_closed = true;
    m_flow.closed();
    QDialog::done(r);
}

void FrmIPSetting::transfer()
{
    m_flow.setDialogGeometry(frameGeometry());
    if (m_flow.transfer(m_texts[0]->text(), m_texts[1]->text(), m_options[1]->isChecked()))
        accept();
}

void FrmIPSetting::resetToDefaults()
{
    m_flow.setDialogGeometry(frameGeometry());
    if (m_flow.reset())
        accept();
}

void runIpSettings(MdlComm &comm, PollHolds *pollHolds, Dialogs &dialogs, IniConfig &ini, bool writeAccess,
                   IpSettingsHooks hooks, FrmIPSetting::RunJob runJob, QWidget *main)
{
    FrmIPSetting dlg(comm, pollHolds, dialogs, ini, writeAccess, std::move(hooks), std::move(runJob), main);
    if (!dlg.loaded())
        return;
    dlg.adjustSize();
    PlaceForm(&dlg, main, PlaceMode::Centred);
    dlg.exec();
}
