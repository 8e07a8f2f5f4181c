#pragma once

// 会議設定: the meeting's rules, set for the panel. How many delegates may
// speak at once (制限なし, 1..32) and what a further press meets (拒否 or
// 先着順); the speaking-time limit (制限なし, 1..60 min), its warning in
// seconds before the end, and what happens at the end (表示のみ or オフにする).

#include "settings/meetingsetup.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

class FrmMeetingSetting : public QDialog
{
    Q_OBJECT

public:
    FrmMeetingSetting(const MeetingSettings &settings, QWidget *parent = nullptr);

    // The values as they stand in the fields.
    MeetingSettings settings() const;

    QSpinBox *micLimit() const { return m_micLimit; }
    QComboBox *micMode() const { return m_micMode; }
    QSpinBox *speakingMinutes() const { return m_minutes; }
    QSpinBox *warningSeconds() const { return m_warning; }
    QComboBox *atEnd() const { return m_atEnd; }

private:
    // Fields that mean nothing without their limit are greyed.
    void followLimits();

    QSpinBox *m_micLimit = nullptr;
    QComboBox *m_micMode = nullptr;
    QSpinBox *m_minutes = nullptr;
    QSpinBox *m_warning = nullptr;
    QComboBox *m_atEnd = nullptr;
};
