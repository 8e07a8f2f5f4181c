#include "panel/ui/frmexeicon.h"

#include "base/strings.h"
#include "panel/ui/buttonface.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
namespace Res {
constexpr int On = 2912;   // "ON"
constexpr int Off = 2913;  // "OFF"
} // namespace Res
constexpr int Bevel = 3;
} // namespace

FrmExeIcon::FrmExeIcon(ButtonRef button, const PanelState &panel, QWidget *parent)
    : QWidget(parent), m_button(button), m_panel(panel)
{
    setObjectName(QStringLiteral("frmExeIcon_%1_%2").arg(button.mixer).arg(button.slot));
    setCursor(Qt::PointingHandCursor);
}

QString FrmExeIcon::stateText() const
{
    if (m_button.isOutput())
        return {};
    return str(on() ? Res::On : Res::Off);
}

QColor FrmExeIcon::faceColor() const
{
    return colorFromValue(quint32(on() ? slot().IconColorOn : slot().IconColorDef));
}

bool FrmExeIcon::raised() const
{
    return !on();
}

void FrmExeIcon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect all = rect();
    const QColor face = faceColor();
    p.fillRect(all, face);
    if (raised()) {
        // A 3-D face: light top-left, dark bottom-right.
        for (int i = 0; i < Bevel; ++i) {
            const QRect r = all.adjusted(i, i, -i - 1, -i - 1);
            p.setPen(face.lighter(150 - 15 * i));
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(face.darker(170 - 20 * i));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
    } else {
        p.setPen(face.darker(160));
        p.drawRect(all.adjusted(0, 0, -1, -1));
    }
    // Dark faces a user may choose still get a readable caption.
    const QColor text = face.lightnessF() < 0.45 ? QColor(Qt::white) : QColor(Qt::black);
    paintCaption(p, all.adjusted(Bevel, Bevel, -Bevel, -Bevel), slot(), text, stateText());
}

void FrmExeIcon::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed(m_button);
    else if (event->button() == Qt::RightButton)
        emit rightPressed(m_button, event->position().toPoint());
}
