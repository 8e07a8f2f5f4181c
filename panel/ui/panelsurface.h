#pragma once

// frmBackGround: the panel's surface inside the window's scroll area. It
// carries the button windows and shows, beneath them, the picture composed
// by RedrawPanel: window colour, background image, grid and figures
// (paintPanel). Presses, moves and releases on it go to the panel window,
// which draws and edits figures with them.

#include "panel/panelbackdrop.h"

#include <QWidget>

class PanelSurface : public QWidget
{
    Q_OBJECT

public:
    PanelSurface(const PanelState &panel, const TwipScale &scale, QWidget *parent);

    // pctGraphic2: the loaded image at its natural size (null for none).
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

    // The composed picture's layout; the surface takes its size, and repaints
    // when the layout changed (RedrawPanel asks for a repaint itself).
    void compose(const PanelLayout &layout);
    const PanelLayout &picture() const { return m_layout; }

signals:
    void pressed(Qt::MouseButton button, const QPoint &at, Qt::KeyboardModifiers modifiers);
    void moved(const QPoint &at, Qt::MouseButtons buttons);
    void released(Qt::MouseButton button, const QPoint &at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const PanelState &m_panel;
    TwipScale m_scale;
    QImage m_image;
    // The image at its drawn size, kept while that size stays, so a redraw
    // does not scale it again.
    QImage m_scaled;
    PanelLayout m_layout;
};
