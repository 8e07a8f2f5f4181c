#include "panel/ui/panelicons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

constexpr int Size = 24;
const QColor Ink(0x33, 0x3b, 0x47);
const QColor Accent(0x2f, 0x7d, 0xd1);

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QPixmap pm(Size, Size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.6));
    draw(p);
    return QIcon(pm);
}

// A small panel button: a rounded face with a caption bar.
void buttonShape(QPainter &p, const QRectF &r, const QColor &face)
{
    p.setBrush(face);
    p.drawRoundedRect(r, 2.5, 2.5);
    p.setPen(QPen(Ink, 1.2));
    p.drawLine(QPointF(r.left() + 3, r.center().y()), QPointF(r.right() - 3, r.center().y()));
}

// The ﾎﾞﾀﾝ menu's pictures.
QIcon buttonCommandIcon(PanelCommand command)
{
    switch (command) {
    case PanelCommand::New:
        return drawn([](QPainter &p) {
            buttonShape(p, QRectF(2.5, 6.5, 15, 13), QColor(0xc0, 0xff, 0xc0));
            p.setPen(QPen(Accent, 2.2));
            p.drawLine(QPointF(19, 2), QPointF(19, 10));
            p.drawLine(QPointF(15, 6), QPointF(23, 6));
        });
    case PanelCommand::Execution:
        return drawn([](QPainter &p) {
            p.setBrush(QColor(0x2e, 0xa0, 0x4a));
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygonF({QPointF(6, 4), QPointF(20, 12), QPointF(6, 20)}));
        });
    case PanelCommand::Stop:
        return drawn([](QPainter &p) {
            p.setBrush(QColor(0xc8, 0x3a, 0x32));
            p.setPen(Qt::NoPen);
            p.drawRoundedRect(QRectF(5, 5, 14, 14), 2, 2);
        });
    case PanelCommand::Table:
        return drawn([](QPainter &p) {
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3.5, 4.5, 17, 15));
            for (double y : {9.5, 14.5})
                p.drawLine(QPointF(3.5, y), QPointF(20.5, y));
            p.drawLine(QPointF(9.5, 4.5), QPointF(9.5, 19.5));
        });
    default:
        return {};
    }
}

// The window's picture and colour, and the grid's.
QIcon backgroundIcon(PanelCommand command)
{
    switch (command) {
    case PanelCommand::Image:
        return drawn([](QPainter &p) {
            p.setBrush(QColor(0xdd, 0xee, 0xff));
            p.drawRect(QRectF(3.5, 4.5, 17, 15));
            p.setBrush(QColor(0x5b, 0x9b, 0x4e));
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygonF({QPointF(4, 19), QPointF(10, 11), QPointF(14, 16), QPointF(17, 13), QPointF(20, 19)}));
            p.setBrush(QColor(0xf2, 0xb6, 0x32));
            p.drawEllipse(QPointF(16, 8.5), 2, 2);
        });
    case PanelCommand::Color:
        return drawn([](QPainter &p) {
            const QColor colours[] = {QColor(0xe5, 0x48, 0x3e), QColor(0x3b, 0xa5, 0x5c),
                                      QColor(0x3a, 0x78, 0xd8), QColor(0xf2, 0xc1, 0x2e)};
            for (int i = 0; i < 4; ++i) {
                p.setBrush(colours[i]);
                p.drawRect(QRectF(3.5 + (i % 2) * 9, 3.5 + (i / 2) * 9, 8, 8));
            }
        });
    case PanelCommand::Grid:
        return drawn([](QPainter &p) {
            p.setPen(QPen(Ink, 1.0, Qt::DotLine));
            for (double v : {4.5, 9.5, 14.5, 19.5}) {
                p.drawLine(QPointF(v, 3), QPointF(v, 21));
                p.drawLine(QPointF(3, v), QPointF(21, v));
            }
        });
    case PanelCommand::GridPro:
        return drawn([](QPainter &p) {
            p.setPen(QPen(Ink, 1.0, Qt::DotLine));
            for (double v : {4.5, 10.5, 16.5}) {
                p.drawLine(QPointF(v, 3), QPointF(v, 16));
                p.drawLine(QPointF(3, v), QPointF(16, v));
            }
            p.setPen(QPen(Accent, 2.2));
            p.drawLine(QPointF(13, 21), QPointF(21, 13));
        });
    default:
        return {};
    }
}

// The drawing tools and the clearing of their figures.
QIcon figureIcon(PanelCommand command)
{
    switch (command) {
    case PanelCommand::Circle:
        return drawn([](QPainter &p) { p.drawEllipse(QRectF(3.5, 5.5, 17, 13)); });
    case PanelCommand::Rect:
        return drawn([](QPainter &p) { p.drawRect(QRectF(3.5, 5.5, 17, 13)); });
    case PanelCommand::Line:
        return drawn([](QPainter &p) { p.drawLine(QPointF(4, 20), QPointF(20, 4)); });
    case PanelCommand::Arc:
        return drawn([](QPainter &p) {
            QPainterPath path(QPointF(4, 20));
            path.quadTo(QPointF(20, 20), QPointF(20, 4));
            p.drawPath(path);
        });
    case PanelCommand::Clear:
        return drawn([](QPainter &p) {
            p.drawEllipse(QRectF(3.5, 3.5, 10, 10));
            p.drawRect(QRectF(9.5, 9.5, 11, 11));
            p.setPen(QPen(QColor(0xc8, 0x3a, 0x32), 2.2));
            p.drawLine(QPointF(5, 19), QPointF(19, 5));
        });
    default:
        return {};
    }
}

} // namespace

QIcon panelToolIcon(PanelCommand command)
{
    QStyle *style = QApplication::style();
    switch (command) {
    case PanelCommand::Load: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case PanelCommand::Save: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case PanelCommand::Close: return style->standardIcon(QStyle::SP_BrowserReload);
    case PanelCommand::Quit: return style->standardIcon(QStyle::SP_DialogCloseButton);
    case PanelCommand::New:
    case PanelCommand::Execution:
    case PanelCommand::Stop:
    case PanelCommand::Table: return buttonCommandIcon(command);
    case PanelCommand::Image:
    case PanelCommand::Color:
    case PanelCommand::Grid:
    case PanelCommand::GridPro: return backgroundIcon(command);
    default: return figureIcon(command);
    }
}
