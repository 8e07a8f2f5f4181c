#pragma once

// FrmIPSetting: shows and changes the network settings the mixer keeps. The
// decisions are IpSettingsFlow's; this window shows and forwards.

#include "link/ipsettings/ipsettings.h"

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class FrmIPSetting : public QDialog
{
    Q_OBJECT
public:
    // Runs a job in the job window centred over `over`.
    using RunJob = std::function<bool(const IpJob &job, QWidget *over)>;

    // The settings are read at once; when that fails loaded() is false and
    // the dialog is not to be shown. hooks.runJob is replaced by `runJob`
    // over this dialog; over Ethernet the dialog hides itself before the job.
    FrmIPSetting(MdlComm &comm, PollHolds *pollHolds, Dialogs &dialogs, IniConfig &ini, bool writeAccess,
                 IpSettingsHooks hooks, RunJob runJob, QWidget *parent = nullptr);
    ~FrmIPSetting() override;

    bool loaded() const { return m_loaded; }
    QLineEdit *Text(int i) const { return m_texts[size_t(i)]; }
    QRadioButton *Option1(int i) const { return m_options[size_t(i)]; }
    QPushButton *CmdJob(int i) const { return m_buttons[size_t(i)]; }
    QFrame *Frame1() const { return m_frame; }

protected:
    void done(int r) override;

private:
    static IpSettingsHooks wrap(IpSettingsHooks hooks, RunJob runJob, FrmIPSetting *self);
    void transfer();
    void resetToDefaults();

    IpSettingsFlow m_flow;
    QFrame *m_frame;
    std::array<QLabel *, 4> m_labels{};
    std::array<QRadioButton *, 2> m_options{};
    std::array<QLineEdit *, 2> m_texts{};
    std::array<QPushButton *, 2> m_buttons{};
    bool m_loaded = false;
    bool m_closed = false;
};

// The job loop's showIpSettings: reads the settings and, when they arrived,
// shows the dialog modally, centred on `main`. The poll is held while it is open.
void runIpSettings(MdlComm &comm, PollHolds *pollHolds, Dialogs &dialogs, IniConfig &ini, bool writeAccess,
                   IpSettingsHooks hooks, FrmIPSetting::RunJob runJob, QWidget *main);
