#include "panel/ui/lockcontrol.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/operatorlock.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>

namespace {

namespace Res {
constexpr int PassphraseMenu = 12100; // "操作ロックのパスフレーズ設定(&K)..."
constexpr int LockMenu = 12101;       // "操作をロック(&L)"
constexpr int LockTitle = 12102;      // "操作ロック"
constexpr int LockedAsk = 12103;      // "操作はロックされています。パスフレーズを..."
constexpr int WrongPassphrase = 12104;
constexpr int CurrentAsk = 12105;
constexpr int NewAsk = 12106;
constexpr int RepeatAsk = 12107;
constexpr int NotRepeated = 12108;
constexpr int PassphraseSet = 12109;
constexpr int PassphraseRemoved = 12110;
constexpr int IdleMenu = 14000;       // "自動ロックまでの時間(&T)"
constexpr int IdleMinutes = 14001;    // "%1 分"
} // namespace Res

constexpr int IdleChoices[] = {1, 2, 5, 10, 15, 30, 60};
constexpr int IdleWatchMs = 1000;

// Tells of every press of a key, a mouse button or a touch anywhere in the
// program: someone is at the PC.
class InputWatch final : public QObject
{
public:
    InputWatch(OperatorLock &lock, QObject *parent) : QObject(parent), m_lock(lock) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
            m_lock.noteInput();
            break;
        default:
            break;
        }
        return false;
    }

private:
    OperatorLock &m_lock;
};

} // namespace

void watchInputFor(OperatorLock &lock, QObject *owner)
{
    lock.noteInput();
    qApp->installEventFilter(new InputWatch(lock, owner));
}

bool answerAwaited()
{
    return QApplication::activeModalWidget() || QApplication::activePopupWidget();
}

LockControl::LockControl(OperatorLock *lock, Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_lock(lock), m_flow(lock), m_dialogs(dialogs)
{
}

void LockControl::addToMenu(QMenu *file, QAction *before)
{
    // The chairperson's lock sits above 終了, with the other ways out.
    m_passphraseAction = new QAction(str(Res::PassphraseMenu), file);
    m_passphraseAction->setObjectName(QStringLiteral("mnuPassphrase"));
    connect(m_passphraseAction, &QAction::triggered, this, [this] { changePassphrase(); });
    m_lockAction = new QAction(str(Res::LockMenu), file);
    m_lockAction->setObjectName(QStringLiteral("mnuLock"));
    connect(m_lockAction, &QAction::triggered, this, [this] { lock(); });
    file->insertAction(before, m_passphraseAction);
    file->insertMenu(before, buildIdleMenu(file));
    file->insertAction(before, m_lockAction);
    file->insertSeparator(before);

    watchInputFor(*m_lock, parent());
    m_idleTimer.setObjectName(QStringLiteral("idleTimer"));
    m_idleTimer.setInterval(IdleWatchMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &LockControl::idleTick);
    m_idleTimer.start();
}

QMenu *LockControl::buildIdleMenu(QWidget *parent)
{
    m_idleMenu = new QMenu(str(Res::IdleMenu), parent);
    m_idleMenu->setObjectName(QStringLiteral("mnuIdle"));
    auto *group = new QActionGroup(m_idleMenu);
    for (int minutes : IdleChoices) {
        QAction *a = m_idleMenu->addAction(str(Res::IdleMinutes).arg(minutes));
        a->setObjectName(QStringLiteral("mnuIdle%1").arg(minutes));
        a->setCheckable(true);
        a->setChecked(minutes == m_lock->idleMinutes());
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, minutes] { m_lock->setIdleMinutes(minutes); });
    }
    return m_idleMenu;
}

void LockControl::updateMenu()
{
    if (!m_lockAction)
        return;
    const LockFlow::MenuState on = m_flow.menuState();
    m_lockAction->setEnabled(on.lock);
    m_passphraseAction->setEnabled(on.passphrase);
    m_idleMenu->setEnabled(on.passphrase);
}

bool LockControl::pass()
{
    if (!locked())
        return true;
    const std::optional<QString> given = m_dialogs.passphrase(str(Res::LockedAsk), str(Res::LockTitle));
    if (!given)
        return false;
    if (!m_lock->unlock(*given)) {
        m_dialogs.message(str(Res::WrongPassphrase), MsgButtons::Ok, MsgIcon::Warning, str(Res::LockTitle));
        return false;
    }
    emit lockChanged();
    return true;
}

void LockControl::changePassphrase()
{
    if (!pass())
        return;
    const QString title = str(Res::LockTitle);
    const LockFlow::Outcome outcome = m_flow.changePassphrase([&](LockFlow::Question q) {
        const int ask = q == LockFlow::Question::Current ? Res::CurrentAsk
                        : q == LockFlow::Question::New   ? Res::NewAsk
                                                         : Res::RepeatAsk;
        return m_dialogs.passphrase(str(ask), title);
    });
    auto tell = [&](int id, MsgIcon icon) { m_dialogs.message(str(id), MsgButtons::Ok, icon, title); };
    switch (outcome) {
    case LockFlow::Outcome::Cancelled:
    case LockFlow::Outcome::Unchanged: return;
    case LockFlow::Outcome::NotRepeated: tell(Res::NotRepeated, MsgIcon::Warning); return;
    case LockFlow::Outcome::WrongCurrent: tell(Res::WrongPassphrase, MsgIcon::Warning); return;
    case LockFlow::Outcome::Set: tell(Res::PassphraseSet, MsgIcon::Information); break;
    case LockFlow::Outcome::Removed: tell(Res::PassphraseRemoved, MsgIcon::Information); break;
    }
    emit lockChanged();
}

void LockControl::lock()
{
    if (!m_lock || !m_lock->hasPassphrase())
        return;
    emit lockRequested();
}

void LockControl::watchIdle(bool left)
{
    // An open question or menu is answered first: the lock comes after it.
    if (m_flow.idleRelockDue(left, answerAwaited()))
        lock();
}
