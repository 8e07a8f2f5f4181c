#include "app/jobs.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/activitylog.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcAppJobs, "zkvr.app.jobs", QtCriticalMsg)

// ---- DirectAccessJob -------------------------------------------------------------

namespace {
constexpr int TransferText = 14300; // "読み込んだ設定の転送: %1 件を送信、%2 件は保持済み"
constexpr int DirectReadCount = 8;
constexpr int DirectWriteCount = 12;
constexpr int DirectReadReply = 9;  // letters, status, four data bytes, trailer
constexpr int DirectWriteReply = 5;
} // namespace

DirectAccessJob::DirectAccessJob(MdlComm &comm, Dialogs &dialogs, bool readMode, QByteArray request)
    : m_comm(comm), m_dialogs(dialogs), m_read(readMode), m_request(std::move(request)),
      m_reply(ReceiveBufferSize, 0)
{
}

void DirectAccessJob::start()
{
    // The request's count is the mode's, whatever the request holds.
    std::vector<quint8> message(size_t(m_read ? DirectReadCount : DirectWriteCount), 0);
    std::copy_n(m_request.constData(), std::min(m_request.size(), qsizetype(message.size())), message.begin());
    m_first = message[0];
    m_second = message[1];
    m_dataText.clear();
    m_comm.CommSend(message, int(message.size()));
    m_ticks = ticksAllowed();
    m_state = State::Waiting;
}

void DirectAccessJob::fail()
{
    m_state = State::Failed;
    if (!m_comm.closed())
        m_dialogs.tell(str(StrId::AbnormalEnd), MsgIcon::Error);
}

DirectAccessJob::State DirectAccessJob::tick()
{
    if (m_state != State::Waiting)
        return m_state;
    const int count = m_comm.CommReceive(m_reply);
    if (count > 0) {
        const quint8 *r = m_reply.data();
        const int expected = m_read ? DirectReadReply : DirectWriteReply;
        if (!matchesStandard(r, count, m_first, m_second, expected)) {
            qCDebug(lcAppJobs) << "direct access: unexpected reply of" << count << "bytes";
            fail();
            return m_state;
        }
        if (m_read) {
            for (int i = 3; i <= 6; ++i)
                m_dataText += QStringLiteral("%1").arg(r[i], 2, 16, QLatin1Char('0')).toUpper();
        }
        m_state = State::Succeeded;
        return m_state;
    }
    if (--m_ticks <= 1 || m_comm.closed())
        fail();
    return m_state;
}

DirectAccessJob::State DirectAccessJob::run(Clock &clock)
{
    start();
    while (m_state == State::Waiting) {
        clock.pause(TickIntervalMs / 1000.0);
        tick();
    }
    return m_state;
}

// ---- JobRunner -----------------------------------------------------------------

void JobRunner::noResponse()
{
    // A job cut short because the program is ending has nothing to report.
    if (!m_c.link.closed)
        m_c.dialogs.tell(str(StrId::NoResponse), MsgIcon::Error);
}

void JobRunner::setFailed()
{
    m_c.dialogs.tell(str(StrId::SetFailed), MsgIcon::Warning);
}

bool JobRunner::extendedRead()
{
    ExtendedRecord &master = m_c.mixers.ExtendedData[1];
    for (int reg : extendedRegisters(m_c.mixers.Model[1])) {
        const std::optional<RegisterBytes> d = m_c.protocol.ExtensionRead(reg);
        if (!d) {
            if (m_c.markFirstReply)
                m_c.markFirstReply();
            noResponse();
            return false;
        }
        storeExtendedRegister(master, reg, *d);
    }
    for (int m = 1; m < MixerSlots; ++m) {
        if (!m_c.mixers.EditorOpen[size_t(m)])
            continue;
        if (m != 1)
            m_c.mixers.ExtendedData[m] = master;
        if (m_c.refreshExtendedDisplay)
            m_c.refreshExtendedDisplay(m);
    }
    return true;
}

bool JobRunner::writeRegister(int reg, const RegisterBytes &d)
{
    const bool verified = m_c.protocol.ExtensionWriteWithVerify(reg, d, [this] { setFailed(); })
                          == MixerProtocol::VerifyResult::Verified;
    settleRegister(reg, d, verified ? ValueState::Verified : ValueState::Failed);
    if (verified)
        return true;
    noResponse();
    return false;
}

