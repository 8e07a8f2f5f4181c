#include "placement.h"

#include "app/strings.h"

#include <QString>

QPoint placeFormPosition(const QRect &main, const QSize &size, const QSize &screen, PlaceMode mode)
{
    if (mode == PlaceMode::Centred)
        return {main.left() + main.width() / 2 - size.width() / 2,
                main.top() + main.height() / 2 - size.height() / 2};
    int left = main.left();
    if (left + size.width() > screen.width())
        left = main.left() + main.width() - size.width();
    int top = main.top() + main.height();
    if (top + size.height() > screen.height())
        top = main.top() - size.height();
    return {left, top};
}

QString MixerName(int mixer)
{
    if (mixer == 1)
        return str(1902);
    if (mixer >= 2 && mixer <= 16)
        return str(1903) + QString::number(mixer - 1);
    return {};
}
