// frmMDI's surface: RedrawPanel, the figures drawn and edited with the
// pointer and their menu and property dialog, the grid and background image
// commands, scrolling, and the button table window.

#include "panel/ui/frmmdi.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "mixer/mixerdata.h"
#include "panel/panelbackdrop.h"
#include "panel/ui/buttonface.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmfigureproperty.h"
#include "panel/ui/frmgridproperty.h"
#include "panel/ui/frmicontable.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/panelsurface.h"

#include <QAction>
#include <QGuiApplication>
#include <QRubberBand>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

namespace {

namespace Res {
constexpr int MenuDelete = 10500;      // "     削除(&D)"
constexpr int MenuOrder = 10501;       // "     順序(&O)"
constexpr int MenuProperties = 10502;  // "     プロパティ(&P)"
constexpr int MostFront = 10503;       // " 最前面へ移動(&F)"
constexpr int MostBack = 10504;        // " 最背面へ移動(&B)"
constexpr int ClearQuestion = 10509;   // "図形を全消去します"
constexpr int AreYouSure = 10510;      // "よろしいですか？"
constexpr int ImageUnreadable = 10533; // "背景画像を読み込めません：%1"
} // namespace Res

} // namespace

void FrmMdi::buildSurface()
{
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("MDIClient"));
    m_scroll->setWidgetResizable(false);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_surface = new PanelSurface(m_panel, m_scale, m_scroll);
    m_scroll->setWidget(m_surface);
    m_scroll->viewport()->installEventFilter(this);
    setCentralWidget(m_scroll);
    connect(m_surface, &PanelSurface::pressed, this,
            [this](Qt::MouseButton b, const QPoint &at, Qt::KeyboardModifiers m) {
                m_bandAdds = m & Qt::ShiftModifier;
                onSurfacePressed(b, at);
            });
    // Arrow keys on the surface move the selection as they do on a button.
    m_surface->setFocusPolicy(Qt::ClickFocus);
    m_surface->installEventFilter(this);
    connect(m_surface, &PanelSurface::moved, this, &FrmMdi::onSurfaceMoved);
    connect(m_surface, &PanelSurface::released, this, &FrmMdi::onSurfaceReleased);
}

// ---- composing ---------------------------------------------------------------------

QSize FrmMdi::clientPixels() const
{
    return m_scroll->viewport()->size();
}

QSize FrmMdi::buttonReach() const
{
    // The buttons stand on the surface, which therefore reaches the furthest
    // of them: the scroll bars bring every button into view.
    QSize reach;
    for (const ButtonRef &b : enabledButtons(m_panel, panelMixers())) {
        const QRect r = pixelRect(b);
        reach = reach.expandedTo(QSize(r.right() + 1, r.bottom() + 1));
    }
    return reach;
}

void FrmMdi::updateExtent()
{
    const bool grid = m_panel.GridOnOff && !executing();
    m_surface->compose(layoutPanel(m_panel, m_surface->image().size(), clientPixels(), buttonReach(), m_scale, grid));
}

void FrmMdi::RedrawPanel()
{
    const int h = scrollOffset(Qt::Horizontal);
    const int v = scrollOffset(Qt::Vertical);
    if (m_imageReload)
        reloadImage();
    QPalette pal = m_scroll->viewport()->palette();
    pal.setColor(QPalette::Window, colorFromValue(quint32(m_panel.GUIWindowColor) & 0xFFFFFF));
    m_scroll->viewport()->setPalette(pal);
    updateExtent();
    m_surface->update();
    // Drawing modes end with the redraw that follows a drawing.
    m_figures.disarmAfterRedraw();
    updateCommands();
    setScrollOffset(Qt::Horizontal, h);
    setScrollOffset(Qt::Vertical, v);
}

void FrmMdi::reloadImage()
{
    m_imageReload = false;
    const ImageSettings &image = m_panel.image;
    const QImage loaded = loadPanelImage(image.ImageFileName);
    m_surface->setImage(loaded);
    // The settings stay as they are; the user learns why nothing shows.
    if (loaded.isNull() && image.ImageVisible && !image.ImageFileName.isEmpty())
        m_ctx.dialogs.tell(str(Res::ImageUnreadable).arg(image.ImageFileName), MsgIcon::Warning);
}

void FrmMdi::requestRedraws(int count, AfterRedraws after)
{
    m_panel.runtime.redraws = {count, after == AfterRedraws::ToOrigin};
    if (count != 0)
        m_timer2.start();
}

void FrmMdi::placeAllButtons()
{
    for (const ButtonRef &b : enabledButtons(m_panel, panelMixers()))
        placeButton(b);
    m_surface->move(0, 0);
}

// ---- scrolling ---------------------------------------------------------------------

int FrmMdi::scrollOffset(Qt::Orientation axis) const
{
    const QScrollBar *bar = axis == Qt::Horizontal ? m_scroll->horizontalScrollBar() : m_scroll->verticalScrollBar();
    return bar->value() - bar->minimum();
}

