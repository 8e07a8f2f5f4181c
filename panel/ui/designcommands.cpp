#include "panel/ui/designcommands.h"

#include "base/strings.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

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

} // namespace

DesignCommands::DesignCommands(QMainWindow &window, QToolBar *toolbar1, QUndoStack &history, bool snap)
    : QObject(&window)
{
    createActions(snap);
    nameAfterSteps(history);
    buildMenu(window);
    buildToolbars(window, toolbar1);
}

void DesignCommands::createActions(bool snap)
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
        connect(a, &QAction::triggered, this, [this, c] { emit triggered(c); });
        m_actions[size_t(c)] = a;
    }
    action(E::Undo)->setIcon(QApplication::style()->standardIcon(QStyle::SP_ArrowBack));
    action(E::Redo)->setIcon(QApplication::style()->standardIcon(QStyle::SP_ArrowForward));
    action(E::Undo)->setIconVisibleInMenu(false);
    action(E::Redo)->setIconVisibleInMenu(false);

    // Esc is no shortcut of the window: the button table's fields and the
    // dialogs keep theirs. It reaches keyPressEvent from the surface and the
    // buttons; the menu shows it as the command's key (bound to the menu
    // alone, where an open menu takes Esc first), and a screen reader hears
    // it as that, not as part of the command's name.
    action(E::Deselect)->setShortcut(QKeySequence(Qt::Key_Escape));
    action(E::Deselect)->setShortcutContext(Qt::WidgetShortcut);

    action(E::Snap)->setCheckable(true);
    action(E::Snap)->setChecked(snap);
    action(E::Snap)->setIcon(snapIcon());
    action(E::Snap)->setIconVisibleInMenu(false);
    action(E::Snap)->setToolTip(str(Res::SnapTip));
    connect(action(E::Snap), &QAction::toggled, this, &DesignCommands::snapToggled);
}

void DesignCommands::nameAfterSteps(QUndoStack &history)
{
    // The step's name in the menu: "元に戻す: ボタンの移動".
    auto named = [](int id, const QString &step) {
        return step.isEmpty() ? str(id) : str(Res::WithStep).arg(str(id), step);
    };
    connect(&history, &QUndoStack::undoTextChanged, this,
            [this, named](const QString &t) { action(E::Undo)->setText(named(Res::Undo, t)); });
    connect(&history, &QUndoStack::redoTextChanged, this,
            [this, named](const QString &t) { action(E::Redo)->setText(named(Res::Redo, t)); });
}

void DesignCommands::buildMenu(QMainWindow &window)
{
    // 編集 stands between ﾌｧｲﾙ and ﾎﾞﾀﾝ.
    auto *edit = new QMenu(str(Res::EditMenu), &window);
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
        align->addAction(m_actions[size_t(i)]);
    }
    QMenu *buttons = window.menuBar()->findChild<QMenu *>(QStringLiteral("mnuIcon"));
    window.menuBar()->insertMenu(buttons ? buttons->menuAction() : nullptr, edit);
}

void DesignCommands::buildToolbars(QMainWindow &window, QToolBar *toolbar1)
{
    // Undo and redo on the main toolbar, after the file buttons.
    QAction *first = toolbar1->actions().value(2);
    toolbar1->insertAction(first, action(E::Undo));
    toolbar1->insertAction(first, action(E::Redo));
    toolbar1->insertSeparator(first);
    toolbar1->widgetForAction(action(E::Undo))->setObjectName(QStringLiteral("tolUndo"));
    toolbar1->widgetForAction(action(E::Redo))->setObjectName(QStringLiteral("tolRedo"));

    // On a row of its own, so the panel's own toolbar keeps its length.
    window.addToolBarBreak();
    m_alignToolbar = window.addToolBar(str(Res::AlignToolbar));
    m_alignToolbar->setObjectName(QStringLiteral("tolAlignBar"));
    m_alignToolbar->setAccessibleName(str(Res::AlignToolbar));
    m_alignToolbar->setMovable(false);
    m_alignToolbar->setIconSize(QSize(24, 24));
    for (int i = int(E::AlignLeft); i <= int(E::SameSize); ++i) {
        if (i == int(E::DistributeH) || i == int(E::SameWidth))
            m_alignToolbar->addSeparator();
        m_alignToolbar->addAction(m_actions[size_t(i)]);
    }
    // The snap as a toggle at hand, for desktops that take Alt+drag to move
    // windows (Shift bypasses it too).
    m_alignToolbar->addSeparator();
    m_alignToolbar->addAction(action(E::Snap));
    m_alignToolbar->widgetForAction(action(E::Snap))->setObjectName(QStringLiteral("tolSnap"));
}

void DesignCommands::update(const EditEnabling &on)
{
    const bool any = on.buttons > 0 || on.figures;
    action(E::Undo)->setEnabled(on.design && on.canUndo);
    action(E::Redo)->setEnabled(on.design && on.canRedo);
    action(E::Cut)->setEnabled(on.design && any);
    action(E::Copy)->setEnabled(on.design && any);
    action(E::Duplicate)->setEnabled(on.design && any);
    action(E::Delete)->setEnabled(on.design && (any || on.focusedButton));
    action(E::Properties)->setEnabled(on.design && (on.buttons > 0 || on.focusedButton));
    action(E::Paste)->setEnabled(on.design && on.canPaste);
    action(E::SelectAll)->setEnabled(on.design);
    action(E::Deselect)->setEnabled(on.design);
    action(E::Snap)->setEnabled(on.design);
    for (int i = int(E::AlignLeft); i <= int(E::SameSize); ++i) {
        const bool spread = i == int(E::DistributeH) || i == int(E::DistributeV);
        m_actions[size_t(i)]->setEnabled(on.design && on.buttons >= (spread ? 3u : 2u));
    }
}
