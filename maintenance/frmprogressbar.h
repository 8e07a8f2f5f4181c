#pragma once

// FrmProgressBar: shown while firmware travels to the mixer. Its label LblMsg
// says "ファイルを転送中です。" and "しばらくお待ち下さい。" on two lines; the bar
// below shows the image bytes handed to the link out of all there are to
// send (on RS-232C the acknowledged blocks), and the line under it the step
// under way: a target being prepared or sent, the wait for the mixer's
// answer once a whole image is out (up to 50 s, with the bar full), the
// mixer's restart at the end. The window is modal, runs the transfer once it
// is on screen and closes itself at the end.

#include "maintenance/mdldownload.h"

#include <QDialog>

#include <functional>

class Clock;
class QLabel;
class QProgressBar;

class FrmProgressBar : public QDialog
{
    Q_OBJECT
public:
    explicit FrmProgressBar(QWidget *parent = nullptr);

    QLabel *LblMsg() const { return m_label; }
    QProgressBar *bar() const { return m_bar; }
    QLabel *stepLabel() const { return m_step; }
    void showProgress(const DownloadProgress &p);
    // Closes the window once the transfer is over (nothing else closes it).
    void finish();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_label;
    QProgressBar *m_bar;
    QLabel *m_step;
    bool m_closing = false;
};

// MdlDownLoad's showProgress: places FrmProgressBar below `main` (kept on
// screen), shows it modally, runs `transfer` while the bar follows
// `progress`, and closes it. `onShown` (tests) sees the window once it is up.
bool runProgressWindow(QWidget *main, Clock &clock, const std::function<bool()> &transfer,
                       const std::function<DownloadProgress()> &progress,
                       const std::function<void(FrmProgressBar &)> &onShown = {});
