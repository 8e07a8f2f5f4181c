#include "base/ui/placeform.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

QRect screenAreaOf(const QWidget *window)
{
    const QScreen *screen = window ? window->screen() : nullptr;
    return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

void PlaceForm(QWidget *window, const QWidget *main, PlaceMode mode)
{
    if (!window || !main)
        return;
    window->move(placeFormPosition(main->frameGeometry(), frameSizeOf(window), screenAreaOf(main), mode));
}

QSize frameSizeOf(const QWidget *window)
{
    QSize size = window->frameGeometry().size();
    // A window never shown has no frame yet: allow for the title bar the
    // window system will add, so that its bottom edge stays on the screen too.
    if (window->isWindow() && window->frameGeometry() == window->geometry())
        size.rheight() += window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return size;
}

void bringForward(QWidget *window)
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}
