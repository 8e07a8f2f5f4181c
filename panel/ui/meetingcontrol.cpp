#include "panel/ui/meetingcontrol.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmeetingsetting.h"
#include "panel/ui/frmspeakingrecord.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {
namespace MeetingRes {
constexpr int Settings = 14409;     // "会議設定(&M)..."
constexpr int AllOff = 14410;       // "全員オフ(&A)"
constexpr int Next = 14411;         // "次の発言者(&N)"
constexpr int Request = 14412;      // "発言要求(&R)"
constexpr int Withdraw = 14413;     // "要求取り消し(&W)"
constexpr int Start = 14414;        // "会議開始(&S)"
constexpr int Record = 14415;       // "発言記録(&L)..."
constexpr int Menu = 14416;         // "会議(&G)"
constexpr int Requests = 14440;     // "発言要求一覧"
constexpr int RequestItem = 14441;  // "%1. %2  %3待ち"
constexpr int StartQuestion = 14445;
constexpr int ListWords = 14453;    // "発言要求の一覧: 順番、席と待ち時間"
constexpr int LimitShort = 14454;   // "上限": on a button there is room for little
} // namespace MeetingRes

using A = MeetingControl::Action;

struct MeetingActionInfo
{
    A action;
    const char *name;
    int caption;
    QKeySequence key;
};

const MeetingActionInfo MeetingActions[] = {
    {A::AllOff, "mnuAllOff", MeetingRes::AllOff, QKeySequence(Qt::Key_F5)},
    {A::Next, "mnuNextSpeaker", MeetingRes::Next, QKeySequence(Qt::Key_F6)},
    {A::Request, "mnuRequest", MeetingRes::Request, QKeySequence(Qt::Key_F7)},
    {A::Withdraw, "mnuWithdraw", MeetingRes::Withdraw, QKeySequence(Qt::SHIFT | Qt::Key_F7)},
    {A::StartMeeting, "mnuStartMeeting", MeetingRes::Start, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F5)},
    {A::Settings, "mnuMeetingSetting", MeetingRes::Settings, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)},
    {A::Record, "mnuSpeakingRecord", MeetingRes::Record, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
};

QString requestSeatName(const PanelState &panel, ButtonRef seat)
{
    return accessibleWords(panel.slot(seat.mixer, seat.slot).IconText);
}

} // namespace

MeetingControl::MeetingControl(Context context, QObject *parent) : QObject(parent), m_ctx(context)
{
    buildActions();
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("lstRequests"));
    m_list->setAccessibleName(str(MeetingRes::Requests));
    m_list->setAccessibleDescription(str(MeetingRes::ListWords));
    m_dock = new QDockWidget(str(MeetingRes::Requests), &m_ctx.window);
    m_dock->setObjectName(QStringLiteral("dockRequests"));
    m_dock->setWidget(m_list);
    m_dock->setFeatures(QDockWidget::DockWidgetMovable);
    m_ctx.window.addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->hide();

    m_second.setObjectName(QStringLiteral("meetingSecond"));
    m_second.setInterval(1000);
    connect(&m_second, &QTimer::timeout, this, &MeetingControl::tick);
    MeetingConsole &c = m_ctx.console;
    connect(&c, &MeetingConsole::seatChanged, this, &MeetingControl::showSeat);
    connect(&c, &MeetingConsole::refused, this, &MeetingControl::showRefusal);
    connect(&c, &MeetingConsole::requestsChanged, this, &MeetingControl::refreshRequests);
    setExecuting(false, true);
}

void MeetingControl::buildActions()
{
    for (const MeetingActionInfo &info : MeetingActions) {
        auto *a = new QAction(str(info.caption), &m_ctx.window);
        a->setObjectName(QLatin1String(info.name));
        a->setShortcut(info.key);
        a->setToolTip(joinAccessible({str(info.caption), info.key.toString(QKeySequence::NativeText)}));
        const A which = info.action;
        connect(a, &QAction::triggered, this, [this, which] { run(which); });
        m_actions[size_t(info.action)] = a;
    }
}

void MeetingControl::addTo(QMenuBar *bar)
{
    QMenu *menu = bar->addMenu(str(MeetingRes::Menu));
    menu->setObjectName(QStringLiteral("mnuMeeting"));
    for (A a : {A::AllOff, A::Next, A::Request, A::Withdraw})
        menu->addAction(action(a));
    menu->addSeparator();
    for (A a : {A::StartMeeting, A::Settings, A::Record})
        menu->addAction(action(a));
    m_ctx.window.addToolBarBreak();
    m_toolbar = m_ctx.window.addToolBar(accessibleWords(str(MeetingRes::Menu)));
    m_toolbar->setObjectName(QStringLiteral("tbrMeeting"));
    m_toolbar->setMovable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (A a : {A::AllOff, A::Next, A::Request, A::Withdraw})
        m_toolbar->addAction(action(a));
    m_toolbar->addSeparator();
    m_toolbar->addAction(action(A::Record));
    m_toolbar->setVisible(m_executing);
}

