#include "cli/clicontext.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/progressline.h"
#include "link/comm.h"
#include "link/ethernettransport.h"
#include "link/serialtransport.h"
#include "link/linkstate.h"
#include "link/linkwatch.h"
#include "mixer/activitylog.h"
#include "mixer/mixersync.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <unistd.h>

namespace {

// Message boxes of the link become lines on stderr; there is no one to ask,
// so a question gets its first button and file dialogs are cancelled.
class StreamDialogs final : public Dialogs
{
public:
    StreamDialogs(QTextStream &err, std::function<void()> beforeLine)
        : m_err(err), m_beforeLine(std::move(beforeLine))
    {
    }
    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon, const QString &) override
    {
        m_beforeLine();
        m_err << text << Qt::endl;
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QColor> color(const QColor &) override { return std::nullopt; }
    std::optional<QFont> font(const QFont &) override { return std::nullopt; }

private:
    QTextStream &m_err;
    std::function<void()> m_beforeLine;
};

constexpr int WritesRefused = 11300; // "%1: the mixer refuses writes from this PC; nothing was written"
constexpr int NoLinkTo = 13205;      // "zkvr340a-ctl: could not connect to the mixers at %1"

LinkKind kindOf(CliLink::Kind kind)
{
    switch (kind) {
    case CliLink::Kind::Ethernet: return LinkKind::Ethernet;
    case CliLink::Kind::Serial: return LinkKind::Rs232c;
    case CliLink::Kind::Usb: return LinkKind::Usb;
    case CliLink::Kind::None: break;
    }
    return LinkKind::Offline;
}

} // namespace

CliContext::CliContext(CliLink link, QTextStream &out, QTextStream &err, Clock &clock)
    : m_link(std::move(link)), m_out(out), m_err(err), m_clock(clock),
      m_dialogs(std::make_unique<StreamDialogs>(err, [this] { endProgressLine(); })),
      m_state(std::make_unique<LinkState>()), m_activity(std::make_unique<ActivityLog>(clock))
{
    m_state->linkKind = kindOf(m_link.kind);
}

void CliContext::setVerbose(bool on)
{
    QObject::disconnect(m_activity.get(), &ActivityLog::entryAdded, nullptr, nullptr);
    if (on)
        QObject::connect(m_activity.get(), &ActivityLog::entryAdded, m_activity.get(),
                         [this](const ActivityEntry &e) {
                             endProgressLine();
                             m_err << ActivityLog::line(e) << Qt::endl;
                         });
}

CliContext::~CliContext()
{
    if (m_comm)
        m_comm->CommClose();
}

LinkState &CliContext::linkState()
{
    return *m_state;
}

QString CliContext::devbridgeLibrary() const
{
    // devbridge beside the tool wins over one on the library path.
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/libdevbridge.so");
        if (QFileInfo::exists(beside))
            return beside;
    }
    return LinkEndpoints{}.devbridgeLibrary;
}

MdlComm *CliContext::comm()
{
    if (m_openTried)
        return m_comm.get();
    m_openTried = true;
    LinkEndpoints endpoints;
    endpoints.serialPort = m_link.device;
    endpoints.tcpPort = m_link.port;
    endpoints.connectLimitSeconds = m_link.connectSeconds;
    endpoints.devbridgeLibrary = devbridgeLibrary();
    const QString host = m_link.host;
    endpoints.chooseEthernetAddress = [host](bool &userChose) {
        userChose = true;
        return host;
    };
    auto comm = std::make_unique<MdlComm>(*m_state, m_clock, *m_dialogs, std::move(endpoints));
    comm->onLinkStatus = [this](const MdlComm::LinkStatus &status) {
        m_activity->add(ActivityKind::Link, 0, LinkWatch::statusLine(status));
    };
    if (!comm->CommOpen()) {
        // The link's own message says what failed; this says where.
        m_err << str(NoLinkTo).arg(linkTarget()) << Qt::endl;
        return nullptr;
    }
    if (!m_writingCommand.isEmpty() && !writeAccessGranted(*comm)) {
        comm->CommClose();
        return nullptr;
    }
    m_comm = std::move(comm);
    return m_comm.get();
}

QString CliContext::linkTarget() const
{
    switch (m_link.kind) {
    case CliLink::Kind::Ethernet: return QStringLiteral("%1:%2").arg(m_link.host).arg(resolveTcpPort(m_link.port));
    case CliLink::Kind::Serial: return resolveSerialPort(m_link.device);
    case CliLink::Kind::Usb: return QStringLiteral("USB (%1)").arg(devbridgeLibrary());
    case CliLink::Kind::None: break;
    }
    return {};
}

void CliContext::endProgressLine()
{
    if (m_progress)
        m_progress->finish();
}

bool CliContext::showsProgress() const
{
    return !m_quiet && ::isatty(STDERR_FILENO) == 1;
}

void CliContext::requireWriteAccess(const QString &command)
{
    m_writingCommand = command;
}

bool CliContext::writeAccessGranted(MdlComm &comm)
{
    // The program's own check: over Ethernet mixer 1's first input level is
    // read and written back unchanged; other links always allow writing.
    // Its messages (4200, 1801) reach err() through the link's dialogs.
    LoopState loop;
    MixerState mixers;
    MixerSync sync(comm, loop, mixers);
    const AccessResult access = sync.CheckAccess();
    if (access != AccessResult::NotChecked)
        m_activity->add(ActivityKind::Access, 0, QString(),
                        mixers.WriteAccess ? ActivityOutcome::Done : ActivityOutcome::Refused);
    switch (access) {
    case AccessResult::Denied:
        m_err << str(WritesRefused).arg(m_writingCommand) << Qt::endl;
        return false;
    case AccessResult::NoResponse:
        return false;
    case AccessResult::NotChecked:
    case AccessResult::Granted:
    case AccessResult::TimedOut: // as in the program; the command's own wait fails next
        break;
    }
    return true;
}
