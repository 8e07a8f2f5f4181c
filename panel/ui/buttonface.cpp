#include "panel/ui/buttonface.h"

#include "base/strings.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

QFont captionFont(const ButtonSlot &slot)
{
    QFont f(slot.IconFontName);
    f.setPointSize(qMax<int>(1, slot.IconFontSize));
    f.setBold(slot.IconFontBold);
    f.setItalic(slot.IconFontItalic);
    return f;
}

MeasureText widgetMeasure(const TwipScale &scale)
{
    return [scale](const QString &text, const ButtonSlot &slot) {
        const QFontMetricsF metrics(captionFont(slot));
        const QStringList lines = captionLines(text);
        double width = 0;
        for (const QString &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        const double height = metrics.lineSpacing() * lines.size();
        return QSizeF(width * scale.twipsPerPixel, height * scale.twipsPerPixel);
    };
}

void paintCaption(QPainter &painter, const QRect &rect, const ButtonSlot &slot, const QColor &text,
                  const QString &stateLine)
{
    QStringList lines = captionLines(slot.IconText);
    if (!stateLine.isEmpty())
        lines << stateLine;
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(captionFont(slot));
    painter.setPen(text);
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.lineSpacing();
    int y = rect.top() + (rect.height() - lineHeight * int(lines.size())) / 2;
    for (const QString &line : lines) {
        painter.drawText(QRect(rect.left(), y, rect.width(), lineHeight), Qt::AlignCenter, line);
        y += lineHeight;
    }
    painter.restore();
}

QColor tableColor(int id, const QColor &fallback)
{
    const QColor c = hasStr(id) ? colorFromText(str(id)) : QColor();
    return c.isValid() ? c : fallback;
}
