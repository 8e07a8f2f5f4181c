#include "panel/ui/frmmeetingsetting.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "panel/ui/dialoglook.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace {
namespace SettingRes {
constexpr int Title = 14419;       // "会議設定"
constexpr int Refuse = 14417;      // "拒否"
constexpr int Fifo = 14418;        // "先着順"
constexpr int MicLimit = 14430;    // "同時に発言できる代表者数"
constexpr int NoLimit = 14431;     // "制限なし"
constexpr int WhenFull = 14432;    // "上限に達したとき"
constexpr int Speaking = 14433;    // "発言時間の上限"
constexpr int Minutes = 14434;     // "分"
constexpr int Warning = 14435;     // "予告"
constexpr int SecondsBefore = 14436; // "秒前"
constexpr int AtEnd = 14437;       // "終了時"
constexpr int MarkOnly = 14438;    // "表示のみ"
constexpr int SwitchOff = 14439;   // "オフにする"
} // namespace SettingRes

QLabel *meetingFieldLabel(int id, QWidget *field, QWidget *parent)
{
    auto *l = new QLabel(str(id), parent);
    tieLabel(l, field);
    return l;
}

} // namespace

FrmMeetingSetting::FrmMeetingSetting(const MeetingSettings &settings, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMeetingSetting"));
    setWindowTitle(str(SettingRes::Title));
    const MeetingSettings v = settings.bounded();

    m_micLimit = new QSpinBox(this);
    m_micLimit->setObjectName(QStringLiteral("spnMicLimit"));
    m_micLimit->setRange(0, MeetingSettings::MaxMicLimit);
    m_micLimit->setSpecialValueText(str(SettingRes::NoLimit));
    m_micLimit->setValue(v.micLimit);
    m_micMode = new QComboBox(this);
    m_micMode->setObjectName(QStringLiteral("cmbMicMode"));
    m_micMode->addItem(str(SettingRes::Refuse), int(MicLimitMode::Refuse));
    m_micMode->addItem(str(SettingRes::Fifo), int(MicLimitMode::Fifo));
    m_micMode->setCurrentIndex(m_micMode->findData(int(v.micMode)));

    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName(QStringLiteral("spnSpeakingLimit"));
    m_minutes->setRange(0, MeetingSettings::MaxSpeakingLimit / 60);
    m_minutes->setSpecialValueText(str(SettingRes::NoLimit));
    m_minutes->setSuffix(u' ' + str(SettingRes::Minutes));
    m_minutes->setValue(v.speakingLimit / 60);
    m_warning = new QSpinBox(this);
    m_warning->setObjectName(QStringLiteral("spnWarning"));
    m_warning->setRange(0, 600);
    m_warning->setSuffix(u' ' + str(SettingRes::SecondsBefore));
    m_warning->setValue(v.warning);
    m_atEnd = new QComboBox(this);
    m_atEnd->setObjectName(QStringLiteral("cmbAtEnd"));
    m_atEnd->addItem(str(SettingRes::MarkOnly), int(SpeakingEnd::Mark));
    m_atEnd->addItem(str(SettingRes::SwitchOff), int(SpeakingEnd::SwitchOff));
    m_atEnd->setCurrentIndex(m_atEnd->findData(int(v.atEnd)));

    auto *form = new QFormLayout;
    form->addRow(meetingFieldLabel(SettingRes::MicLimit, m_micLimit, this), m_micLimit);
    form->addRow(meetingFieldLabel(SettingRes::WhenFull, m_micMode, this), m_micMode);
    form->addRow(meetingFieldLabel(SettingRes::Speaking, m_minutes, this), m_minutes);
    form->addRow(meetingFieldLabel(SettingRes::Warning, m_warning, this), m_warning);
    form->addRow(meetingFieldLabel(SettingRes::AtEnd, m_atEnd, this), m_atEnd);
    layOutWithOkCancel(*this, form);
    applyDialogLook(*this);

    connect(m_micLimit, &QSpinBox::valueChanged, this, &FrmMeetingSetting::followLimits);
    connect(m_minutes, &QSpinBox::valueChanged, this, &FrmMeetingSetting::followLimits);
    followLimits();
}

void FrmMeetingSetting::followLimits()
{
    m_micMode->setEnabled(m_micLimit->value() > 0);
    const bool timed = m_minutes->value() > 0;
    m_warning->setEnabled(timed);
    m_atEnd->setEnabled(timed);
}

MeetingSettings FrmMeetingSetting::settings() const
{
    MeetingSettings s;
    s.micLimit = m_micLimit->value();
    s.micMode = MicLimitMode(m_micMode->currentData().toInt());
    s.speakingLimit = m_minutes->value() * 60;
    s.warning = m_warning->value();
    s.atEnd = SpeakingEnd(m_atEnd->currentData().toInt());
    return s.bounded();
}
