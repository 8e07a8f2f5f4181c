#include "panel/ui/paneldesigner.h"

#include "base/config.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/panelsession.h"
#include "panel/ui/backdropview.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/figuredrawing.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/seatlistcommands.h"
#include "panel/ui/panelsurface.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QUndoStack>

#include <algorithm>

namespace {

namespace Res {
constexpr int PasteHere = 12054;
constexpr int NoFreeChannel = 12055;
constexpr int FiguresFull = 12056;
} // namespace Res

using E = EditCommand;

const QString SnapKey = QStringLiteral("Panel/SnapToGrid");

// A run of arrow-key moves is one step while it moves the same things.
quint64 selectionKey(const std::vector<ButtonRef> &buttons, const std::vector<FigureRef> &figures)
{
    quint64 h = 1469598103934665603ull;
    auto mix = [&h](quint64 v) { h = (h ^ v) * 1099511628211ull; };
    for (const ButtonRef &b : buttons)
        mix(quint64(b.mixer * Panel::SlotsPerMixer + b.slot + 1));
    mix(0xFFFF);
    for (const FigureRef &f : figures)
        mix(quint64(int(f.kind) * Panel::FiguresPerKind + f.index + 1));
    return h;
}

} // namespace

PanelDesigner::PanelDesigner(Parts parts) : QObject(&parts.window), m_parts(parts), m_panel(parts.panel)
{
    m_snap = readUserValue(SnapKey, QStringLiteral("1")) != QLatin1String("0");
    m_commands = new DesignCommands(m_parts.window, m_parts.toolbar1, m_parts.history.stack(), m_snap);
    connect(m_commands, &DesignCommands::triggered, this, &PanelDesigner::run);
    connect(m_commands, &DesignCommands::snapToggled, this, &PanelDesigner::setSnap);
    m_seats = new SeatListCommands({m_parts.window, m_panel, m_parts.session, m_parts.dialogs, *this});
    QUndoStack &stack = m_parts.history.stack();
    connect(&stack, &QUndoStack::canUndoChanged, this, [this] { updateEditCommands(); });
    connect(&stack, &QUndoStack::canRedoChanged, this, [this] { updateEditCommands(); });
    m_parts.history.restored = [this](const DesignChange &change) { afterRestore(change); };
    m_drawing = std::make_unique<FigureDrawing>(*this, m_parts);
    connect(m_drawing.get(), &FigureDrawing::redrawWanted, this, &PanelDesigner::redrawWanted);
    connect(m_drawing.get(), &FigureDrawing::commandsChanged, this, &PanelDesigner::commandsChanged);
    connectButtons();
    // Arrow keys on the surface move the selection as they do on a button.
    m_parts.backdrop.surface()->installEventFilter(this);
    updateEditCommands();
}

PanelDesigner::~PanelDesigner() = default;

void PanelDesigner::connectButtons()
{
    ButtonWindows &b = m_parts.buttons;
    connect(&b, &ButtonWindows::designPressed, this, &PanelDesigner::onPressed);
    connect(&b, &ButtonWindows::designDragged, this,
            [this](ButtonRef, const QPoint &o) { m_parts.design.drag(m_parts.scale.toTwips(o)); });
    connect(&b, &ButtonWindows::designReleased, this,
            [this](ButtonRef, const QPoint &o, Qt::KeyboardModifiers m) { onReleased(o, m); });
    connect(&b, &ButtonWindows::designResized, this, [this](ButtonRef button, const QRect &r) {
        m_parts.design.takeGeometry(button, r, m_parts.scale, true);
        emit extentChanged();
    });
    connect(&b, &ButtonWindows::resizeFinished, this, &PanelDesigner::onResizeFinished);
    connect(&b, &ButtonWindows::doubleClicked, this, [this](ButtonRef button) {
        emit holdEnded();
        m_parts.design.release({});
        emit propertiesRequested(button);
    });
    connect(&b, &ButtonWindows::arrowPressed, this,
            [this](ButtonRef button, ArrowKey k, Qt::KeyboardModifiers m) { onArrow(button, k, m); });
    connect(&b, &ButtonWindows::selectRequested, this, &PanelDesigner::selectByKey);
    connect(&b, &ButtonWindows::menuRequested, this, &PanelDesigner::openButtonMenu);
    // Delete and the property command act on a focused button too.
    connect(&b, &ButtonWindows::focusChanged, this, [this] { updateEditCommands(); });
}

QMenu *PanelDesigner::buttonMenu() const
{
    return m_buttonMenu;
}

