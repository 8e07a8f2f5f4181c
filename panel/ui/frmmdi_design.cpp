// frmMDI's designer: the 編集 menu (undo and redo, cut, copy, paste,
// duplicate, select all, snap to grid), the alignment menu and toolbar, the
// rubber band, arrow-key moves of the whole selection and the grid snap of
// drags and resizes. Every design change ends here as one step of the
// history.

#include "panel/ui/frmmdi.h"

#include "base/config.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/panelsurface.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRubberBand>
#include <QStyle>
#include <QToolBar>

namespace {

namespace Res {
constexpr int EditMenu = 12030;       // "編集(&E)"
constexpr int Undo = 12031;           // "元に戻す"
constexpr int Redo = 12032;           // "やり直し"
constexpr int WithStep = 12033;       // "%1: %2"
constexpr int Cut = 12034;
constexpr int Copy = 12035;
constexpr int Paste = 12036;
constexpr int Duplicate = 12037;
constexpr int SelectAll = 12038;
constexpr int Deselect = 12039;
constexpr int Snap = 12040;           // "グリッドに合わせる(&G)"
constexpr int AlignMenu = 12041;      // "整列(&L)"
constexpr int FirstAlign = 12042;     // 12042.. in EditCommand order from AlignLeft
constexpr int AlignToolbar = 12053;
constexpr int PasteHere = 12054;
constexpr int NoFreeChannel = 12055;
constexpr int FiguresFull = 12056;
constexpr int Delete = 14204;         // "削除(&E)"
constexpr int Properties = 14205;     // "ボタンのプロパティ(&R)..."
constexpr int SnapTip = 14206;        // "グリッドに合わせる（Shift または Alt を押している間は合わせない）"
} // namespace Res

using E = EditCommand;

const QString SnapKey = QStringLiteral("Panel/SnapToGrid");

// The alignment pictures: boxes against a line, drawn rather than loaded.
QIcon alignIcon(EditCommand c)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QColor ink(0x33, 0x3b, 0x47), face(0x9c, 0xc3, 0xef);
    p.setPen(QPen(ink, 1));
    p.setBrush(face);
    auto line = [&](int x1, int y1, int x2, int y2) {
        p.save();
        p.setPen(QPen(QColor(0x2f, 0x7d, 0xd1), 2));
        p.drawLine(x1, y1, x2, y2);
        p.restore();
    };
    switch (c) {
    case E::AlignLeft: line(3, 2, 3, 22); p.drawRect(4, 5, 14, 5); p.drawRect(4, 14, 9, 5); break;
    case E::AlignRight: line(21, 2, 21, 22); p.drawRect(6, 5, 14, 5); p.drawRect(11, 14, 9, 5); break;
    case E::AlignTop: line(2, 3, 22, 3); p.drawRect(5, 4, 5, 14); p.drawRect(14, 4, 5, 9); break;
    case E::AlignBottom: line(2, 21, 22, 21); p.drawRect(5, 6, 5, 14); p.drawRect(14, 11, 5, 9); break;
    case E::AlignHCentre: line(12, 2, 12, 22); p.drawRect(4, 5, 16, 5); p.drawRect(7, 14, 10, 5); break;
    case E::AlignVCentre: line(2, 12, 22, 12); p.drawRect(5, 4, 5, 16); p.drawRect(14, 7, 5, 10); break;
    case E::DistributeH: p.drawRect(2, 7, 4, 10); p.drawRect(10, 7, 4, 10); p.drawRect(18, 7, 4, 10); break;
    case E::DistributeV: p.drawRect(7, 2, 10, 4); p.drawRect(7, 10, 10, 4); p.drawRect(7, 18, 10, 4); break;
    case E::SameWidth: p.drawRect(4, 4, 16, 6); p.drawRect(4, 14, 16, 6); break;
    case E::SameHeight: p.drawRect(4, 4, 6, 16); p.drawRect(14, 4, 6, 16); break;
    case E::SameSize: p.drawRect(3, 3, 8, 8); p.drawRect(13, 13, 8, 8); break;
    default: break;
    }
    return QIcon(pm);
}

