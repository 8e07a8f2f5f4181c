#include "app/jobs.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcAppJobs, "zkvr.app.jobs", QtCriticalMsg)

namespace {

constexpr int FirstRegister = 1;
constexpr int LastRegister = 18;
constexpr int UnusedRegister = 17;
constexpr int OlderModelLastRegister = 10;
constexpr int OutPeakRegister = 5;
constexpr int NoiseReferenceRegister = 12;
constexpr int NoiseThresholdRegister = 13;
constexpr quint32 TopBit = 0x80000000u;
constexpr quint32 NoiseEntryFactor = 65537;

enum class RegisterKind { Word15, Byte, OutPeak, Noise32, None };

RegisterKind kindOf(int reg)
{
    switch (reg) {
    case 1: case 2: case 3: case 4: case 7: case 8: case 18:
        return RegisterKind::Word15;
    case 5:
        return RegisterKind::OutPeak;
    case 6: case 9: case 10: case 11: case 14: case 15: case 16:
        return RegisterKind::Byte;
    case 12: case 13:
        return RegisterKind::Noise32;
    default:
        return RegisterKind::None;
    }
}

// Key id of the ExtendedRecord field a register holds: 87..102 for
// registers 1..16, 103 for register 18 (17 has no field).
int keyOf(int reg)
{
    if (reg == 17 || reg < 1 || reg > 18)
        return 0;
    return reg == 18 ? 103 : 86 + reg;
}

quint32 bigEndian(const RegisterBytes &d)
{
    return quint32(d[0]) << 24 | quint32(d[1]) << 16 | quint32(d[2]) << 8 | d[3];
}

RegisterBytes fromBigEndian(quint32 v)
{
    return {quint8(v >> 24), quint8(v >> 16), quint8(v >> 8), quint8(v)};
}

} // namespace

std::vector<int> extendedRegisters(qint16 masterModel)
{
    std::vector<int> regs;
    const int last = masterModel <= 0 ? OlderModelLastRegister : LastRegister;
    for (int r = FirstRegister; r <= last; ++r)
        if (r != UnusedRegister)
            regs.push_back(r);
    return regs;
}

std::vector<int> extendedGroupRegisters(int group)
{
    static const std::array<std::pair<int, int>, 4> ranges = {{{3, 5}, {1, 2}, {6, 10}, {11, 18}}};
    if (group < 0 || group >= int(ranges.size()))
        return {};
    std::vector<int> regs;
    for (int r = ranges[group].first; r <= ranges[group].second; ++r)
        if (r != UnusedRegister)
            regs.push_back(r);
    return regs;
}

void storeExtendedRegister(ExtendedRecord &record, int reg, const RegisterBytes &d)
{
    const int word = d[2] * 256 + d[3];
    const int key = keyOf(reg);
    switch (kindOf(reg)) {
    case RegisterKind::Word15:
        record.setValue(key, word & 0x7FFF);
        break;
    case RegisterKind::Byte:
        record.setValue(key, d[3]);
        break;
    case RegisterKind::OutPeak: {
        // The mixer keeps the negated LED threshold as a 16-bit two's
        // complement number. Values 201..32767 would leave the 16-bit field
        // when taken as negative, so they are read as the positive numbers
        // they are in two's complement; 32768 (-32768) saturates.
        int v = word;
        if (v > 32767)
            v -= 65536;
        record.OutPeakLEDK = qint16(std::clamp(-v, -32768, 32767));
        break;
    }
    case RegisterKind::Noise32:
        record.setValue(key, qint32(bigEndian(d) ^ TopBit));
        break;
    case RegisterKind::None:
        break;
    }
}

RegisterBytes extendedRegisterBytes(const ExtendedRecord &record, int reg)
{
    const qint32 v = record.value(keyOf(reg));
    switch (kindOf(reg)) {
    case RegisterKind::Word15:
        return {0, 0, quint8(v >> 8), quint8(v)};
    case RegisterKind::Byte:
        return {0, 0, 0, quint8(v)};
    case RegisterKind::OutPeak: {
        const quint16 w = quint16(-qint32(record.OutPeakLEDK));
        return {0, 0, quint8(w >> 8), quint8(w)};
    }
    case RegisterKind::Noise32:
        return fromBigEndian(quint32(v) ^ TopBit);
    case RegisterKind::None:
        break;
    }
    return {0, 0, 0, 0};
}

quint16 noiseEntryFromField(qint32 field)
{
    const quint32 reg = quint32(field) ^ TopBit; // field + 2^31
    quint32 q = reg / NoiseEntryFactor;
    const quint32 r = reg % NoiseEntryFactor;
    // The divisor is odd, so no remainder is exactly half: nearest is exact.
    if (2u * quint64(r) > NoiseEntryFactor)
        ++q;
    return quint16(std::min<quint32>(q, 65535));
}