bool PanelDesigner::executing() const
{
    return m_panel.runtime.executing;
}

void PanelDesigner::run(EditCommand command)
{
    if (executing())
        return;
    if ((command == E::Undo || command == E::Redo) && (m_parts.design.moving() || m_parts.figures.dragging()))
        return;
    // The armed drawing tools go down first, giving back the entry each
    // holds for its figure: a step undone, redone or pasted across such an
    // entry would lose a figure or count one that is not there.
    if (command != E::Copy && command != E::Snap)
        resetFigureEditing();
    const int mixers = m_parts.session.panelMixers();
    switch (command) {
    case E::Undo:
        // A change that was made without a step of its own is kept as one
        // before the history steps back over it.
        designChanged(DesignStep::Properties);
        m_parts.history.stack().undo();
        break;
    case E::Redo: m_parts.history.stack().redo(); break;
    case E::Cut: cutSelection(); break;
    case E::Copy: copySelection(); break;
    case E::Paste: pasteClipboard(std::nullopt); break;
    case E::Duplicate: duplicateSelection(); break;
    case E::Delete: deleteSelection(); break;
    case E::Properties: openSelectedProperties(); break;
    case E::SelectAll:
        selectionChanged(m_parts.tools.selectAll(mixers));
        emit redrawWanted();
        break;
    case E::Deselect:
        m_drawing->hideBand();
        selectionChanged(m_parts.tools.clearSelection(mixers));
        emit redrawWanted();
        break;
    case E::Snap: break;   // a check item: toggled
    default: arrange(command); break;
    }
}

void PanelDesigner::updateEditCommands()
{
    if (!m_commands)
        return;
    EditEnabling on;
    on.design = !executing();
    on.buttons = m_parts.tools.selectedButtons(m_parts.session.panelMixers()).size();
    on.figures = !m_parts.tools.selectedFigures().empty();
    on.focusedButton = focusedDesignButton().has_value();
    on.canUndo = m_parts.history.stack().canUndo();
    on.canRedo = m_parts.history.stack().canRedo();
    on.canPaste = !m_clipboard.empty();
    m_commands->update(on);
    m_seats->update(on.design);
}

void PanelDesigner::designChanged(DesignStep step, quint64 moved)
{
    if (executing())
        return;
    m_parts.history.commit(step, moved);
}

void PanelDesigner::resetFigureEditing()
{
    m_drawing->reset();
}

void PanelDesigner::afterRestore(const DesignChange &change)
{
    // Figures were renumbered, added or removed: no figure stays selected.
    resetFigureEditing();
    m_parts.tools.forgetFigures();
    for (const ButtonRef &b : change.disappeared)
        m_parts.buttons.close(b);
    for (const ButtonRef &b : change.appeared) {
        m_parts.session.adoptMixer(b.mixer);
        m_parts.buttons.show(b);
    }
    for (const ButtonRef &b : change.changed)
        m_parts.buttons.place(b);
    m_parts.buttons.repaint(change.changed);
    if (change.image)
        m_parts.backdrop.reloadImageNext();
    if (change.surface || change.image)
        emit redrawWanted();
    else
        emit extentChanged();
    emit commandsChanged();
    emit tableChanged();
}

bool PanelDesigner::snapping(Qt::KeyboardModifiers modifiers) const
{
    // Alt+drag moves windows on many desktops: Shift lets a drag go free too.
    return m_snap && m_panel.GridOnOff && m_panel.GridInterval > 0
           && !(modifiers & (Qt::AltModifier | Qt::ShiftModifier));
}