void JobRunner::settleRegister(int reg, const RegisterBytes &d, ValueState state)
{
    // The editor noted the value as its entry shows it; a write nobody asked
    // for in the editor is noted as the register holds it.
    ExtendedRecord r;
    storeExtendedRegister(r, reg, d);
    m_c.mixers.settleExtendedWrite(reg, state, extendedEntryValue(r, reg), m_c.protocol.comm().clock().now());
}

void JobRunner::abandonRegisters(const std::vector<int> &regs)
{
    for (int reg : regs)
        m_c.mixers.abandonExtendedWrite(reg, m_c.protocol.comm().clock().now());
}

bool JobRunner::extendedWrite(int group)
{
    // Anything but one of the four groups writes nothing rather than
    // registers nobody chose.
    const std::vector<int> regs = extendedGroupRegisters(group);
    if (regs.empty()) {
        qCWarning(lcAppJobs) << "extended write of no known group:" << group;
        return false;
    }
    const ExtendedRecordSource fallback(m_c.mixers.ExtendedData[1]);
    const ExtendedValuesSource &source = m_c.extendedValues ? *m_c.extendedValues : fallback;
    for (int reg : regs)
        if (!writeRegister(reg, source.registerBytes(reg))) {
            abandonRegisters(regs);
            return false;
        }
    return true;
}

bool JobRunner::initialise(int mixer, int code)
{
    if (m_c.protocol.sendAndWait(initialiseRequest(mixer, quint8(code))).received())
        return true;
    noResponse();
    return false;
}

bool JobRunner::transferRegisters(bool everything, const ExtendedRecord *held, TransferCounts &counts)
{
    const ExtendedRecord &master = m_c.mixers.ExtendedData[1];
    for (int reg : extendedRegisters(m_c.mixers.Model[1])) {
        const RegisterBytes d = extendedRegisterBytes(master, reg);
        if (!everything) {
            // Held already: the read is its verification, as the read-back
            // after a write would be.
            const std::optional<ExtensionValue> now
                = held ? std::optional<ExtensionValue>(extendedRegisterBytes(*held, reg)) : m_c.protocol.ExtensionRead(reg);
            if (!now) {
                settleRegister(reg, d, ValueState::Failed);
                noResponse();
                return false;
            }
            if (extensionReadBackMatches(reg, d.data(), now->data())) {
                settleRegister(reg, d, ValueState::Verified);
                ++counts.held;
                continue;
            }
        }
        if (!writeRegister(reg, d))
            return false;
        ++counts.sent;
    }
    return true;
}

void JobRunner::noteTransfer(const TransferCounts &counts, bool completed)
{
    if (m_c.activity)
        m_c.activity->add(ActivityKind::Load, 0, str(TransferText).arg(counts.sent).arg(counts.held),
                          completed ? ActivityOutcome::Done : ActivityOutcome::Failed);
}

bool JobRunner::transferLoaded(bool everything, const ExtendedRecord *heldRegisters)
{
    TransferCounts counts;
    if (!transferRegisters(everything, heldRegisters, counts)) {
        noteTransfer(counts, false);
        return false;
    }
    if (m_c.SetData) {
        const SetDataOutcome outcome = m_c.SetData(everything ? SendScope::Everything : SendScope::Differences);
        counts.sent += outcome.written;
        counts.held += outcome.held;
    }
    noteTransfer(counts, true);
    return true;
}

bool JobRunner::ipWrite(const QByteArray &request)
{
    if (m_c.protocol.IpWriteWithVerify(request, [this] { setFailed(); })
        == MixerProtocol::VerifyResult::Verified)
        return true;
    noResponse();
    return false;
}

bool JobRunner::run(const JobWork &work)
{
    switch (work.kind) {
    case JobKind::ExtendedRead: return extendedRead();
    case JobKind::ExtendedWrite: return extendedWrite(work.target);
    case JobKind::Initialise: return initialise(work.mixer, work.target);
    case JobKind::TransferLoaded: return transferLoaded(work.target == JobWork::TransferEverything);
    case JobKind::IpWrite: return ipWrite(work.ipRequest);
    default:
        qCDebug(lcAppJobs) << "no job window work for job" << int(work.kind);
        return false;
    }
}
