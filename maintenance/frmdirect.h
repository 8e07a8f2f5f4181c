#pragma once

// FrmDirect: reads or writes 1, 2 or 4 bytes at a 32-bit address of the
// attached mixer's memory (debug menu). The mode is fixed when the window
// opens. While it is open it holds the status poll, so that no status
// request comes between its accesses. Each access runs in the job window.

#include "base/pollhold.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
class Dialogs;

class FrmDirect : public QDialog
{
    Q_OBJECT
public:
    // Runs the access of `request`: the read data as eight hexadecimal
    // digits, empty after a write, nullopt when it failed.
    using RunAccess
        = std::function<std::optional<QString>(bool readMode, const QByteArray &request, QWidget *over)>;

    FrmDirect(bool readMode, PollHolds *pollHolds, Dialogs &dialogs, RunAccess run,
              QWidget *parent = nullptr);
    ~FrmDirect() override;

    bool readMode() const { return m_read; }
    QLineEdit *TxtAddress() const { return m_address; }
    QLineEdit *TxtData() const { return m_data; }
    QPushButton *CmdJob(int i) const { return i == 0 ? m_run : m_cancel; }
    QRadioButton *OpnSize(int i) const { return m_size[i]; }

    // CmdJob 0: normalises the texts, builds the request and runs it.
    void runAccess();

protected:
    void closeEvent(QCloseEvent *e) override;
    void done(int r) override;

private:
    void leave();

    bool m_read;
    std::optional<PollHold> m_pollHold;
    Dialogs &m_dialogs;
    RunAccess m_runAccess;
    QGroupBox *m_frameSize;
    QRadioButton *m_size[3];
    QLineEdit *m_address;
    QLineEdit *m_data;
    QPushButton *m_run;
    QPushButton *m_cancel;
    bool m_left = false;
};