void FrmMdi::setScrollOffset(Qt::Orientation axis, int offset)
{
    QScrollBar *bar = axis == Qt::Horizontal ? m_scroll->horizontalScrollBar() : m_scroll->verticalScrollBar();
    bar->setValue(bar->minimum() + std::clamp(offset, 0, bar->maximum() - bar->minimum()));
}

void FrmMdi::scrollToOrigin()
{
    setScrollOffset(Qt::Vertical, 0);
    setScrollOffset(Qt::Horizontal, 0);
}

// ---- figures -----------------------------------------------------------------------

void FrmMdi::resetFigureEditing()
{
    // Only handles or a figure being drawn need the surface painted again;
    // a full repaint of a busy panel on every undo would be felt.
    const bool shown = m_figures.anyArmed() || m_figures.selected();
    m_figures.disarmAll();
    m_figures.dropSelection();
    if (m_figureMenu)
        m_figureMenu->close();
    updateCommands();
    if (m_surface && shown)
        m_surface->update();
}

void FrmMdi::toggleFigureMode(FigureKind kind)
{
    m_figures.toggleArmed(kind);
    updateCommands();
}

void FrmMdi::clearFigures()
{
    const QString text = str(Res::ClearQuestion) + QStringLiteral("\r\n") + str(Res::AreYouSure);
    if (m_ctx.dialogs.message(text, MsgButtons::OkCancel, MsgIcon::Warning, str(StrId::AppTitle)) != MsgAnswer::Ok)
        return;
    m_figures.clearAll();
    m_tools.forgetFigures();
    RedrawPanel();
    designChanged(DesignStep::ClearFigures);
}

void FrmMdi::onSurfacePressed(Qt::MouseButton button, const QPoint &at)
{
    if (executing())
        return;
    const bool adding = m_bandAdds;
    const QPoint twips = button == Qt::LeftButton && m_figures.anyArmed() ? drawingPoint(at) : m_scale.toTwips(at);
    const FigureEditor::Press press = m_figures.press(twips, button, m_scale.twipsPerPixel);
    // A press on the surface lets go of the buttons, unless it starts a
    // figure or a band that adds to the selection.
    if (press != FigureEditor::Press::Drawing && !(adding && press == FigureEditor::Press::Missed)) {
        m_tools.forgetFigures();
        selectionChanged(m_design.deselectAll());
    }
    if (press == FigureEditor::Press::Missed) {
        RedrawPanel();
        if (button == Qt::LeftButton)
            beginBand(at, adding);
        else if (button == Qt::RightButton)
            openSurfaceMenu(at);
        return;
    }
    if (press == FigureEditor::Press::Nothing)
        return;
    RedrawPanel();
    m_surface->setCursor(m_figures.cursorAt(m_scale.toTwips(at)));
    if (press == FigureEditor::Press::Menu)
        openFigureMenu(m_surface->mapToGlobal(at));
}

void FrmMdi::onSurfaceMoved(const QPoint &at, Qt::MouseButtons buttons)
{
    if (executing())
        return;
    const QPoint twips = m_scale.toTwips(at);
    if (m_band && m_band->isVisible()) {
        m_band->setGeometry(QRect(m_bandStart, at).normalized());
        return;
    }
    if ((buttons & Qt::LeftButton) && m_figures.move(m_figures.drawingNow() ? drawingPoint(at) : twips))
        RedrawPanel();
    m_surface->setCursor(m_figures.cursorAt(twips));
}

void FrmMdi::onSurfaceReleased(Qt::MouseButton button, const QPoint &at)
{
    if (executing() || button != Qt::LeftButton)
        return;
    if (m_band && m_band->isVisible()) {
        m_band->hide();
        const QPoint a = m_scale.toTwips(m_bandStart);
        const QPoint b = m_scale.toTwips(at);
        const QRect band(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                         QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        selectionChanged(m_tools.selectBand(band, m_bandAdds, panelMixers()));
        RedrawPanel();
        return;
    }
    const bool drawing = m_figures.drawingNow();
    const FigureHandle handle = m_figures.heldHandle();
    const std::optional<FigureRef> held = m_figures.selected();
    if (m_figures.release(drawing ? drawingPoint(at) : m_scale.toTwips(at))) {
        // A click on a figure moves nothing, not even onto the grid.
        if (!drawing && held && m_figures.changedWhileHeld() && snapping(QGuiApplication::queryKeyboardModifiers()))
            snapFigure(m_figures.figure(*held), handle, m_panel.GridInterval);
        RedrawPanel();
        designChanged(drawing                          ? DesignStep::Draw
                      : handle == FigureHandle::Move ? DesignStep::FigureMove
                                                     : DesignStep::FigureResize);
    }
    m_surface->setCursor(m_figures.cursorAt(m_scale.toTwips(at)));
}

QPoint FrmMdi::drawingPoint(const QPoint &at) const
{
    // A figure being drawn follows the shown grid point by point, as moves
    // and resizes land on it.
    const QPoint twips = m_scale.toTwips(at);
    if (!snapping(QGuiApplication::queryKeyboardModifiers()))
        return twips;
    return QPoint(snapToGrid(twips.x(), m_panel.GridInterval), snapToGrid(twips.y(), m_panel.GridInterval));
}

void FrmMdi::openFigureMenu(const QPoint &globalPos)
{
    if (m_figureMenu)
        m_figureMenu->close();
    auto *menu = new QMenu(this);
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
        m_tools.forgetFigures();
        RedrawPanel();
        designChanged(DesignStep::FigureDelete);
    });
    connect(front, &QAction::triggered, this, [this] {
        m_figures.bringToFront();
        RedrawPanel();
        designChanged(DesignStep::Restack);
    });
    connect(back, &QAction::triggered, this, [this] {
        m_figures.sendToBack();
        RedrawPanel();
        designChanged(DesignStep::Restack);
    });
    connect(properties, &QAction::triggered, this, [this] { openFigureProperty(); });
    m_figureMenu = menu;
    // The toolkit keeps the popup on the screen.
    menu->popup(globalPos);
}

