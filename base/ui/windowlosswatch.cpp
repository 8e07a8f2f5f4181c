#include "base/ui/windowlosswatch.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

namespace {

// DestroyNotify of the X11 core protocol as xcb delivers it: which window is gone.
constexpr quint8 XcbDestroyNotify = 17;
struct XcbDestroyNotifyEvent
{
    quint8 responseType;
    quint8 pad0;
    quint16 sequence;
    quint32 event;
    quint32 window;
};

} // namespace

WindowLossWatch::WindowLossWatch()
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowLossWatch::~WindowLossWatch()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void WindowLossWatch::watch(QWidget *window)
{
    m_windows.removeAll(nullptr);
    if (!m_windows.contains(window))
        m_windows.append(window);
}

bool WindowLossWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto *event = static_cast<const XcbDestroyNotifyEvent *>(message);
    if ((event->responseType & 0x7f) != XcbDestroyNotify)
        return false;
    for (const QPointer<QWidget> &w : std::as_const(m_windows)) {
        // Only the native window the widget has now: one the program itself
        // replaced or destroyed is told of after the fact and matches no more.
        if (w && w->internalWinId() == WId(event->window)) {
            // Not from inside the event: the platform window is replaced.
            QTimer::singleShot(0, w.data(), [w] {
                if (w)
                    windowLost(w);
            });
        }
    }
    return false;
}

void WindowLossWatch::windowLost(QWidget *window)
{
    const bool shown = window->isVisible();
    const Qt::WindowStates state = window->windowState();
    // The platform window still names the native one that is gone: it goes
    // too, and showing the widget again makes a new one. A hidden window
    // gets its new one when it is shown next.
    window->hide();
    if (QWindow *handle = window->windowHandle())
        handle->destroy();
    if (!shown)
        return;
    window->setWindowState(state);
    window->show();
    window->raise();
    window->activateWindow();
    window->close();
}
