#include "printlayout.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>

namespace {
constexpr qint64 ScaleUnit = 10000; // the scale is kept to four decimal places

// The left (or top) edge that keeps a span of `length` inside [low, high),
// nearest to `wanted`; the low edge when the span is longer than the room.
int clampEdge(int wanted, int length, int low, int high)
{
    return std::max(low, std::min(wanted, high - length));
}
} // namespace

QSize printableSize(const QSize &physical, const QRect &page)
{
    return {std::min(physical.width() - 2 * page.left(), page.width()),
            std::min(physical.height() - 2 * page.top(), page.height())};
}

int fitScale(const QSize &window, const QSize &printable)
{
    if (window.isEmpty() || printable.isEmpty())
        return 0;
    const qint64 byWidth = qint64(printable.width()) * ScaleUnit / window.width();
    const qint64 byHeight = qint64(printable.height()) * ScaleUnit / window.height();
    return int(std::min({byWidth, byHeight, qint64(INT_MAX)}));
}

QRect pagePlacement(const QSize &window, const QSize &printable)
{
    const qint64 scale = fitScale(window, printable);
    const int width = int(window.width() * scale / ScaleUnit);
    const int height = int(window.height() * scale / ScaleUnit);
    if (width <= 0 || height <= 0)
        return {};
    return {(printable.width() - width) / 2, (printable.height() - height) / 2, width, height};
}

QPoint onScreenPosition(const QRect &window, const QRect &screen, const QRect &main)
{
    if (screen.contains(window))
        return window.topLeft();
    const int w = window.width();
    const int h = window.height();
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    auto alongX = [&](int x) { return clampEdge(x, w, screen.left(), screenRight); };
    auto alongY = [&](int y) { return clampEdge(y, h, screen.top(), screenBottom); };
    if (!main.isEmpty()) {
        const QPoint beside[] = {
            {alongX(main.left()), main.top() - h},             // above
            {main.left() - w, alongY(main.top())},             // left
            {main.left() + main.width(), alongY(main.top())},  // right
            {alongX(main.left()), main.top() + main.height()}, // below
        };
        for (const QPoint &p : beside)
            if (screen.contains(QRect(p, window.size())))
                return p;
    }
    return {alongX(window.left()), alongY(window.top())};
}