void FrmMdi::openFigureProperty()
{
    const auto selected = m_figures.selected();
    if (!selected || m_figureDialog)
        return;
    const FigureRef ref = *selected;
    auto *dlg = new FrmFigureProperty(m_panel.list(ref.kind)[size_t(ref.index)], m_ctx.dialogs, this);
    connect(dlg, &QDialog::finished, this, [this, dlg, ref](int result) {
        // The figure may be gone (the link count fell and the panel was
        // cleared) while the dialog was open.
        if (result == QDialog::Accepted && dlg->changed() && ref.index < m_panel.count(ref.kind))
            m_figures.setStyle(ref, dlg->colour(), dlg->width(), dlg->style());
        RedrawPanel();
        designChanged(DesignStep::Pen);
    });
    m_figureDialog = dlg;
    dlg->open();
}

FrmFigureProperty *FrmMdi::figureDialog() const
{
    return m_figureDialog;
}

QMenu *FrmMdi::figureMenu() const
{
    return m_figureMenu;
}

// ---- grid and image ---------------------------------------------------------------

void FrmMdi::toggleGrid()
{
    m_panel.GridOnOff = !m_panel.GridOnOff;
    RedrawPanel();
    designChanged(DesignStep::Grid);
}

void FrmMdi::openGridProperty()
{
    if (m_gridDialog)
        return;
    auto *dlg = new FrmGridProperty(m_panel, m_ctx.dialogs, this);
    connect(dlg, &QDialog::accepted, this, [this] {
        if (m_panel.GridOnOff)
            RedrawPanel();
        designChanged(DesignStep::GridProperty);
    });
    connect(dlg, &QDialog::finished, this, [this] {
        m_gridDialog = nullptr;
        updateCommands();
    });
    m_gridDialog = dlg;
    updateCommands();
    dlg->open();
}

FrmGridProperty *FrmMdi::gridDialog() const
{
    return m_gridDialog;
}

void FrmMdi::openImageSetting()
{
    if (m_imageDialog)
        return;
    auto *dlg = new FrmImageSetting(m_panel.image, m_ctx.dialogs, this);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        m_panel.image = dlg->chosen();
        m_imageReload = true;
        placeAllButtons();
        requestRedraws(2, AfterRedraws::ToOrigin);
        designChanged(DesignStep::Image);
    });
    m_imageDialog = dlg;
    dlg->open();
}

FrmImageSetting *FrmMdi::imageDialog() const
{
    return m_imageDialog;
}

// ---- the button table ---------------------------------------------------------------

void FrmMdi::openTable()
{
    if (m_table) {
        m_table->raise();
        return;
    }
    auto *table = new FrmIconTable(m_panel, m_ctx.mixers.MixerCount, m_scale, widgetMeasure(m_scale), m_ctx.dialogs,
                                   this);
    connect(table, &FrmIconTable::captionsApplied, this, [this](const std::vector<ButtonRef> &buttons) {
        for (const ButtonRef &b : buttons)
            placeButton(b);
        repaintButtons(buttons);
        updateExtent();
        designChanged(DesignStep::Captions);
    });
    connect(table, &FrmIconTable::closed, this, [this] {
        m_panel.runtime.tableOpen = false;
        updateCommands();
    });
    m_table = table;
    m_panel.runtime.tableOpen = true;
    updateCommands();
    table->show();
}

void FrmMdi::refreshTable()
{
    if (m_table)
        m_table->refresh(m_ctx.mixers.MixerCount);
}

FrmIconTable *FrmMdi::buttonTable() const
{
    return m_table;
}
