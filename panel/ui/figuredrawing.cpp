#include "panel/ui/figuredrawing.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/panelsession.h"
#include "panel/ui/backdropview.h"
#include "panel/ui/frmfigureproperty.h"
#include "panel/ui/panelsurface.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QRubberBand>

#include <algorithm>

namespace {

namespace Res {
constexpr int MenuDelete = 10500;      // "     削除(&D)"
constexpr int MenuOrder = 10501;       // "     順序(&O)"
constexpr int MenuProperties = 10502;  // "     プロパティ(&P)"
constexpr int MostFront = 10503;       // " 最前面へ移動(&F)"
constexpr int MostBack = 10504;        // " 最背面へ移動(&B)"
constexpr int ClearQuestion = 10509;   // "図形を全消去します"
constexpr int AreYouSure = 10510;      // "よろしいですか？"
} // namespace Res

} // namespace

FigureDrawing::FigureDrawing(PanelDesigner &designer, const PanelDesigner::Parts &parts)
    : m_designer(designer), m_parts(parts), m_panel(parts.panel), m_figures(parts.figures)
{
    PanelSurface *surface = m_parts.backdrop.surface();
    connect(surface, &PanelSurface::pressed, this,
            [this](Qt::MouseButton b, const QPoint &at, Qt::KeyboardModifiers m) {
                m_bandAdds = m & Qt::ShiftModifier;
                onPressed(b, at);
            });
    connect(surface, &PanelSurface::moved, this, &FigureDrawing::onMoved);
    connect(surface, &PanelSurface::released, this, &FigureDrawing::onReleased);
}

void FigureDrawing::reset()
{
    // Only handles or a figure being drawn need the surface painted again;
    // a full repaint of a busy panel on every undo would be felt.
    const bool shown = m_figures.anyArmed() || m_figures.selected();
    m_figures.disarmAll();
    m_figures.dropSelection();
    if (m_figureMenu)
        m_figureMenu->close();
    emit commandsChanged();
    if (shown)
        m_parts.backdrop.surface()->update();
}

void FigureDrawing::toggleMode(FigureKind kind)
{
    m_figures.toggleArmed(kind);
    emit commandsChanged();
}

void FigureDrawing::clearAll()
{
    const QString text = str(Res::ClearQuestion) + QStringLiteral("\r\n") + str(Res::AreYouSure);
    if (m_parts.dialogs.message(text, MsgButtons::OkCancel, MsgIcon::Warning, str(StrId::AppTitle)) != MsgAnswer::Ok)
        return;
    m_figures.clearAll();
    m_parts.tools.forgetFigures();
    emit redrawWanted();
    m_designer.designChanged(DesignStep::ClearFigures);
}

QMenu *FigureDrawing::figureMenu() const
{
    return m_figureMenu;
}

FrmFigureProperty *FigureDrawing::figureDialog() const
{
    return m_figureDialog;
}

void FigureDrawing::closeWindows()
{
    if (m_figureDialog)
        m_figureDialog->close();
    if (m_figureMenu)
        m_figureMenu->close();
}

// ---- the pointer on the surface --------------------------------------------------

void FigureDrawing::onPressed(Qt::MouseButton button, const QPoint &at)
{
    if (m_panel.runtime.executing)
        return;
    const TwipScale &scale = m_parts.scale;
    const bool adding = m_bandAdds;
    const QPoint twips = button == Qt::LeftButton && m_figures.anyArmed() ? drawingPoint(at) : scale.toTwips(at);
    const FigureEditor::Press press = m_figures.press(twips, button, scale.twipsPerPixel);
    // A press on the surface lets go of the buttons, unless it starts a
    // figure or a band that adds to the selection.
    if (press != FigureEditor::Press::Drawing && !(adding && press == FigureEditor::Press::Missed)) {
        m_parts.tools.forgetFigures();
        m_designer.selectionChanged(m_parts.design.deselectAll());
    }
    if (press == FigureEditor::Press::Missed) {
        emit redrawWanted();
        if (button == Qt::LeftButton)
            beginBand(at, adding);
        else if (button == Qt::RightButton)
            m_designer.openSurfaceMenu(at);
        return;
    }
    if (press == FigureEditor::Press::Nothing)
        return;
    emit redrawWanted();
    PanelSurface *surface = m_parts.backdrop.surface();
    surface->setCursor(m_figures.cursorAt(scale.toTwips(at)));
    if (press == FigureEditor::Press::Menu)
        openFigureMenu(surface->mapToGlobal(at));
}

void FigureDrawing::onMoved(const QPoint &at, Qt::MouseButtons buttons)
{
    if (m_panel.runtime.executing)
        return;
    const QPoint twips = m_parts.scale.toTwips(at);
    if (m_band && m_band->isVisible()) {
        m_band->setGeometry(QRect(m_bandStart, at).normalized());
        return;
    }
    if ((buttons & Qt::LeftButton) && m_figures.move(m_figures.drawingNow() ? drawingPoint(at) : twips))
        emit redrawWanted();
    m_parts.backdrop.surface()->setCursor(m_figures.cursorAt(twips));
}