RegisterBytes noiseEntryBytes(quint16 entry)
{
    const quint8 hi = quint8(entry >> 8), lo = quint8(entry);
    return {hi, lo, hi, lo};
}

RegisterBytes ExtendedRecordSource::registerBytes(int reg) const
{
    if (reg == NoiseReferenceRegister || reg == NoiseThresholdRegister)
        return noiseEntryBytes(noiseEntryFromField(m_record.value(keyOf(reg))));
    return extendedRegisterBytes(m_record, reg);
}

// ---- DirectAccessJob -------------------------------------------------------------

namespace {
constexpr int DirectReadCount = 8;
constexpr int DirectWriteCount = 12;
constexpr int DirectReadReply = 9;  // letters, status, four data bytes, trailer
constexpr int DirectWriteReply = 5;
} // namespace

DirectAccessJob::DirectAccessJob(MdlComm &comm, Dialogs &dialogs, bool readMode)
    : m_comm(comm), m_dialogs(dialogs), m_read(readMode)
{
}

void DirectAccessJob::start()
{
    LinkState &link = m_comm.state();
    m_first = link.SendBuffer[0];
    m_second = link.SendBuffer[1];
    m_dataText.clear();
    m_comm.CommSend(link.SendBuffer, m_read ? DirectReadCount : DirectWriteCount);
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
    LinkState &link = m_comm.state();
    const int count = m_comm.CommReceive(link.ReceiveBuffer);
    if (count > 0) {
        const quint8 *r = link.ReceiveBuffer.data();
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

bool JobRunner::extendedRead()
{
    ExtendedRecord &master = m_c.mixers.ExtendedData[1];
    for (int reg : extendedRegisters(m_c.mixers.Model[1])) {
        if (!m_c.protocol.ExtensionRead(reg)) {
            if (m_c.markFirstReply)
                m_c.markFirstReply();
            noResponse();
            return false;
        }
        const quint8 *d = m_c.link.ReceiveBuffer.data() + 3;
        storeExtendedRegister(master, reg, {d[0], d[1], d[2], d[3]});
    }
    for (int m = 1; m < MixerSlots; ++m) {
        if (!m_c.mixers.MixerData[m].Active)
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
    std::copy(d.begin(), d.end(), m_c.link.SendBuffer.begin() + 4);
    if (m_c.protocol.ExtensionWriteWithVerify(reg))
        return true;
    noResponse();
    return false;
}

bool JobRunner::extendedWrite()
{
    // Bytes 4 and 5 name the group's first and last register. Anything but
    // one of the four groups (a JobTarget the loop does not know leaves older
    // bytes there) writes nothing rather than registers nobody chose.
    const int first = m_c.link.SendBuffer[4];
    const int last = m_c.link.SendBuffer[5];
    std::vector<int> regs;
    for (int group = 0; regs.empty() && group < 4; ++group) {
        const std::vector<int> g = extendedGroupRegisters(group);
        if (g.front() == first && g.back() == last)
            regs = g;
    }
    if (regs.empty()) {
        qCWarning(lcAppJobs) << "extended write of no known group:" << first << last;
        return false;
    }
    const ExtendedRecordSource fallback(m_c.mixers.ExtendedData[1]);
    const ExtendedValuesSource &source = m_c.extendedValues ? *m_c.extendedValues : fallback;
    for (int reg : regs)
        if (!writeRegister(reg, source.registerBytes(reg)))
            return false;
    return true;
}

bool JobRunner::initialise()
{
    constexpr int InitialiseRequestCount = 4;
    if (m_c.protocol.sendAndWait(InitialiseRequestCount) > 0)
        return true;
    noResponse();
    return false;
}

bool JobRunner::transferLoaded()
{
    const ExtendedRecord &master = m_c.mixers.ExtendedData[1];
    for (int reg : extendedRegisters(m_c.mixers.Model[1]))
        if (!writeRegister(reg, extendedRegisterBytes(master, reg)))
            return false;
    if (m_c.SetData)
        m_c.SetData();
    return true;
}

bool JobRunner::ipWrite()
{
    if (m_c.protocol.IpWriteWithVerify())
        return true;
    noResponse();
    return false;
}

bool JobRunner::run(int job)
{
    switch (job) {
    case JobExtendedRead: return extendedRead();
    case JobExtendedWrite: return extendedWrite();
    case JobInitialise: return initialise();
    case JobTransferLoaded: return transferLoaded();
    case JobIpActive: return ipWrite();
    default:
        qCDebug(lcAppJobs) << "no job window work for JobRequest" << job;
        return false;
    }
}
