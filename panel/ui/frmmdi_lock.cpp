// frmMDI's operator lock, beyond asking for the passphrase: the lock closing
// again after a cancelled command or when the PC is left alone, and the
// idle time's menu.

#include "panel/ui/frmmdi.h"

#include "base/strings.h"

#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>

namespace {

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

namespace Res {
constexpr int IdleMenu = 14000;    // "自動ロックまでの時間(&T)"
constexpr int IdleMinutes = 14001; // "%1 分"
} // namespace Res

constexpr int IdleChoices[] = {1, 2, 5, 10, 15, 30, 60};
constexpr int IdleWatchMs = 1000;

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

QMenu *FrmMdi::buildIdleMenu()
{
    m_idleMenu = new QMenu(str(Res::IdleMenu), this);
    m_idleMenu->setObjectName(QStringLiteral("mnuIdle"));
    auto *group = new QActionGroup(m_idleMenu);
    for (int minutes : IdleChoices) {
        QAction *a = m_idleMenu->addAction(str(Res::IdleMinutes).arg(minutes));
        a->setObjectName(QStringLiteral("mnuIdle%1").arg(minutes));
        a->setCheckable(true);
        a->setChecked(minutes == m_ctx.lock->idleMinutes());
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, minutes] { m_ctx.lock->setIdleMinutes(minutes); });
    }
    return m_idleMenu;
}

void FrmMdi::watchInput()
{
    watchInputFor(*m_ctx.lock, this);
    m_idleTimer.setObjectName(QStringLiteral("idleTimer"));
    m_idleTimer.setInterval(IdleWatchMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &FrmMdi::watchIdle);
    m_idleTimer.start();
}

void FrmMdi::watchIdle()
{
    if (m_left || !m_ctx.lock || !m_ctx.lock->relockDue())
        return;
    // An open question or menu is answered first: the lock comes after it.
    if (answerAwaited())
        return;
    lockOperation();
}

void FrmMdi::relock()
{
    if (!m_left)
        lockOperation();
}
