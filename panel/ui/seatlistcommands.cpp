#include "panel/ui/seatlistcommands.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/designhistory.h"
#include "panel/panelsession.h"
#include "panel/seatlist.h"
#include "panel/ui/paneldesigner.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>

namespace {

namespace Res {
constexpr int Menu = 14917;         // "座席表(&T)"
constexpr int Import = 14918;
constexpr int Export = 14919;
constexpr int Paste = 14920;
constexpr int Filter = 14921;       // "座席表 (CSV)|*.csv"
constexpr int Refused = 14922;      // "座席表は読み込まれませんでした。何も変わっていません。\n%1"
constexpr int Unreadable = 14923;   // "ファイルを読めません: %1"
constexpr int NotSaved = 14924;
constexpr int TooLarge = 14925;
constexpr int ImportTitle = 14926;  // "座席表の読み込み"
constexpr int ExportTitle = 14927;
} // namespace Res

// A seating list of 128 seats is a few kilobytes; a file or a clipboard
// past this is not one.
constexpr qint64 MaxFileBytes = 1024 * 1024;

} // namespace

SeatListCommands::SeatListCommands(Parts parts) : QObject(&parts.window), m_parts(parts)
{
    struct Item
    {
        SeatCommand command;
        const char *name;
        int captionId;
        QKeySequence key;
    };
    const Item items[] = {
        {SeatCommand::Import, "mnuSeatImport", Res::Import, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)},
        {SeatCommand::Export, "mnuSeatExport", Res::Export, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
        {SeatCommand::Paste, "mnuSeatPaste", Res::Paste, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
    };
    for (const Item &item : items) {
        auto *a = new QAction(str(item.captionId), this);
        a->setObjectName(QLatin1String(item.name));
        a->setShortcut(item.key);
        m_actions[std::size_t(item.command)] = a;
    }
    connect(action(SeatCommand::Import), &QAction::triggered, this, &SeatListCommands::importFile);
    connect(action(SeatCommand::Export), &QAction::triggered, this, &SeatListCommands::exportFile);
    connect(action(SeatCommand::Paste), &QAction::triggered, this, &SeatListCommands::pasteTable);
    buildMenu();
}

void SeatListCommands::buildMenu()
{
    auto *edit = m_parts.window.findChild<QMenu *>(QStringLiteral("mnuEdit"));
    if (!edit)
        return;
    edit->addSeparator();
    QMenu *seats = edit->addMenu(str(Res::Menu));
    seats->setObjectName(QStringLiteral("mnuSeats"));
    for (QAction *a : m_actions)
        seats->addAction(a);
}

void SeatListCommands::update(bool design)
{
    for (QAction *a : m_actions)
        a->setEnabled(design);
}

void SeatListCommands::importFile()
{
    const QString path = m_parts.dialogs.openFileName(str(Res::ImportTitle), QString(),
                                                      fileDialogFilter(str(Res::Filter)));
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_parts.dialogs.tell(str(Res::Unreadable).arg(path), MsgIcon::Warning);
        return;
    }
    if (f.size() > MaxFileBytes) {
        m_parts.dialogs.tell(str(Res::TooLarge), MsgIcon::Warning);
        return;
    }
    importText(seatListText(f.readAll()));
}

void SeatListCommands::pasteTable()
{
    importText(QGuiApplication::clipboard()->text());
}

bool SeatListCommands::importText(const QString &text)
{
    if (text.size() > MaxFileBytes) {
        m_parts.dialogs.tell(str(Res::TooLarge), MsgIcon::Warning);
        return false;
    }
    const SeatTable table = readSeatTable(text, m_parts.session.panelMixers());
    if (!table.ok()) {
        m_parts.dialogs.tell(str(Res::Refused).arg(table.refusal->message()), MsgIcon::Warning);
        return false;
    }
    m_parts.designer.resetFigureEditing();
    const DesignSnapshot before = DesignSnapshot::capture(m_parts.panel);
    applySeatPlan(m_parts.panel, planSeats(m_parts.panel, table.seats));
    m_parts.designer.showChange(designChange(before, DesignSnapshot::capture(m_parts.panel)));
    m_parts.designer.designChanged(DesignStep::SeatList);
    return true;
}

void SeatListCommands::exportFile()
{
    const QString path = m_parts.dialogs.saveFileName(str(Res::ExportTitle),
                                                      QStringLiteral("seats.csv"), fileDialogFilter(str(Res::Filter)));
    if (path.isEmpty())
        return;
    const QByteArray csv = seatListCsv(m_parts.panel, m_parts.session.panelMixers());
    QSaveFile f(path);
    if (!(f.open(QIODevice::WriteOnly) && f.write(csv) == csv.size() && f.commit()))
        m_parts.dialogs.tell(str(Res::NotSaved), MsgIcon::Warning);
}
