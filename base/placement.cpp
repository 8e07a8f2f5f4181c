#include "placement.h"

#include "base/strings.h"

#include <QString>

#include <algorithm>

QPoint placeFormPosition(const QRect &main, const QSize &size, const QRect &screen, PlaceMode mode)
{
    if (mode == PlaceMode::Centred)
        return keepOnScreen({QPoint(main.left() + main.width() / 2 - size.width() / 2,
                                    main.top() + main.height() / 2 - size.height() / 2),
                             size},
                            screen);
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    int left = main.left();
    if (left + size.width() > screenRight)
        left = main.left() + main.width() - size.width();
    int top = main.top() + main.height();
    if (top + size.height() > screenBottom)
        top = main.top() - size.height();
    return keepOnScreen({QPoint(left, top), size}, screen);
}

QPoint keepOnScreen(const QRect &window, const QRect &screen)
{
    // Right and bottom edges first, so that a window larger than the screen
    // ends with its top-left corner on it.
    int left = std::min(window.left(), screen.left() + screen.width() - window.width());
    int top = std::min(window.top(), screen.top() + screen.height() - window.height());
    left = std::max(left, screen.left());
    top = std::max(top, screen.top());
    return {left, top};
}

QString MixerName(int mixer)
{
    if (mixer == 1)
        return str(1902);
    if (mixer >= 2 && mixer <= 16)
        return joinWords(str(1903), QString::number(mixer - 1));
    return {};
}

QPoint editorBesideMain(const QRect &main, const QRect &editor, int screenWidth)
{
    QPoint p = editor.topLeft();
    if (editor.height() < main.top())
        p.setY(main.top() - editor.height());
    else if (editor.width() < main.left())
        p.setX(main.left() - editor.width());
    else if (main.left() + main.width() + editor.width() < screenWidth)
        p.setX(main.left() + main.width());
    else
        p.setY(main.top() + main.height());
    return p;
}

std::vector<QPoint> cascadePositions(int count, const QSize &main, int editorHeight, int screenHeight)
{
    constexpr int Step = 270 / 15; // 270 twips
    std::vector<QPoint> out;
    int left = 0;
    int top = main.height();
    for (int i = 0; i < count; ++i) {
        out.emplace_back(left, top);
        left += Step;
        top += Step;
        if (editorHeight + top > screenHeight) {
            top = 0;
            left = std::max(left, main.width());
        }
    }
    return out;
}