void FigureDrawing::onReleased(Qt::MouseButton button, const QPoint &at)
{
    if (m_panel.runtime.executing || button != Qt::LeftButton)
        return;
    if (m_band && m_band->isVisible()) {
        endBand(at);
        return;
    }
    const QPoint twips = m_parts.scale.toTwips(at);
    const bool drawing = m_figures.drawingNow();
    const FigureHandle handle = m_figures.heldHandle();
    const std::optional<FigureRef> held = m_figures.selected();
    if (m_figures.release(drawing ? drawingPoint(at) : twips)) {
        // A click on a figure moves nothing, not even onto the grid.
        if (!drawing && held && m_figures.changedWhileHeld()
            && m_designer.snapping(QGuiApplication::queryKeyboardModifiers()))
            snapFigure(m_figures.figure(*held), handle, m_panel.GridInterval);
        emit redrawWanted();
        m_designer.designChanged(drawing                          ? DesignStep::Draw
                                 : handle == FigureHandle::Move ? DesignStep::FigureMove
                                                                : DesignStep::FigureResize);
    }
    m_parts.backdrop.surface()->setCursor(m_figures.cursorAt(twips));
}

QPoint FigureDrawing::drawingPoint(const QPoint &at) const
{
    // A figure being drawn follows the shown grid point by point, as moves
    // and resizes land on it.
    const QPoint twips = m_parts.scale.toTwips(at);
    if (!m_designer.snapping(QGuiApplication::queryKeyboardModifiers()))
        return twips;
    return QPoint(snapToGrid(twips.x(), m_panel.GridInterval), snapToGrid(twips.y(), m_panel.GridInterval));
}

// ---- the rubber band ---------------------------------------------------------------

void FigureDrawing::beginBand(const QPoint &at, bool add)
{
    if (!m_band) {
        m_band = new QRubberBand(QRubberBand::Rectangle, m_parts.backdrop.surface());
        m_band->setObjectName(QStringLiteral("selectionBand"));
    }
    m_bandStart = at;
    m_bandAdds = add;
    m_band->setGeometry(QRect(at, QSize(1, 1)));
    m_band->show();
    m_band->raise();
}

void FigureDrawing::endBand(const QPoint &at)
{
    m_band->hide();
    const QPoint a = m_parts.scale.toTwips(m_bandStart);
    const QPoint b = m_parts.scale.toTwips(at);
    const QRect band(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    m_designer.selectionChanged(m_parts.tools.selectBand(band, m_bandAdds, m_parts.session.panelMixers()));
    emit redrawWanted();
}

void FigureDrawing::hideBand()
{
    if (m_band)
        m_band->hide();
}

// ---- the figure's menu and dialog ------------------------------------------------------

void FigureDrawing::openFigureMenu(const QPoint &globalPos)
{
    if (m_figureMenu)
        m_figureMenu->close();
    auto *menu = new QMenu(&m_parts.window);
    menu->setObjectName(QStringLiteral("frmFigureMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *remove = menu->addAction(str(Res::MenuDelete));
    remove->setObjectName(QStringLiteral("mnuFigureDelete"));
    QMenu *order = menu->addMenu(str(Res::MenuOrder));
    order->setObjectName(QStringLiteral("frmFigureOrder"));
    QAction *front = order->addAction(str(Res::MostFront));
    front->setObjectName(QStringLiteral("txtMostFront"));
    QAction *back = order->addAction(str(Res::MostBack));
    back->setObjectName(QStringLiteral("txtMostBack"));
    QAction *properties = menu->addAction(str(Res::MenuProperties));
    properties->setObjectName(QStringLiteral("mnuFigureProperty"));

    connect(remove, &QAction::triggered, this, [this] {
        m_figures.deleteSelected();
        m_parts.tools.forgetFigures();
        emit redrawWanted();
        m_designer.designChanged(DesignStep::FigureDelete);
    });
    connect(front, &QAction::triggered, this, [this] {
        m_figures.bringToFront();
        emit redrawWanted();
        m_designer.designChanged(DesignStep::Restack);
    });
    connect(back, &QAction::triggered, this, [this] {
        m_figures.sendToBack();
        emit redrawWanted();
        m_designer.designChanged(DesignStep::Restack);
    });
    connect(properties, &QAction::triggered, this, [this] { openFigureProperty(); });
    m_figureMenu = menu;
    // The toolkit keeps the popup on the screen.
    menu->popup(globalPos);
}

void FigureDrawing::openFigureProperty()
{
    const auto selected = m_figures.selected();
    if (!selected || m_figureDialog)
        return;
    const FigureRef ref = *selected;
    auto *dlg = new FrmFigureProperty(m_panel.list(ref.kind)[size_t(ref.index)], m_parts.dialogs, &m_parts.window);
    connect(dlg, &QDialog::finished, this, [this, dlg, ref](int result) {
        // The figure may be gone (the link count fell and the panel was
        // cleared) while the dialog was open.
        if (result == QDialog::Accepted && dlg->changed() && ref.index < m_panel.count(ref.kind))
            m_figures.setStyle(ref, dlg->colour(), dlg->width(), dlg->style());
        emit redrawWanted();
        m_designer.designChanged(DesignStep::Pen);
    });
    m_figureDialog = dlg;
    dlg->open();
}
