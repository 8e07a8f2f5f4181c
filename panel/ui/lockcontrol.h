#pragma once

// The panel window's operator lock as the user meets it: 操作ロックのパス
// フレーズ設定, 自動ロックまでの時間 and 操作をロック in the ﾌｧｲﾙ menu, the
// passphrase asked before a way out of the locked panel, the change of the
// passphrase, and the lock closing again after a cancelled command or when
// nobody touched the PC for the idle time. It owns those menu items and the
// idle watch; the rules are LockFlow's and OperatorLock's, and putting the
// panel into its locked execution state is the window's.

#include "panel/lockflow.h"

#include <QObject>
#include <QTimer>

class Dialogs;
class OperatorLock;
class QAction;
class QMenu;

// Every key, mouse button or touch pressed anywhere in the program, while
// `owner` lives, starts the lock's idle time again.
void watchInputFor(OperatorLock &lock, QObject *owner);
// A question or a menu is open: the lock closing by itself waits for it.
bool answerAwaited();

class LockControl : public QObject
{
    Q_OBJECT

public:
    // Without a lock the control offers nothing and never asks.
    LockControl(OperatorLock *lock, Dialogs &dialogs, QObject *parent);

    const LockFlow &flow() const { return m_flow; }
    bool locked() const { return m_flow.locked(); }
    // The items go above `before` in the ﾌｧｲﾙ menu, and the idle watch
    // starts.
    void addToMenu(QMenu *file, QAction *before);
    QAction *passphraseAction() const { return m_passphraseAction; }
    QAction *lockAction() const { return m_lockAction; }
    QMenu *idleMenu() const { return m_idleMenu; }
    void updateMenu();

    // True when the panel is not locked or the user gave the passphrase
    // (which opens the lock).
    bool pass();
    void changePassphrase();
    // The lock closes (with a passphrase set).
    void lock();
    // The idle watch's work; `left`: the panel is being left.
    void watchIdle(bool left);

signals:
    // The panel is to go into its locked execution state.
    void lockRequested();
    // The lock opened, or the passphrase changed: commands and title follow.
    void lockChanged();
    // The idle watch's second: the window calls watchIdle.
    void idleTick();

private:
    QMenu *buildIdleMenu(QWidget *parent);

    OperatorLock *m_lock;
    LockFlow m_flow;
    Dialogs &m_dialogs;
    QAction *m_passphraseAction = nullptr;
    QAction *m_lockAction = nullptr;
    QMenu *m_idleMenu = nullptr;
    QTimer m_idleTimer;
};
