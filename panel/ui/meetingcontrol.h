#pragma once

// The meeting console as the panel window offers it: the 会議 menu and its
// toolbar buttons (全員オフ, 次の発言者, 発言要求 and 要求取り消し for the seat
// that has the keyboard or the request chosen in the list, 会議開始, 会議設定,
// 発言記録), each with a key; the request list beside the panel with each
// request's order and waiting time; and on each switched-on execution
// button its running time. Once a second it lets the console follow the
// time and repaints only the buttons whose text changed. The rules are
// MeetingConsole's.

#include "panel/meetingconsole.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>

class ButtonWindows;
class Dialogs;
class FrmSpeakingRecord;
class QAction;
class QDockWidget;
class QListWidget;
class QMainWindow;
class QMenuBar;
class QToolBar;

class MeetingControl : public QObject
{
    Q_OBJECT

public:
    enum class Action { AllOff, Next, Request, Withdraw, StartMeeting, Settings, Record, Count };

    struct Context
    {
        QMainWindow &window;
        MeetingConsole &console;
        ButtonWindows &buttons;
        Dialogs &dialogs;
    };
    MeetingControl(Context context, QObject *parent);

    // The 会議 menu goes into `bar`; the operating actions get a toolbar of
    // their own below the window's, shown in the execution state.
    void addTo(QMenuBar *bar);
    QToolBar *toolbar() const { return m_toolbar; }
    QAction *action(Action a) const { return m_actions[size_t(a)]; }
    QDockWidget *requestDock() const { return m_dock; }
    QListWidget *requestList() const { return m_list; }
    FrmSpeakingRecord *recordWindow() const { return m_record; }

    // The panel entered or left its execution state (locked or not): the
    // actions follow, the times are shown or go. `designable`: 会議設定 may
    // change the design (not while locked).
    void setExecuting(bool executing, bool designable);
    // The execution buttons were made anew: each shows its seat again.
    void showAllSeats();
    // The once-a-second work (the timer's; a test calls it on virtual time).
    void tick();
    // The seat for 発言要求 and 要求取り消し: the execution button with the
    // keyboard, else the request chosen in the list.
    std::optional<ButtonRef> chosenSeat() const;

signals:
    // 会議設定 changed the panel's settings: a change of the design.
    void settingsEdited();

private:
    void buildActions();
    void run(Action a);
    void openSettings();
    void openRecord();
    void showSeat(ButtonRef seat);
    void showRefusal(ButtonRef seat, MeetingRefusal why);
    void refreshRequests();

    Context m_ctx;
    std::array<QAction *, size_t(Action::Count)> m_actions{};
    QDockWidget *m_dock = nullptr;
    QToolBar *m_toolbar = nullptr;
    QListWidget *m_list = nullptr;
    QPointer<FrmSpeakingRecord> m_record;
    QTimer m_second;
    bool m_executing = false;
    bool m_designable = true;
};
