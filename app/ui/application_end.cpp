// The program's end and what must outlast it: the channels the control panel
// took over go back before the link closes, and are kept on disk until they
// are back; the desktop's session end goes through the panel and its lock.

#include "app/ui/application.h"

#include "app/ui/frmmain.h"
#include "app/ui/linksession.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "mixer/mixersync.h"
#include "panel/ui/frmmdi.h"

#include <QApplication>

#include <algorithm>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

namespace {

namespace Res {
constexpr int SessionRefused = 14002;  // "操作はロックされているため…"
} // namespace Res

} // namespace

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

bool Application::sessionEnding(const std::function<bool()> &mayTell)
{
    if (FrmMdi *panel = panelWindow(); panel && panel->locked()) {
        if (mayTell && mayTell())
            m_world.dialogs.tell(str(Res::SessionRefused), MsgIcon::Warning);
        return false;
    }
    Disconnect();
    return true;
}

void Application::Disconnect()
{
    if (m_ended)
        return;
    // Whatever ends the program, the channels go back before the link
    // closes: a panel still open gives them back, and they are written while
    // the link is up. Those that could not be stay on disk for the next start.
    FrmMdi *panel = panelWindow();
    const bool givingBack = m_endAfterExchange || (panel && panel->isVisible());
    if (panel)
        panel->closeForProgramEnd();
    if (givingBack && sendingMustWait()) {
        // An exchange waits further up the stack: the values go after it, from
        // the loop, and the program ends then.
        m_endAfterExchange = true;
        return;
    }
    m_ended = true;
    keepHeldChannels(!givingBack || sendBeforeClosing());
    if (m_session)
        m_session->close();
    writeDataFileName(m_world.loop.DataFileName);
    if (m_loop)
        m_loop->stop();
    if (m_main)
        m_main->hide();
}

bool Application::sendingMustWait() const
{
    return m_session && m_session->sendingMustWait(m_loop && !m_loop->stopped(), jobWindowVisible());
}

bool Application::sendBeforeClosing()
{
    return !m_session || m_session->sendBeforeClosing();
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
    MixerSync *values = sync();
    if (givenBack && !recorded && !(values && values->pendingValues()))
        m_held.discard();
}
