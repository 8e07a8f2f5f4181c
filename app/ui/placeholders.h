#pragma once

// Stand-ins for windows that are not built yet. Each keeps the JobRequest
// transitions of the window it stands for, so the job loop behaves as it will
// with the real one, and tells the user that the function is not available.

#include "base/loopstate.h"
#include "panel/channeldialogseam.h"
#include "panel/panelmodel.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class QLabel;

// A small window with one line of text and a close button.
class PlaceholderWindow : public QDialog
{
    Q_OBJECT
public:
    PlaceholderWindow(const QString &objectName, const QString &title, QWidget *parent = nullptr);
    std::function<void()> onClosed;

protected:
    void done(int r) override;
    void closeEvent(QCloseEvent *e) override;

private:
    bool m_closed = false;
};

// Stands in for the channel and output settings dialogs (frmChSetting,
// frmOutputSetting) that a right click on a panel button opens: a small
// window naming the mixer and channel, reporting when it closes.
ChannelDialogSeam channelDialogStandIn();
