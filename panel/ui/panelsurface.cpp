#include "panel/ui/panelsurface.h"

#include "base/strings.h"

#include <QMouseEvent>
#include <QPainter>

PanelSurface::PanelSurface(const PanelState &panel, QWidget *parent)
    : QWidget(parent), m_panel(panel)
{
    setObjectName(QStringLiteral("frmBackGround"));
}

void PanelSurface::setGridShown(bool shown)
{
    m_gridShown = shown;
    update();
}

void PanelSurface::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBackdrop(p);
}

void PanelSurface::paintBackdrop(QPainter &painter)
{
    const QColor colour = colorFromValue(quint32(m_panel.GUIWindowColor));
    painter.fillRect(rect(), colour.isValid() ? colour : palette().color(QPalette::Base));
}

void PanelSurface::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->position().toPoint());
}
