#include "panel/ui/panelsurface.h"

#include "base/strings.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// Images larger than this (in pixels) are scaled while painting instead of
// being kept scaled.
constexpr qint64 MaxKeptScaledPixels = qint64(8192) * 8192;

} // namespace

PanelSurface::PanelSurface(const PanelState &panel, const TwipScale &scale, QWidget *parent)
    : QWidget(parent), m_panel(panel), m_scale(scale)
{
    setObjectName(QStringLiteral("frmBackGround"));
    setAccessibleName(str(13801)); // "コントロールパネル"
    setMouseTracking(true);
}

void PanelSurface::setImage(const QImage &image)
{
    m_image = image;
    m_scaled = QImage();
    update();
}

void PanelSurface::compose(const PanelLayout &layout)
{
    // The same layout paints the same picture: buttons moving over the
    // surface do not make it paint itself whole again.
    const bool same = layout.drawnImage == m_layout.drawnImage && layout.surfaceWidth == m_layout.surfaceWidth
                      && layout.surfaceHeight == m_layout.surfaceHeight && layout.gridShown == m_layout.gridShown
                      && layout.surfacePixels == m_layout.surfacePixels;
    m_layout = layout;
    const QSize drawn = layout.drawnImage;
    if (drawn.isEmpty() || m_image.isNull()) {
        m_scaled = QImage();
    } else if (m_scaled.size() != drawn) {
        const bool keep = qint64(drawn.width()) * drawn.height() <= MaxKeptScaledPixels;
        m_scaled = keep ? m_image.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : QImage();
    }
    if (size() != layout.surfacePixels)
        resize(layout.surfacePixels);
    if (!same)
        update();
}

void PanelSurface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    paintPanel(p, event->rect(), m_panel, m_layout, m_scaled.isNull() ? m_image : m_scaled, m_scale);
}

void PanelSurface::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->position().toPoint(), event->modifiers());
}

void PanelSurface::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event->position().toPoint(), event->buttons());
}

void PanelSurface::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button(), event->position().toPoint());
}
