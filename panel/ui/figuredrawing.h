#pragma once

// The designer's drawing tools: the figures drawn, moved and reshaped with
// the pointer on the surface (on the grid while snapping), their menu
// (delete, to the front or back, properties) and property dialog, the
// drawing modes armed from the toolbar, the clearing of every figure, and
// the rubber band that selects buttons and figures. It owns the band, the
// figure menu and the figure dialog; the figures themselves are the
// FigureEditor's, the history the designer's.

#include "panel/ui/paneldesigner.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class FrmFigureProperty;
class QMenu;
class QRubberBand;

class FigureDrawing : public QObject
{
    Q_OBJECT

public:
    FigureDrawing(PanelDesigner &designer, const PanelDesigner::Parts &parts);

    // Every armed drawing mode disarmed (its reserved entry given back) and
    // the figure selection dropped.
    void reset();
    void toggleMode(FigureKind kind);
    void clearAll();
    void hideBand();
    // frmFigureMenu, while it is open; its "順序" item holds frmFigureOrder.
    QMenu *figureMenu() const;
    FrmFigureProperty *figureDialog() const;
    void closeWindows();

signals:
    void redrawWanted();
    void commandsChanged();

private:
    void onPressed(Qt::MouseButton button, const QPoint &at);
    void onMoved(const QPoint &at, Qt::MouseButtons buttons);
    void onReleased(Qt::MouseButton button, const QPoint &at);
    // A point of a figure being drawn, in twips: on the grid while snapping.
    QPoint drawingPoint(const QPoint &at) const;
    void beginBand(const QPoint &at, bool add);
    void endBand(const QPoint &at);
    void openFigureMenu(const QPoint &globalPos);
    void openFigureProperty();

    PanelDesigner &m_designer;
    PanelDesigner::Parts m_parts;
    PanelState &m_panel;
    FigureEditor &m_figures;
    // Rubber band: where it started (pixels on the surface), whether it adds.
    QPointer<QRubberBand> m_band;
    QPoint m_bandStart;
    bool m_bandAdds = false;
    QPointer<QMenu> m_figureMenu;
    QPointer<FrmFigureProperty> m_figureDialog;
};