void MeetingControl::setExecuting(bool executing, bool designable)
{
    m_executing = executing;
    m_designable = designable;
    for (A a : {A::AllOff, A::Next, A::Request, A::Withdraw, A::StartMeeting})
        action(a)->setEnabled(executing);
    action(A::Settings)->setEnabled(designable);
    m_dock->setVisible(executing);
    if (m_toolbar)
        m_toolbar->setVisible(executing);
    if (executing)
        m_second.start();
    else
        m_second.stop();
    refreshRequests();
}

std::optional<ButtonRef> MeetingControl::chosenSeat() const
{
    if (auto *icon = qobject_cast<FrmExeIcon *>(QApplication::focusWidget()))
        return icon->button();
    if (QListWidgetItem *item = m_list->currentItem())
        return ButtonRef{item->data(Qt::UserRole).toInt(), item->data(Qt::UserRole + 1).toInt()};
    return std::nullopt;
}

void MeetingControl::run(Action a)
{
    MeetingConsole &c = m_ctx.console;
    const std::optional<ButtonRef> seat = chosenSeat();
    switch (a) {
    case A::AllOff: c.allOff(); break;
    case A::Next: c.next(); break;
    case A::Request: seat ? void(c.request(*seat)) : showRefusal({-1, -1}, MeetingRefusal::NoSeat); break;
    case A::Withdraw: seat ? void(c.withdraw(*seat)) : showRefusal({-1, -1}, MeetingRefusal::NotRequested); break;
    case A::StartMeeting:
        if (m_ctx.dialogs.message(str(MeetingRes::StartQuestion), MsgButtons::OkCancel, MsgIcon::Question,
                                  QStringLiteral("ZK-VR340a")) == MsgAnswer::Ok)
            c.startMeeting();
        break;
    case A::Settings: openSettings(); break;
    case A::Record: openRecord(); break;
    case A::Count: break;
    }
}

void MeetingControl::openSettings()
{
    auto *dialog = new FrmMeetingSetting(m_ctx.console.settings(), &m_ctx.window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        if (dialog->settings() == m_ctx.console.settings())
            return;
        m_ctx.console.setSettings(dialog->settings());
        emit settingsEdited();
    });
    dialog->open();
}

void MeetingControl::openRecord()
{
    if (!m_record) {
        m_record = new FrmSpeakingRecord(m_ctx.console, m_ctx.dialogs, &m_ctx.window);
        m_record->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_record->show();
    m_record->raise();
    m_record->activateWindow();
}

void MeetingControl::showSeat(ButtonRef seat)
{
    FrmExeIcon *icon = m_ctx.buttons.executionButton(seat);
    if (!icon)
        return;
    const MeetingConsole &c = m_ctx.console;
    FrmExeIcon::SeatView view;
    view.chair = c.isChair(seat);
    if (m_executing && icon->isOn() && c.seconds(seat) > 0) {
        view.time = runningTimeText(c.seconds(seat));
        view.mark = c.mark(seat);
    }
    icon->showSeat(view);
}

void MeetingControl::showAllSeats()
{
    for (const ButtonRef &seat : m_ctx.console.seats())
        showSeat(seat);
}

void MeetingControl::tick()
{
    MeetingConsole &c = m_ctx.console;
    c.tick();
    if (c.anyRunning())
        showAllSeats();
    // The waiting times in the list move on.
    if (!c.requests().empty())
        refreshRequests();
}

void MeetingControl::showRefusal(ButtonRef seat, MeetingRefusal why)
{
    const QString text = refusalText(why);
    if (seat.mixer >= 0)
        if (FrmExeIcon *icon = m_ctx.buttons.executionButton(seat))
            icon->showNotice(why == MeetingRefusal::Limit ? str(MeetingRes::LimitShort) : text, text);
    m_ctx.window.statusBar()->showMessage(text, 3000);
}

void MeetingControl::refreshRequests()
{
    const MeetingConsole &c = m_ctx.console;
    const auto &requests = c.requests().requests();
    m_list->setUpdatesEnabled(false);
    while (m_list->count() > int(requests.size()))
        delete m_list->takeItem(m_list->count() - 1);
    for (int i = 0; i < int(requests.size()); ++i) {
        const RequestList::Request &r = requests[size_t(i)];
        const QString text = str(MeetingRes::RequestItem)
                                 .arg(i + 1)
                                 .arg(requestSeatName(c.panel(), r.seat), runningTimeText(c.waiting(r)));
        QListWidgetItem *item = m_list->item(i);
        if (!item)
            item = new QListWidgetItem(m_list);
        if (item->text() != text)
            item->setText(text);
        item->setData(Qt::UserRole, r.seat.mixer);
        item->setData(Qt::UserRole + 1, r.seat.slot);
    }
    m_list->setUpdatesEnabled(true);
}
