#include "editor/ui/levelpictures.h"

#include "editor/editorrules.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {
constexpr int Lamps = LevelPictureCount - 1;
constexpr int LampWidth = 2;
constexpr int LampGap = 1;
constexpr int Height = 12;
constexpr int Border = 1;
// The top lamps warn like a meter's: yellow from -10 dB (picture 16), red
// for the last three steps to 0 dB.
constexpr int YellowFrom = 16;
constexpr int RedFrom = 28;

QPixmap draw(int lit)
{
    QPixmap p(levelPictureSize());
    p.fill(QColor(0x20, 0x24, 0x28));
    QPainter painter(&p);
    for (int i = 0; i < Lamps; ++i) {
        QColor c;
        if (i < RedFrom)
            c = i < YellowFrom ? QColor(0x2e, 0xc2, 0x4a) : QColor(0xf2, 0xc8, 0x1f);
        else
            c = QColor(0xe8, 0x3a, 0x2c);
        if (i >= lit)
            c = c.darker(330);
        painter.fillRect(Border + LampGap + i * (LampWidth + LampGap), Border + 1, LampWidth,
                         Height - 2 * (Border + 1), c);
    }
    painter.setPen(QColor(0x80, 0x86, 0x8c));
    painter.drawRect(0, 0, p.width() - 1, p.height() - 1);
    return p;
}
} // namespace

QSize levelPictureSize()
{
    return {2 * Border + LampGap + Lamps * (LampWidth + LampGap), Height};
}

const QPixmap &levelImage(int index)
{
    static const std::array<QPixmap, LevelPictureCount> pictures = [] {
        std::array<QPixmap, LevelPictureCount> a;
        for (int i = 0; i < LevelPictureCount; ++i)
            a[size_t(i)] = draw(i);
        return a;
    }();
    return pictures[size_t(std::clamp(index, 0, LevelPictureCount - 1))];
}
