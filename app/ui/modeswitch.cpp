#include "app/ui/modeswitch.h"

#include "app/operatestart.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmmsg.h"
#include "app/ui/linksession.h"
#include "app/ui/mixerwindows.h"
#include "app/ui/virtualtitle.h"
#include "app/virtualchain.h"
#include "app/world.h"
#include "base/strings.h"
#include "base/ui/windowlosswatch.h"
#include "editor/ui/settingsdialog.h"
#include "mixer/mixersync.h"
#include "panel/operatorlock.h"
#include "panel/ui/frmmdi.h"
#include "settings/loadsave.h"

#include <QEvent>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace {

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

ModeSwitch::ModeSwitch(Context context) : m_ctx(std::move(context)), m_world(m_ctx.world), m_main(m_ctx.main)
{
}

ModeSwitch::~ModeSwitch()
{
    // The panel is a top-level window that refers to the program's state: it
    // goes with it.
    delete m_panel.data();
}

FrmMdi *ModeSwitch::panel() const
{
    return m_panel;
}

void ModeSwitch::wireCommand()
{
    QObject::connect(&m_main, &FrmMain::modeChangeRequested, &m_main, [this] { ask(ModeFlow::Opening::AsLeft); });
}

bool ModeSwitch::jobWindowVisible() const
{
    return m_ctx.session.jobs() && m_ctx.session.jobs()->jobWindowVisible();
}

bool ModeSwitch::dataReady() const
{
    // The panel records the channels' switches as they are, to give them
    // back when it closes: online it opens only once the mixers' data has
    // been read (a mixer counted by its threshold reply alone has none to
    // record yet).
    return m_world.link.offline() || m_ctx.session.sync()->mixersRead();
}

void ModeSwitch::armOperatorStart()
{
    // Online the panel waits for the mixers to be counted (afterPoll);
    // offline there is nothing to wait for.
    m_flow.startOperate();
    watchInputFor(m_ctx.lock, &m_main);
    m_idleWatch = std::make_unique<QTimer>();
    m_idleWatch->setInterval(1000);
    QObject::connect(m_idleWatch.get(), &QTimer::timeout, &m_main, [this] { watchIdle(); });
    m_idleWatch->start();
    if (m_world.link.offline())
        QTimer::singleShot(0, &m_main, [this] { startOperating(); });
}

void ModeSwitch::afterPoll()
{
    // --operate: the panel comes up once the start-up polls have counted the
    // mixers and their data has been read, so that it finds every mixer its
    // buttons name and records the switches as they really are (they are
    // what it gives back).
    const bool dataRead = m_ctx.session.sync()->mixersRead();
    if (m_flow.operateStartDue(m_world.loop.StartupPolls == 0, dataRead, jobWindowVisible()))
        startOperating();
    // A mode change that waited for the data; an editor opened meanwhile
    // closes with the rest.
    if (m_flow.dataArrived(m_ctx.session.sync()->mixersRead(), jobWindowVisible()))
        ask(ModeFlow::Opening::AsLeft);
}

void ModeSwitch::startOperating()
{
    if (m_ctx.ended() || !m_flow.finishOperateStart())
        return;
    if (!m_ctx.settings.openForOperation(m_ctx.operate.file))
        m_operateNotices << str(12114).arg(m_ctx.operate.file);
    // The panel may come only after a job that still runs; it starts
    // operating whenever it comes.
    ask(ModeFlow::Opening::Operating);
}

void ModeSwitch::watchIdle()
{
    if (!m_ctx.operate.operate() || m_ctx.ended())
        return;
    const ModeFlow::Step step
        = m_flow.idle(m_ctx.lock.relockDue(), answerAwaited(), jobWindowVisible(), dataReady());
    if (step != ModeFlow::Step::None)
        m_ctx.windows.closeForModeChange();
    act(step);
}

void ModeSwitch::ask(ModeFlow::Opening opening)
{
    const ModeFlow::Step step = m_flow.ask(opening, jobWindowVisible(), dataReady());
    if (step != ModeFlow::Step::None)
        m_ctx.windows.closeForModeChange();
    act(step);
}

void ModeSwitch::jobEnded()
{
    act(m_flow.jobEnded(dataReady()));
}

void ModeSwitch::act(ModeFlow::Step step)
{
    switch (step) {
    case ModeFlow::Step::None:
        return;
    case ModeFlow::Step::QueueChange:
        // The loop switches once the job has ended.
        m_world.jobs.request(JobWork::of(JobKind::ModeChange));
        m_main.setEnabled(false);
        return;
    case ModeFlow::Step::Wait:
        // The next poll that brings the data opens the panel.
        m_main.setEnabled(false);
        return;
    case ModeFlow::Step::Open:
    case ModeFlow::Step::OpenOperating:
        openPanel(step == ModeFlow::Step::OpenOperating);
        return;
    }
}

void ModeSwitch::openPanel(bool operating)
{
    m_main.setEnabled(true);
    m_main.hide();
    holdMainWindow(true);
    LinkSession &session = m_ctx.session;
    PanelWindowContext ctx{m_world.panel, m_world.mixers, m_world.link, m_world.settings,
                           m_ctx.settings, m_world.dialogs,
                           m_ctx.windows.channelDialogSeam(), 0, &m_world.editor, &session.line(), session.sync(),
                           &m_ctx.lock, &m_world.timeOfDay};
    auto *panel = new FrmMdi(ctx);
    if (m_ctx.virtualChain)
        keepMarkInTitle(*panel, m_ctx.virtualChain->mark());
    QObject::connect(panel, &FrmMdi::modeChangeClosed, &m_main, [this] {
        m_flow.panelClosed();
        holdMainWindow(false);
        m_main.setWindowTitle(m_ctx.settings.caption());
        m_main.show();
    });
    m_ctx.windowWatch.watch(panel);
    // The switches it found are on disk before any of them changes.
    m_ctx.keepHeldChannels();
    QObject::connect(panel, &FrmMdi::quitRequested, &m_main, [this] {
        // The last values go out as the program ends.
        m_ctx.session.sync()->setEnding();
        m_world.jobs.request(JobWork::of(JobKind::Quit));
    });
    m_panel = panel;
    // The panel's default button stands at the screen's right edge.
    if (!operating) {
        panel->showMaximized();
        return;
    }
    if (m_ctx.operate.fullScreen)
        panel->showFullScreen();
    else
        panel->showMaximized();
    // A chairperson's PC may stand unattended: what the start has to say
    // goes to the status line, not into a box that stops the job loop.
    if (!panel->startOperation())
        m_operateNotices << str(12111);
    if (!m_operateNotices.isEmpty())
        panel->showNotice(m_operateNotices.join(u' '));
}

void ModeSwitch::holdMainWindow(bool held)
{
    // Hidden while the panel is up, the main window can still be mapped by
    // a desktop tool. It then takes no input: its commands (open, the
    // editors, the mode change) would go around the panel and its lock. Its
    // close still comes through, as the panel's quit.
    m_main.menuBar()->setEnabled(!held);
    if (!held) {
        m_mainInputBlock.reset();
        return;
    }
    if (QWindow *window = m_main.windowHandle(); window && !m_mainInputBlock) {
        m_mainInputBlock = std::make_unique<InputBlock>();
        window->installEventFilter(m_mainInputBlock.get());
    }
}