void PanelDesigner::setSnap(bool on)
{
    m_snap = on;
    writeUserValue(SnapKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void PanelDesigner::selectionChanged(const std::vector<ButtonRef> &buttons)
{
    m_parts.buttons.repaint(buttons);
    updateEditCommands();
}

// ---- clipboard ---------------------------------------------------------------------

void PanelDesigner::copySelection()
{
    DesignClipboard clip = m_parts.tools.copy(m_parts.session.panelMixers());
    if (clip.empty())
        return;
    m_clipboard = std::move(clip);
    m_pastes = 0;
    updateEditCommands();
}

void PanelDesigner::cutSelection()
{
    copySelection();
    const std::vector<ButtonRef> removed = m_parts.tools.removeSelection(m_parts.session.panelMixers());
    for (const ButtonRef &b : removed)
        m_parts.buttons.close(b);
    emit redrawWanted();
    emit tableChanged();
    designChanged(DesignStep::Cut);
}

void PanelDesigner::pasteAt(const DesignClipboard &clip, QPoint at, DesignStep step)
{
    const int mixers = m_parts.session.panelMixers();
    const std::vector<ButtonRef> before = m_parts.tools.selectedButtons(mixers);
    const PasteResult r = m_parts.tools.paste(clip, at, m_parts.session.context(), mixers);
    m_parts.buttons.repaint(before);
    for (const ButtonRef &b : r.buttons) {
        m_parts.session.adoptMixer(b.mixer);
        m_parts.buttons.show(b);
    }
    emit redrawWanted();
    emit tableChanged();
    designChanged(step);
    // Told once for the whole paste, whatever number was left out.
    if (r.buttonsRefused > 0)
        m_parts.dialogs.tell(str(Res::NoFreeChannel).arg(r.buttonsRefused), MsgIcon::Information);
    if (r.figuresRefused > 0)
        m_parts.dialogs.tell(str(Res::FiguresFull).arg(r.figuresRefused), MsgIcon::Information);
}

void PanelDesigner::pasteClipboard(std::optional<QPoint> at)
{
    if (m_clipboard.empty())
        return;
    if (!at) {
        // Each paste lands one grid step further from the copied place.
        ++m_pastes;
        const qint32 step = std::max<qint32>(1, m_panel.GridInterval);
        at = m_clipboard.origin() + QPoint(step, step) * m_pastes;
    }
    pasteAt(m_clipboard, *at, DesignStep::Paste);
}

void PanelDesigner::duplicateSelection()
{
    const DesignClipboard clip = m_parts.tools.copy(m_parts.session.panelMixers());
    if (clip.empty())
        return;
    const qint32 step = std::max<qint32>(1, m_panel.GridInterval);
    pasteAt(clip, clip.origin() + QPoint(step, step), DesignStep::Duplicate);
}

void PanelDesigner::openSurfaceMenu(const QPoint &at)
{
    auto *menu = new QMenu(&m_parts.window);
    menu->setObjectName(QStringLiteral("mnuSurface"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *paste = menu->addAction(str(Res::PasteHere));
    paste->setObjectName(QStringLiteral("mnuPasteHere"));
    paste->setEnabled(!m_clipboard.empty());
    const QPoint twips = m_parts.scale.toTwips(at);
    connect(paste, &QAction::triggered, this, [this, twips] { pasteClipboard(twips); });
    menu->addAction(m_commands->action(E::SelectAll));
    menu->popup(m_parts.backdrop.surface()->mapToGlobal(at));
}

// ---- arranging -----------------------------------------------------------------------

void PanelDesigner::arrange(EditCommand command)
{
    const int mixers = m_parts.session.panelMixers();
    DesignTools &tools = m_parts.tools;
    std::vector<ButtonRef> changed;
    DesignStep step = DesignStep::Align;
    switch (command) {
    case E::AlignLeft: changed = tools.align(AlignEdge::Left, mixers); break;
    case E::AlignRight: changed = tools.align(AlignEdge::Right, mixers); break;
    case E::AlignTop: changed = tools.align(AlignEdge::Top, mixers); break;
    case E::AlignBottom: changed = tools.align(AlignEdge::Bottom, mixers); break;
    case E::AlignHCentre: changed = tools.align(AlignEdge::HorizontalCentre, mixers); break;
    case E::AlignVCentre: changed = tools.align(AlignEdge::VerticalCentre, mixers); break;
    case E::DistributeH:
        changed = tools.distribute(Qt::Horizontal, mixers);
        step = DesignStep::Distribute;
        break;
    case E::DistributeV:
        changed = tools.distribute(Qt::Vertical, mixers);
        step = DesignStep::Distribute;
        break;
    case E::SameWidth:
        changed = tools.matchSize(SizeMatch::Width, m_anchor, mixers);
        step = DesignStep::SameSize;
        break;
    case E::SameHeight:
        changed = tools.matchSize(SizeMatch::Height, m_anchor, mixers);
        step = DesignStep::SameSize;
        break;
    case E::SameSize:
        changed = tools.matchSize(SizeMatch::Both, m_anchor, mixers);
        step = DesignStep::SameSize;
        break;
    default: return;
    }
    for (const ButtonRef &b : changed)
        m_parts.buttons.place(b);
    m_parts.buttons.repaint(changed);
    emit extentChanged();
    designChanged(step);
}

// ---- the design buttons by pointer -----------------------------------------------

void PanelDesigner::onPressed(ButtonRef button, bool ctrl)
{
    if (executing())
        return;
    // A press on a button lets go of the figures the band had taken, unless
    // it adds to the selection.
    if (!ctrl && !m_panel.slot(button.mixer, button.slot).selected) {
        m_parts.tools.forgetFigures();
        if (m_parts.figures.dropSelection())
            emit redrawWanted();
    }
    std::vector<ButtonRef> changed = m_parts.design.press(button, ctrl);
    changed.push_back(button);
    m_anchor = button;
    m_anchorAt = QPoint(m_panel.slot(button.mixer, button.slot).IconLeft, m_panel.slot(button.mixer, button.slot).IconTop);
    selectionChanged(changed);
    if (m_parts.design.moving())
        emit holdStarted();
}

void PanelDesigner::onReleased(const QPoint &offset, Qt::KeyboardModifiers modifiers)
{
    emit holdEnded();
    PanelDesign &design = m_parts.design;
    if (!design.moving())
        return;
    std::vector<ButtonRef> moved = design.release(m_parts.scale.toTwips(offset));
    // With the grid shown the pressed button lands on a grid point and the
    // others keep their places around it; a click without a drag moves
    // nothing.
    if (snapping(modifiers) && design.movedSincePress() && m_anchor
        && m_panel.slot(m_anchor->mixer, m_anchor->slot).selected) {
        const ButtonSlot &pressed = m_panel.slot(m_anchor->mixer, m_anchor->slot);
        const QPoint d = snapMoveDelta(pressed.IconLeft, pressed.IconTop, m_panel.GridInterval);
        if (!d.isNull()) {
            moved = design.selection();
            for (const ButtonRef &b : moved) {
                ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
                s.IconLeft = std::max(s.IconLeft + d.x(), std::min(0, s.IconLeft));
                s.IconTop = std::max(s.IconTop + d.y(), std::min(0, s.IconTop));
            }
        }
    }
    for (const ButtonRef &b : moved)
        m_parts.buttons.place(b);
    m_parts.buttons.repaint(moved);
    figuresFollowAnchor();
    emit extentChanged();
    designChanged(DesignStep::Move);
}

void PanelDesigner::onResizeFinished(ButtonRef button, Qt::Edges edges, Qt::KeyboardModifiers modifiers)
{
    if (snapping(modifiers)) {
        ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
        const ButtonBox snapped = snapResize(ButtonBox::of(s), edges, m_panel.GridInterval, Panel::MinButtonSize);
        s.IconLeft = std::max(snapped.left, std::min(0, s.IconLeft));
        s.IconTop = std::max(snapped.top, std::min(0, s.IconTop));
        s.IconWidth = snapped.width;
        s.IconHeight = snapped.height;
        m_parts.buttons.place(button);
        m_parts.design.takeGeometry(button, m_parts.buttons.pixelRect(button), m_parts.scale, true);
    }
    emit extentChanged();
    designChanged(DesignStep::Resize);
}

void PanelDesigner::figuresFollowAnchor()
{
    // Figures the band took travel with the dragged button, as they do with
    // the arrow keys.
    if (!m_anchor || m_parts.tools.selectedFigures().empty())
        return;
    const ButtonSlot &s = m_panel.slot(m_anchor->mixer, m_anchor->slot);
    const QPoint delta = QPoint(s.IconLeft, s.IconTop) - m_anchorAt;
    if (delta.isNull())
        return;
    m_anchorAt += delta;
    if (m_parts.tools.moveSelectedFigures(delta))
        emit redrawWanted();
}

// ---- the design buttons by keyboard ------------------------------------------------

void PanelDesigner::onArrow(std::optional<ButtonRef> focused, ArrowKey key, Qt::KeyboardModifiers modifiers)
{
    if (executing() || m_parts.design.moving())
        return;
    const int mixers = m_parts.session.panelMixers();
    const qint32 step = (modifiers & Qt::ShiftModifier) ? std::max<qint32>(1, m_panel.GridInterval)
                                                         : PanelDesign::KeyStep;
    QPoint delta;
    switch (key) {
    case ArrowKey::Left: delta = {-step, 0}; break;
    case ArrowKey::Right: delta = {step, 0}; break;
    case ArrowKey::Up: delta = {0, -step}; break;
    case ArrowKey::Down: delta = {0, step}; break;
    }
    std::vector<ButtonRef> moved;
    quint64 key64 = 0;
    if (focused && !m_panel.slot(focused->mixer, focused->slot).selected) {
        // A button with the focus but outside the selection moves alone.
        ButtonSlot &s = m_panel.slot(focused->mixer, focused->slot);
        const qint32 left = std::max(s.IconLeft + delta.x(), std::min(0, s.IconLeft));
        const qint32 top = std::max(s.IconTop + delta.y(), std::min(0, s.IconTop));
        if (left != s.IconLeft || top != s.IconTop)
            moved.push_back(*focused);
        s.IconLeft = left;
        s.IconTop = top;
        key64 = selectionKey({*focused}, {});
    } else {
        const std::vector<FigureRef> figures = m_parts.tools.selectedFigures();
        key64 = selectionKey(m_parts.tools.selectedButtons(mixers), figures);
        moved = m_parts.tools.moveSelection(delta, mixers);
        if (!figures.empty())
            emit redrawWanted();
    }
    for (const ButtonRef &b : moved)
        m_parts.buttons.place(b);
    emit extentChanged();
    designChanged(DesignStep::KeyMove, key64);
}

bool PanelDesigner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        std::optional<ArrowKey> arrow;
        switch (key->key()) {
        case Qt::Key_Left: arrow = ArrowKey::Left; break;
        case Qt::Key_Right: arrow = ArrowKey::Right; break;
        case Qt::Key_Up: arrow = ArrowKey::Up; break;
        case Qt::Key_Down: arrow = ArrowKey::Down; break;
        default: break;
        }
        if (arrow && m_parts.tools.anySelected(m_parts.session.panelMixers())) {
            onArrow(std::nullopt, *arrow, key->modifiers());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

std::optional<ButtonRef> PanelDesigner::focusedDesignButton() const
{
    return m_parts.buttons.focusedDesignButton(m_parts.window.focusWidget());
}

void PanelDesigner::selectByKey(ButtonRef button, bool toggle)
{
    onPressed(button, toggle);
    // A key holds nothing: no move follows.
    m_parts.design.release({});
    emit holdEnded();
}

void PanelDesigner::openButtonMenu(ButtonRef button, const QPoint &globalPos)
{
    if (executing() || !m_parts.buttons.designButton(button))
        return;
    // The menu's commands act on the selection, which takes this button in
    // as a click would; the property dialog opens on this one.
    if (!m_panel.slot(button.mixer, button.slot).selected)
        selectByKey(button, false);
    m_anchor = button;
    m_parts.buttons.designButton(button)->setFocus(Qt::PopupFocusReason);
    if (m_buttonMenu)
        m_buttonMenu->close();
    auto *menu = new QMenu(&m_parts.window);
    menu->setObjectName(QStringLiteral("mnuButton"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_commands->action(E::Properties));
    menu->addSeparator();
    for (E c : {E::Cut, E::Copy, E::Duplicate, E::Delete})
        menu->addAction(m_commands->action(c));
    if (QMenu *align = m_parts.window.findChild<QMenu *>(QStringLiteral("mnuAlign"))) {
        menu->addSeparator();
        menu->addMenu(align);
    }
    m_buttonMenu = menu;
    menu->popup(globalPos);
}

void PanelDesigner::deleteSelection()
{
    const int mixers = m_parts.session.panelMixers();
    // A button with the focus but outside the selection goes alone, as the
    // arrow keys move it alone.
    const std::optional<ButtonRef> focused = focusedDesignButton();
    if (focused && !m_panel.slot(focused->mixer, focused->slot).selected)
        selectByKey(*focused, false);
    const bool figures = !m_parts.tools.selectedFigures().empty();
    const std::vector<ButtonRef> removed = m_parts.tools.removeSelection(mixers);
    if (removed.empty() && !figures)
        return;
    const bool hadFocus = focused.has_value();
    for (const ButtonRef &b : removed)
        m_parts.buttons.close(b);
    if (hadFocus)
        m_parts.backdrop.surface()->setFocus();
    emit redrawWanted();
    emit tableChanged();
    designChanged(figures ? DesignStep::DeleteSelection : DesignStep::Delete);
}

void PanelDesigner::openSelectedProperties()
{
    std::optional<ButtonRef> target = focusedDesignButton();
    if (!target && m_anchor && m_panel.slot(m_anchor->mixer, m_anchor->slot).selected)
        target = m_anchor;
    if (!target) {
        const std::vector<ButtonRef> selected = m_parts.tools.selectedButtons(m_parts.session.panelMixers());
        if (selected.empty())
            return;
        target = selected.front();
    }
    emit propertiesRequested(*target);
}
