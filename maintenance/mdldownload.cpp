#include "maintenance/mdldownload.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <optional>

Q_LOGGING_CATEGORY(lcDownload, "zkvr.maintenance.download", QtCriticalMsg)

namespace {
namespace Msg {
constexpr int ChooseFile = 10654;
constexpr int PowerCycle = 10655;
constexpr int Complete = 11204;
constexpr int Preparing = 11205;
constexpr int Sending = 11206;
constexpr int Waiting = 11207;
constexpr int Restarting = 11208;
} // namespace Msg

// What the user reads for a target code.
QString targetName(quint8 target)
{
    static const struct
    {
        quint8 target;
        int text;
    } names[] = {
        {DownloadTarget::Main, 11210},     {DownloadTarget::Fpga, 11211},  {DownloadTarget::Writer, 11212},
        {DownloadTarget::SectionP, 11213}, {DownloadTarget::SectionD, 11214}, {DownloadTarget::EStep, 11215},
        {DownloadTarget::Finish, 11216},
    };
    for (const auto &n : names)
        if (n.target == target)
            return str(n.text);
    return QStringLiteral("0x%1").arg(target, 2, 16, QLatin1Char('0')).toUpper();
}

int wholeSeconds(double seconds)
{
    return int(std::max(seconds, 0.0));
}

// Message bytes in front of an L message's data: the letter, the target, 1.
constexpr int BlockHeader = 3;
} // namespace

QString downloadStepText(const DownloadProgress &p)
{
    switch (p.step) {
    case DownloadStep::Preparing:
        return str(Msg::Preparing).arg(targetName(p.target));
    case DownloadStep::Sending:
        return str(Msg::Sending).arg(targetName(p.target));
    case DownloadStep::Waiting:
        return str(Msg::Waiting).arg(targetName(p.target)).arg(wholeSeconds(p.seconds)).arg(wholeSeconds(p.limit));
    case DownloadStep::Restarting:
        // Counts down: the seconds still to wait, rounded up.
        return str(Msg::Restarting).arg(int(std::ceil(std::max(p.limit - p.seconds, 0.0))));
    }
    return {};
}

MdlDownLoad::MdlDownLoad(MdlComm &comm, Dialogs &dialogs, DownloadHooks hooks)
    : m_comm(comm), m_dialogs(dialogs), m_hooks(std::move(hooks))
{
}

bool MdlDownLoad::stopped() const
{
    // Closed because the program is ending, or a reconnect that did not open.
    return m_comm.closed() || (!m_comm.state().offline() && !m_comm.isOpen());
}

MdlDownLoad::Outcome MdlDownLoad::DownloadRun(int request)
{
    const std::optional<DownloadKind> kind = downloadKind(request);
    if (!kind)
        return Outcome::NoRequest;
    m_kind = *kind;
    m_image.clear();
    m_header = ModelHeader{};
    m_total = m_sent = 0;
    m_sending = -1;
    m_target = 0;
    m_step = DownloadStep::Preparing;
    const bool modelFile = m_kind == DownloadKind::ModelFile;

    // Everything that can refuse the download comes before R: R switches
    // the mixer to download mode, and a mixer left there has no program
    // running until an image arrives.
    const QString path = m_hooks.chooseFile
        ? m_hooks.chooseFile(m_kind)
        : m_dialogs.openFileName(str(Msg::ChooseFile), QString(), downloadFileFilter(m_kind));
    if (path.isEmpty())
        return Outcome::Cancelled;
    if (!LoadImage(path))
        return Outcome::BadFile;
    if (!confirmFamily())
        return Outcome::Cancelled;

    const quint8 first = !modelFile              ? downloadTarget(m_kind)
                         : m_header.sizeM > 0 ? DownloadTarget::Main
                         : m_header.sizeP > 0 ? DownloadTarget::SectionP
                                              : DownloadTarget::SectionD;
    if (!PrepareTarget(first))
        return stopped() ? Outcome::LinkClosed : Outcome::NoReply;
    const bool ready = AfterPrepare();
    if (stopped())
        return Outcome::LinkClosed;
    if (!ready)
        return Outcome::Cancelled;

    m_total = m_image.size();
    const bool sent = m_hooks.showProgress
                          ? m_hooks.showProgress([this] { return transfer(); }, [this] { return progress(); })
                          : transfer();
    if (stopped())
        return Outcome::LinkClosed;

    if (!modelFile)
        m_comm.pause(m_waits.settle);
    if (stopped())
        return Outcome::LinkClosed;
    if (sent)
        m_dialogs.tell(str(Msg::Complete), MsgIcon::Information);
    if (modelFile && m_comm.state().linkKind == LinkKind::Ethernet && m_hooks.reopenAfterModelFile)
        reconnectEthernet(0.0); // the mixer restarts with its new firmware
    if (stopped())
        return Outcome::LinkClosed;
    return sent ? Outcome::Done : Outcome::NoReply;
}

bool MdlDownLoad::confirmFamily()
{
    if (!m_hooks.masterModel || !imageForOtherFamily(m_kind, m_hooks.masterModel()))
        return true;
    const QString question = otherFamilyQuestion(m_kind);
    if (m_hooks.confirm)
        return m_hooks.confirm(question);
    return m_dialogs.message(question, MsgButtons::YesNo, MsgIcon::Warning, str(StrId::AppTitle))
           == MsgAnswer::Yes;
}

