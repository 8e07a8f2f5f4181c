// The program's end and what must outlast it: the channels the control panel
// took over go back before the link closes, and are kept on disk until they
// are back; the hidden main window and the desktop's session end go through
// the panel and its lock.

#include "app/ui/application.h"

#include "app/ui/frmmain.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "mixer/mixersync.h"
#include "panel/ui/frmmdi.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenuBar>
#include <QWindow>

#include <algorithm>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

namespace {

namespace Res {
constexpr int SessionRefused = 14002;  // "操作はロックされているため…"
constexpr int HeldOffer = 14003;       // "…チャンネルのオン・オフを元に戻しますか？"
constexpr int HeldUnreadable = 14004;  // "…読めませんでした。%1 として残しています。"
} // namespace Res

// What a window takes from the keyboard, the mouse and the touch screen.
class InputBlock final : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void Application::holdMainWindow(bool held)
{
    // Hidden while the panel is up, the main window can still be mapped by
    // a desktop tool. It then takes no input: its commands (open, the
    // editors, the mode change) would go around the panel and its lock. Its
    // close still comes through, as the panel's quit.
    m_main->menuBar()->setEnabled(!held);
    if (!held) {
        m_mainInputBlock.reset();
        return;
    }
    if (QWindow *window = m_main->windowHandle(); window && !m_mainInputBlock) {
        m_mainInputBlock = std::make_unique<InputBlock>();
        window->installEventFilter(m_mainInputBlock.get());
    }
}

void Application::wireSessionEnd()
{
#if QT_CONFIG(sessionmanager)
    QObject::connect(
        qApp, &QGuiApplication::commitDataRequest, m_main.get(),
        [this](QSessionManager &manager) {
            bool talking = false;
            const bool go = sessionEnding([&] { return talking = manager.allowsInteraction(); });
            if (talking)
                manager.release();
            if (!go)
                manager.cancel();
        },
        Qt::DirectConnection);
#endif
}

void Application::watchIdle()
{
    if (!m_operate.operate() || m_panel || m_ended || !m_lock.relockDue() || answerAwaited() || jobWindowVisible())
        return;
    m_operateOnPanel = true;
    onModeChange();
}

bool Application::sessionEnding(const std::function<bool()> &mayTell)
{
    if (m_panel && m_panel->locked()) {
        if (mayTell && mayTell())
            m_world.dialogs.tell(str(Res::SessionRefused), MsgIcon::Warning);
        return false;
    }
    Disconnect();
    return true;
}

bool Application::sendingMustWait() const
{
    const bool linkUp = !m_world.link.offline() && m_comm && m_comm->isOpen() && !m_comm->linkDown();
    return linkUp && m_sync && m_sync->pendingValues() && m_loop && !m_loop->stopped()
           && (m_sync->busy() || jobWindowVisible());
}

bool Application::sendBeforeClosing()
{
    if (!m_sync || !m_sync->pendingValues())
        return true;
    if (m_world.link.offline() || !m_comm || !m_comm->isOpen() || m_comm->linkDown())
        return false;
    // The program is ending: mixers that do not answer are given up at once.
    m_sync->setEnding();
    m_world.jobs.request(JobWork::of(JobKind::Quit));
    m_sync->writePending();
    return m_sync->lastOutcome().verified;
}

void Application::keepHeldChannels(bool givenBack)
{
    // Offline nothing was switched in a mixer.
    if (m_world.link.offline())
        return;
    const PanelRuntime &runtime = m_world.panel.runtime;
    m_held.keep(runtime);
    // Back: no panel holds a mixer, none is owed, and nothing waits to be sent.
    const bool recorded = std::any_of(runtime.remoteRecord.begin(), runtime.remoteRecord.end(),
                                      [](RemoteRecord r) { return r != RemoteRecord::None; });
    if (givenBack && !recorded && !(m_sync && m_sync->pendingValues()))
        m_held.discard();
}

void Application::offerHeldChannels()
{
    // Offline nothing reaches the mixers: the file waits for a start with a link.
    if (m_world.link.offline() || !m_held.leftBehind())
        return;
    const std::optional<HeldChannels::Record> record = m_held.read();
    if (!record) {
        const QString aside = QDir::toNativeSeparators(m_held.setAside());
        // A chairperson's PC may be alone: no box waits for an answer there.
        if (m_operate.operate())
            m_world.activity.add(ActivityKind::Load, 0, str(Res::HeldUnreadable).arg(aside), ActivityOutcome::Failed);
        else
            m_world.dialogs.tell(str(Res::HeldUnreadable).arg(aside), MsgIcon::Warning);
        return;
    }
    // A chairperson's PC starting by itself (after a power cut) takes them
    // without asking: its panel opens on them as the switches to give back.
    const QString when = m_held.leftBehind()->toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (!m_operate.operate()
        && m_world.dialogs.message(str(Res::HeldOffer).arg(when), MsgButtons::YesNo, MsgIcon::Question,
                                   str(StrId::AppTitle))
               != MsgAnswer::Yes) {
        m_held.discard();
        return;
    }
    HeldChannels::owe(*record, m_world.panel.runtime);
    m_held.keep(m_world.panel.runtime);
}
