#pragma once

// A desktop tool can destroy a window outright instead of asking it to close
// (xdotool windowclose): the program then runs on without that window and
// with nothing on the screen to end it by. The watch notices the native
// window going, gives the window a new one, shown as it was, and closes it
// as its close box would, so that the window's own close handling decides:
// it asks, refuses or ends in order. A hidden window only drops the native
// window that is gone and gets a new one when it is shown next.

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QPointer>
#include <QWidget>

class WindowLossWatch final : public QAbstractNativeEventFilter
{
public:
    // Watches from now on: installed on the application until destroyed.
    WindowLossWatch();
    ~WindowLossWatch() override;

    // A top-level window to look after while it lives.
    void watch(QWidget *window);

    // A window's native window was destroyed from outside: a shown window
    // comes back and is asked to close. What the watch does after a loss.
    static void windowLost(QWidget *window);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QList<QPointer<QWidget>> m_windows;
};