bool MdlDownLoad::transfer()
{
    if (m_kind != DownloadKind::ModelFile)
        return sendSection(downloadTarget(m_kind), 0, int(m_image.size()));
    return transferModelFile();
}

bool MdlDownLoad::transferModelFile()
{
    using namespace DownloadTarget;
    if (m_header.eFlag != 0 && !sendSection(EStep, 0, 0))
        return false;
    const struct
    {
        quint8 target;
        qint32 offset;
        qint32 size;
    } sections[] = {
        {Main, 0, m_header.sizeM},
        {SectionP, m_header.sizeM, m_header.sizeP},
        {SectionD, m_header.sizeM + m_header.sizeP, m_header.sizeD},
    };
    for (const auto &s : sections)
        if (s.size >= 1 && !(PrepareTarget(s.target) && sendSection(s.target, s.offset, s.size)))
            return false;
    if (!PrepareTarget(Finish))
        return false;
    m_step = DownloadStep::Restarting;
    m_restartSince = m_comm.clock().now();
    m_comm.pause(m_waits.finish);
    return !stopped();
}

bool MdlDownLoad::sendSection(quint8 target, int offset, int length)
{
    m_target = target;
    m_step = DownloadStep::Sending;
    m_waitSince = -1;
    m_sending = length;
    const bool ok = SendImage(target, offset, length);
    m_sending = -1;
    if (ok)
        m_sent += length;
    return ok;
}

bool MdlDownLoad::PrepareTarget(quint8 t)
{
    m_target = t;
    m_step = DownloadStep::Preparing;
    MixerProtocol protocol(m_comm);
    if (protocol.downloadPrepare(t))
        return true;
    qCDebug(lcDownload) << "R" << Qt::hex << t << "not accepted";
    reportNoReply();
    return false;
}

bool MdlDownLoad::SendImage(quint8 t, int offset, int length)
{
    if (offset < 0 || length < 0 || qint64(offset) + length > m_image.size() || length > MaxImageBytes)
        return false;
    MixerProtocol protocol(m_comm);
    if (protocol.downloadBlock(t, reinterpret_cast<const quint8 *>(m_image.constData()) + offset, length))
        return true;
    qCDebug(lcDownload) << "L" << Qt::hex << t << "of" << Qt::dec << length << "bytes not accepted";
    reportNoReply();
    return false;
}

void MdlDownLoad::reportNoReply()
{
    // Once the link is closed (the program ending, a reconnect that did not
    // open) no reply was to be had.
    if (!stopped())
        m_dialogs.tell(str(StrId::NoResponse), MsgIcon::Error);
}

bool MdlDownLoad::AfterPrepare()
{
    // The mixer takes the data only after this: over USB it must start again
    // (the R tells it to come up ready for the image), over Ethernet its
    // connection is made anew, over RS-232C it needs a moment.
    switch (m_comm.state().linkKind) {
    case LinkKind::Usb:
        if (m_hooks.powerCycle)
            return m_hooks.powerCycle();
        m_dialogs.tell(str(Msg::PowerCycle), MsgIcon::Warning);
        break;
    case LinkKind::Ethernet:
        reconnectEthernet(m_waits.reconnect);
        break;
    case LinkKind::Rs232c:
    case LinkKind::Offline:
        m_comm.pause(m_waits.settle);
        break;
    }
    return true;
}

void MdlDownLoad::reconnectEthernet(double wait)
{
    m_comm.CommClose();
    // The link is closed now, so this wait cannot end early on its account.
    if (wait > 0)
        m_comm.clock().pause(wait);
    if (m_hooks.beforeReconnect && !m_hooks.beforeReconnect())
        return;
    m_comm.CommOpen();
}

bool MdlDownLoad::LoadImage(const QString &path)
{
    FirmwareImage file = readFirmwareFile(m_kind, path);
    if (file.check != FirmwareCheck::Valid) {
        // A file that is no model file gets a plain box; the others say what is wrong.
        const MsgIcon icon = file.check == FirmwareCheck::Invalid ? MsgIcon::None : MsgIcon::Error;
        m_dialogs.message(firmwareCheckMessage(file), MsgButtons::Ok, icon, str(StrId::AppTitle));
        return false;
    }
    m_image = std::move(file.image);
    m_header = file.header;
    return true;
}

MdlDownLoad::Progress MdlDownLoad::progress() const
{
    Progress p{m_sent, m_total, m_target, m_step};
    const double now = m_comm.clock().now();
    if (m_sending >= 0) {
        const MdlComm::SendProgress s = m_comm.sendProgress();
        p.done += std::clamp(qint64(s.handed) - BlockHeader, qint64(0), qint64(m_sending));
        // Once the whole message is out, the mixer has it and the wait for
        // its answer runs.
        if (s.count > 0 && s.handed >= s.count) {
            if (m_waitSince < 0)
                m_waitSince = now;
            p.step = DownloadStep::Waiting;
            p.seconds = now - m_waitSince;
            p.limit = MixerProtocol::DownloadDataWait;
        }
    } else if (m_step == DownloadStep::Restarting) {
        p.seconds = now - m_restartSince;
        p.limit = m_waits.finish;
    }
    return p;
}
