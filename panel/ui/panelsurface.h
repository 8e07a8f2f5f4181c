#pragma once

// frmBackGround: the panel's surface inside the window's scroll area. It is
// painted in the panel's window colour and carries the button windows. The
// drawn figures, the grid and the background image are painted here too, in
// that order beneath the buttons (paintBackdrop).

#include "panel/panelmodel.h"

#include <QWidget>

class PanelSurface : public QWidget
{
    Q_OBJECT

public:
    PanelSurface(const PanelState &panel, QWidget *parent);

    // Whether the grid may be drawn (never in the execution state).
    void setGridShown(bool shown);

signals:
    void pressed(Qt::MouseButton button, const QPoint &at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // Everything beneath the buttons. Today the window colour; the background
    // image, the grid and the figures join it here.
    void paintBackdrop(QPainter &painter);

    const PanelState &m_panel;
    bool m_gridShown = true;
};