// The snap toggle's picture: grid points with a box on one of them.
QIcon snapIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x33, 0x3b, 0x47), 2));
    for (int x = 4; x <= 20; x += 8)
        for (int y = 4; y <= 20; y += 8)
            p.drawPoint(x, y);
    p.setPen(QPen(QColor(0x2f, 0x7d, 0xd1), 1));
    p.setBrush(QColor(0x9c, 0xc3, 0xef));
    p.drawRect(4, 4, 8, 8);
    return QIcon(pm);
}

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

void FrmMdi::buildEditCommands()
{
    struct Item
    {
        EditCommand command;
        const char *name;
        int captionId;
        QList<QKeySequence> keys;
    };
    const Item items[] = {
        {E::Undo, "mnuUndo", Res::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {E::Redo, "mnuRedo", Res::Redo,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {E::Cut, "mnuCut", Res::Cut, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {E::Copy, "mnuCopy", Res::Copy, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {E::Paste, "mnuPaste", Res::Paste, {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {E::Duplicate, "mnuDuplicate", Res::Duplicate, {QKeySequence(Qt::CTRL | Qt::Key_D)}},
        {E::Delete, "mnuDelete", Res::Delete, {QKeySequence(QKeySequence::Delete)}},
        {E::SelectAll, "mnuSelectAll", Res::SelectAll, {QKeySequence(Qt::CTRL | Qt::Key_A)}},
        {E::Deselect, "mnuDeselect", Res::Deselect, {}},
        {E::Properties, "mnuProperties", Res::Properties, {}},
        {E::Snap, "mnuSnap", Res::Snap, {}},
        {E::AlignLeft, "mnuAlignLeft", Res::FirstAlign, {}},
        {E::AlignRight, "mnuAlignRight", Res::FirstAlign + 1, {}},
        {E::AlignTop, "mnuAlignTop", Res::FirstAlign + 2, {}},
        {E::AlignBottom, "mnuAlignBottom", Res::FirstAlign + 3, {}},
        {E::AlignHCentre, "mnuAlignHCentre", Res::FirstAlign + 4, {}},
        {E::AlignVCentre, "mnuAlignVCentre", Res::FirstAlign + 5, {}},
        {E::DistributeH, "mnuDistributeH", Res::FirstAlign + 6, {}},
        {E::DistributeV, "mnuDistributeV", Res::FirstAlign + 7, {}},
        {E::SameWidth, "mnuSameWidth", Res::FirstAlign + 8, {}},
        {E::SameHeight, "mnuSameHeight", Res::FirstAlign + 9, {}},
        {E::SameSize, "mnuSameSize", Res::FirstAlign + 10, {}},
    };
    for (const Item &item : items) {
        auto *a = new QAction(str(item.captionId), this);
        a->setObjectName(QLatin1String(item.name));
        a->setShortcuts(item.keys);
        const EditCommand c = item.command;
        if (c >= E::AlignLeft) {
            a->setIcon(alignIcon(c));
            a->setIconVisibleInMenu(false);
        }
        connect(a, &QAction::triggered, this, [this, c] { runEdit(c); });
        m_editActions[size_t(c)] = a;
    }
    action(E::Undo)->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    action(E::Redo)->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    action(E::Undo)->setIconVisibleInMenu(false);
    action(E::Redo)->setIconVisibleInMenu(false);

    // Esc is no shortcut of the window: the button table's fields and the
    // dialogs keep theirs. It reaches keyPressEvent from the surface and the
    // buttons; the menu shows it as the command's key (bound to the menu
    // alone, where an open menu takes Esc first), and a screen reader hears
    // it as that, not as part of the command's name.
    action(E::Deselect)->setShortcut(QKeySequence(Qt::Key_Escape));
    action(E::Deselect)->setShortcutContext(Qt::WidgetShortcut);

    m_snap = readUserValue(SnapKey, QStringLiteral("1")) != QLatin1String("0");
    action(E::Snap)->setCheckable(true);
    action(E::Snap)->setChecked(m_snap);
    action(E::Snap)->setIcon(snapIcon());
    action(E::Snap)->setIconVisibleInMenu(false);
    action(E::Snap)->setToolTip(str(Res::SnapTip));
    connect(action(E::Snap), &QAction::toggled, this, [this](bool on) { setSnap(on); });

    // The step's name in the menu: "元に戻す: ボタンの移動".
    QUndoStack &stack = m_history.stack();
    auto named = [](int id, const QString &step) {
        return step.isEmpty() ? str(id) : str(Res::WithStep).arg(str(id), step);
    };
    connect(&stack, &QUndoStack::undoTextChanged, this,
            [this, named](const QString &t) { action(E::Undo)->setText(named(Res::Undo, t)); });
    connect(&stack, &QUndoStack::redoTextChanged, this,
            [this, named](const QString &t) { action(E::Redo)->setText(named(Res::Redo, t)); });
    connect(&stack, &QUndoStack::canUndoChanged, this, [this] { updateEditCommands(); });
    connect(&stack, &QUndoStack::canRedoChanged, this, [this] { updateEditCommands(); });

    // 編集 stands between ﾌｧｲﾙ and ﾎﾞﾀﾝ.
    auto *edit = new QMenu(str(Res::EditMenu), this);
    edit->setObjectName(QStringLiteral("mnuEdit"));
    for (E c : {E::Undo, E::Redo})
        edit->addAction(action(c));
    edit->addSeparator();
    for (E c : {E::Cut, E::Copy, E::Paste, E::Duplicate, E::Delete})
        edit->addAction(action(c));
    edit->addSeparator();
    for (E c : {E::SelectAll, E::Deselect})
        edit->addAction(action(c));
    edit->addSeparator();
    edit->addAction(action(E::Properties));
    edit->addSeparator();
    edit->addAction(action(E::Snap));
    QMenu *align = edit->addMenu(str(Res::AlignMenu));
    align->setObjectName(QStringLiteral("mnuAlign"));
    for (int i = int(E::AlignLeft); i <= int(E::SameSize); ++i) {
        if (i == int(E::DistributeH) || i == int(E::SameWidth))
            align->addSeparator();
        align->addAction(m_editActions[size_t(i)]);
    }
    QMenu *buttons = menuBar()->findChild<QMenu *>(QStringLiteral("mnuIcon"));
    menuBar()->insertMenu(buttons ? buttons->menuAction() : nullptr, edit);

    // Undo and redo on the main toolbar, after the file buttons.
    QAction *first = m_toolbar->actions().value(2);
    m_toolbar->insertAction(first, action(E::Undo));
    m_toolbar->insertAction(first, action(E::Redo));
    m_toolbar->insertSeparator(first);
    m_toolbar->widgetForAction(action(E::Undo))->setObjectName(QStringLiteral("tolUndo"));
    m_toolbar->widgetForAction(action(E::Redo))->setObjectName(QStringLiteral("tolRedo"));

    // On a row of its own, so the panel's own toolbar keeps its length.
    addToolBarBreak();
    m_alignToolbar = addToolBar(str(Res::AlignToolbar));
    m_alignToolbar->setObjectName(QStringLiteral("tolAlignBar"));
    m_alignToolbar->setAccessibleName(str(Res::AlignToolbar));
    m_alignToolbar->setMovable(false);
    m_alignToolbar->setIconSize(QSize(24, 24));
    for (int i = int(E::AlignLeft); i <= int(E::SameSize); ++i) {
        if (i == int(E::DistributeH) || i == int(E::SameWidth))
            m_alignToolbar->addSeparator();
        m_alignToolbar->addAction(m_editActions[size_t(i)]);
    }
    // The snap as a toggle at hand, for desktops that take Alt+drag to move
    // windows (Shift bypasses it too).
    m_alignToolbar->addSeparator();
    m_alignToolbar->addAction(action(E::Snap));
    m_alignToolbar->widgetForAction(action(E::Snap))->setObjectName(QStringLiteral("tolSnap"));
    updateEditCommands();
}

QAction *FrmMdi::action(EditCommand command) const
{
    return m_editActions[size_t(command)];
}

void FrmMdi::runEdit(EditCommand command)
{
    if (executing())
        return;
    if ((command == E::Undo || command == E::Redo) && (m_design.moving() || m_figures.dragging()))
        return;
    // The armed drawing tools go down first, giving back the entry each
    // holds for its figure: a step undone, redone or pasted across such an
    // entry would lose a figure or count one that is not there.
    if (command != E::Copy && command != E::Snap)
        resetFigureEditing();
    const int mixers = panelMixers();
    switch (command) {
    case E::Undo:
        // A change that was made without a step of its own is kept as one
        // before the history steps back over it.
        designChanged(DesignStep::Properties);
        m_history.stack().undo();
        break;
    case E::Redo: m_history.stack().redo(); break;
    case E::Cut: cutSelection(); break;
    case E::Copy: copySelection(); break;
    case E::Paste: pasteClipboard(std::nullopt); break;
    case E::Duplicate: duplicateSelection(); break;
    case E::Delete: deleteSelection(); break;
    case E::Properties: openSelectedProperties(); break;
    case E::SelectAll:
        selectionChanged(m_tools.selectAll(mixers));
        RedrawPanel();
        break;
    case E::Deselect:
        if (m_band)
            m_band->hide();
        selectionChanged(m_tools.clearSelection(mixers));
        RedrawPanel();
        break;
    case E::Snap: break;   // a check item: toggled
    default: arrange(command); break;
    }
}

void FrmMdi::updateEditCommands()
{
    if (!m_editActions[0])
        return;
    const bool design = !executing();
    const int mixers = panelMixers();
    const size_t buttons = m_tools.selectedButtons(mixers).size();
    const bool any = buttons > 0 || !m_tools.selectedFigures().empty();
    action(E::Undo)->setEnabled(design && m_history.stack().canUndo());
    action(E::Redo)->setEnabled(design && m_history.stack().canRedo());
    action(E::Cut)->setEnabled(design && any);
    action(E::Copy)->setEnabled(design && any);
    action(E::Duplicate)->setEnabled(design && any);
    action(E::Delete)->setEnabled(design && (any || focusedDesignButton()));
    action(E::Properties)->setEnabled(design && (buttons > 0 || focusedDesignButton()));
    action(E::Paste)->setEnabled(design && !m_clipboard.empty());
    action(E::SelectAll)->setEnabled(design);
    action(E::Deselect)->setEnabled(design);
    action(E::Snap)->setEnabled(design);
    for (int i = int(E::AlignLeft); i <= int(E::SameSize); ++i) {
        const bool spread = i == int(E::DistributeH) || i == int(E::DistributeV);
        m_editActions[size_t(i)]->setEnabled(design && buttons >= (spread ? 3u : 2u));
    }
}

void FrmMdi::designChanged(DesignStep step, quint64 moved)
{
    if (executing())
        return;
    m_history.commit(step, moved);
}

void FrmMdi::afterRestore(const DesignChange &change)
{
    // Figures were renumbered, added or removed: no figure stays selected.
    resetFigureEditing();
    m_tools.forgetFigures();
    for (const ButtonRef &b : change.disappeared)
        closeButton(b);
    for (const ButtonRef &b : change.appeared) {
        adoptMixer(b.mixer);
        showButton(b);
    }
    for (const ButtonRef &b : change.changed)
        placeButton(b);
    repaintButtons(change.changed);
    if (change.image)
        m_imageReload = true;
    if (change.surface || change.image)
        RedrawPanel();
    else
        updateExtent();
    updateCommands();
    refreshTable();
}

bool FrmMdi::snapping(Qt::KeyboardModifiers modifiers) const
{
    // Alt+drag moves windows on many desktops: Shift lets a drag go free too.
    return m_snap && m_panel.GridOnOff && m_panel.GridInterval > 0
           && !(modifiers & (Qt::AltModifier | Qt::ShiftModifier));
}

void FrmMdi::setSnap(bool on)
{
    m_snap = on;
    writeUserValue(SnapKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void FrmMdi::selectionChanged(const std::vector<ButtonRef> &buttons)
{
    repaintButtons(buttons);
    updateEditCommands();
}

// ---- clipboard ---------------------------------------------------------------------

void FrmMdi::copySelection()
{
    DesignClipboard clip = m_tools.copy(panelMixers());
    if (clip.empty())
        return;
    m_clipboard = std::move(clip);
    m_pastes = 0;
    updateEditCommands();
}

void FrmMdi::cutSelection()
{
    copySelection();
    const std::vector<ButtonRef> removed = m_tools.removeSelection(panelMixers());
    for (const ButtonRef &b : removed)
        closeButton(b);
    RedrawPanel();
    refreshTable();
    designChanged(DesignStep::Cut);
}

void FrmMdi::pasteAt(const DesignClipboard &clip, QPoint at, DesignStep step)
{
    const std::vector<ButtonRef> before = m_tools.selectedButtons(panelMixers());
    const PasteResult r = m_tools.paste(clip, at, context(), panelMixers());
    repaintButtons(before);
    for (const ButtonRef &b : r.buttons) {
        adoptMixer(b.mixer);
        showButton(b);
    }
    RedrawPanel();
    refreshTable();
    designChanged(step);
    // Told once for the whole paste, whatever number was left out.
    if (r.buttonsRefused > 0)
        m_ctx.dialogs.tell(str(Res::NoFreeChannel).arg(r.buttonsRefused), MsgIcon::Information);
    if (r.figuresRefused > 0)
        m_ctx.dialogs.tell(str(Res::FiguresFull).arg(r.figuresRefused), MsgIcon::Information);
}

void FrmMdi::pasteClipboard(std::optional<QPoint> at)
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

void FrmMdi::duplicateSelection()
{
    const DesignClipboard clip = m_tools.copy(panelMixers());
    if (clip.empty())
        return;
    const qint32 step = std::max<qint32>(1, m_panel.GridInterval);
    pasteAt(clip, clip.origin() + QPoint(step, step), DesignStep::Duplicate);
}

// ---- arranging -----------------------------------------------------------------------

void FrmMdi::arrange(EditCommand command)
{
    const int mixers = panelMixers();
    std::vector<ButtonRef> changed;
    DesignStep step = DesignStep::Align;
    switch (command) {
    case E::AlignLeft: changed = m_tools.align(AlignEdge::Left, mixers); break;
    case E::AlignRight: changed = m_tools.align(AlignEdge::Right, mixers); break;
    case E::AlignTop: changed = m_tools.align(AlignEdge::Top, mixers); break;
    case E::AlignBottom: changed = m_tools.align(AlignEdge::Bottom, mixers); break;
    case E::AlignHCentre: changed = m_tools.align(AlignEdge::HorizontalCentre, mixers); break;
    case E::AlignVCentre: changed = m_tools.align(AlignEdge::VerticalCentre, mixers); break;
    case E::DistributeH:
        changed = m_tools.distribute(Qt::Horizontal, mixers);
        step = DesignStep::Distribute;
        break;
    case E::DistributeV:
        changed = m_tools.distribute(Qt::Vertical, mixers);
        step = DesignStep::Distribute;
        break;
    case E::SameWidth:
        changed = m_tools.matchSize(SizeMatch::Width, m_anchor, mixers);
        step = DesignStep::SameSize;
        break;
    case E::SameHeight:
        changed = m_tools.matchSize(SizeMatch::Height, m_anchor, mixers);
        step = DesignStep::SameSize;
        break;
    case E::SameSize:
        changed = m_tools.matchSize(SizeMatch::Both, m_anchor, mixers);
        step = DesignStep::SameSize;
        break;
    default: return;
    }
    for (const ButtonRef &b : changed)
        placeButton(b);
    repaintButtons(changed);
    updateExtent();
    designChanged(step);
}

// ---- pointer and keys ------------------------------------------------------------

void FrmMdi::beginBand(const QPoint &at, bool add)
{
    if (!m_band) {
        m_band = new QRubberBand(QRubberBand::Rectangle, m_surface);
        m_band->setObjectName(QStringLiteral("selectionBand"));
    }
    m_bandStart = at;
    m_bandAdds = add;
    m_band->setGeometry(QRect(at, QSize(1, 1)));
    m_band->show();
    m_band->raise();
}

void FrmMdi::openSurfaceMenu(const QPoint &at)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuSurface"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *paste = menu->addAction(str(Res::PasteHere));
    paste->setObjectName(QStringLiteral("mnuPasteHere"));
    paste->setEnabled(!m_clipboard.empty());
    const QPoint twips = m_scale.toTwips(at);
    connect(paste, &QAction::triggered, this, [this, twips] { pasteClipboard(twips); });
    menu->addAction(action(E::SelectAll));
    menu->popup(m_surface->mapToGlobal(at));
}

void FrmMdi::onResizeFinished(ButtonRef button, Qt::Edges edges, Qt::KeyboardModifiers modifiers)
{
    if (snapping(modifiers)) {
        ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
        const ButtonBox snapped = snapResize(ButtonBox::of(s), edges, m_panel.GridInterval, Panel::MinButtonSize);
        s.IconLeft = std::max(snapped.left, std::min(0, s.IconLeft));
        s.IconTop = std::max(snapped.top, std::min(0, s.IconTop));
        s.IconWidth = snapped.width;
        s.IconHeight = snapped.height;
        placeButton(button);
        m_design.takeGeometry(button, pixelRect(button), m_scale, true);
    }
    updateExtent();
    designChanged(DesignStep::Resize);
}

void FrmMdi::figuresFollowAnchor()
{
    // Figures the band took travel with the dragged button, as they do with
    // the arrow keys.
    if (!m_anchor || m_tools.selectedFigures().empty())
        return;
    const ButtonSlot &s = m_panel.slot(m_anchor->mixer, m_anchor->slot);
    const QPoint delta = QPoint(s.IconLeft, s.IconTop) - m_anchorAt;
    if (delta.isNull())
        return;
    m_anchorAt += delta;
    if (m_tools.moveSelectedFigures(delta))
        RedrawPanel();
}

void FrmMdi::onArrow(std::optional<ButtonRef> focused, ArrowKey key, Qt::KeyboardModifiers modifiers)
{
    if (executing() || m_design.moving())
        return;
    const int mixers = panelMixers();
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
        const std::vector<FigureRef> figures = m_tools.selectedFigures();
        key64 = selectionKey(m_tools.selectedButtons(mixers), figures);
        moved = m_tools.moveSelection(delta, mixers);
        if (!figures.empty())
            RedrawPanel();
    }
    for (const ButtonRef &b : moved)
        placeButton(b);
    updateExtent();
    designChanged(DesignStep::KeyMove, key64);
}

void FrmMdi::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !executing()) {
        runEdit(E::Deselect);
        return;
    }
    QMainWindow::keyPressEvent(event);
}
