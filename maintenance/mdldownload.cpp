#include "maintenance/mdldownload.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"

#include <QLoggingCategory>

#include <algorithm>
#include <optional>

Q_LOGGING_CATEGORY(lcDownload, "zkvr.maintenance.download", QtCriticalMsg)

namespace {
namespace Msg {
constexpr int ChooseFile = 10654;
constexpr int PowerCycle = 10655;
} // namespace Msg

// Message bytes in front of an L message's data: the letter, the target, 1.
constexpr int BlockHeader = 3;
} // namespace

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
    const bool modelFile = m_kind == DownloadKind::ModelFile;
    // R and what the link needs after it; the outcome when the run ends there.
    auto prepare = [this](quint8 target) -> std::optional<Outcome> {
        if (!PrepareTarget(target))
            return stopped() ? Outcome::LinkClosed : Outcome::NoReply;
        AfterPrepare();
        if (stopped())
            return Outcome::LinkClosed;
        return std::nullopt;
    };

    // The older model is prepared before its file is chosen: cancelling the
    // dialog leaves it prepared.
    if (!modelFile)
        if (const auto ended = prepare(downloadTarget(m_kind)))
            return *ended;

    const QString path = m_hooks.chooseFile
        ? m_hooks.chooseFile(m_kind)
        : m_dialogs.openFileName(str(Msg::ChooseFile), QString(), downloadFileFilter(m_kind));
    if (path.isEmpty())
        return Outcome::Cancelled;
    if (!LoadImage(path))
        return Outcome::BadFile;

    if (modelFile) {
        const quint8 first = m_header.sizeM > 0 ? DownloadTarget::Main
                             : m_header.sizeP > 0 ? DownloadTarget::SectionP
                                                  : DownloadTarget::SectionD;
        if (const auto ended = prepare(first))
            return *ended;
    }

    m_total = m_image.size();
    const bool sent = m_hooks.showProgress
                          ? m_hooks.showProgress([this] { return transfer(); }, [this] { return progress(); })
                          : transfer();
    if (stopped())
        return Outcome::LinkClosed;

    if (!modelFile)
        m_comm.pause(m_waits.settle);
    else if (m_comm.state().linkKind == LinkKind::Ethernet)
        reconnectEthernet(0.0); // the mixer restarts with its new firmware
    if (stopped())
        return Outcome::LinkClosed;
    return sent ? Outcome::Done : Outcome::NoReply;
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
    m_comm.pause(m_waits.finish);
    return !stopped();
}

bool MdlDownLoad::sendSection(quint8 target, int offset, int length)
{
    m_target = target;
    m_sending = length;
    const bool ok = SendImage(target, offset, length);
    m_sending = -1;
    if (ok)
        m_sent += length;
    return ok;
}

bool MdlDownLoad::PrepareTarget(quint8 t)
{
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

void MdlDownLoad::AfterPrepare()
{
    switch (m_comm.state().linkKind) {
    case LinkKind::Usb:
        if (m_hooks.powerCycle)
            m_hooks.powerCycle();
        else
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
    Progress p{m_sent, m_total, m_target};
    if (m_sending > 0) {
        const MdlComm::SendProgress s = m_comm.sendProgress();
        p.done += std::clamp(qint64(s.handed) - BlockHeader, qint64(0), qint64(m_sending));
    }
    return p;
}
