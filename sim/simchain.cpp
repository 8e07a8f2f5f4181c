#include "sim/simchain.h"

#include "mixer/mixerdata.h"

#include <QLoggingCategory>
#include <QStringList>

#include <chrono>

Q_LOGGING_CATEGORY(lcSim, "zkvr.sim", QtWarningMsg)

using namespace SimWire;

namespace {


quint32 be32(const QByteArray &b, int at)
{
    return (quint32(quint8(b[at])) << 24) | (quint32(quint8(b[at + 1])) << 16)
        | (quint32(quint8(b[at + 2])) << 8) | quint32(quint8(b[at + 3]));
}

QByteArray fromBe32(quint32 v)
{
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char((v >> (8 * (3 - i))) & 0xFF);
    return out;
}

// Extension register of a settings key id (87..103), 0 for none.
int registerOfKey(int keyId)
{
    if (keyId >= 87 && keyId <= 102)
        return keyId - 86;
    if (keyId == 103)
        return 18;
    return 0;
}

constexpr int PrioritySwitch = 49; // Priority_1; Priority_2..8 repeat it

// Block byte index range (key ids, inclusive) reset by a group IS code.
struct Range { int first; int last; };

} // namespace

bool parseIpv4(const QString &text, std::array<quint8, 4> &out)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint v = parts[i].toUInt(&ok);
        if (!ok || v > 255 || parts[i].isEmpty())
            return false;
        out[i] = quint8(v);
    }
    return true;
}

std::array<quint8, BlockSize> SimChain::factoryBlock()
{
    // A mixer leaves the factory holding the values the program assumes
    // before it has heard from one.
    return MixerDataRecord::startValues().block;
}

std::array<quint32, ExtRegisters + 1> SimChain::factoryExt()
{
    // Register form of the extended start values: 16-bit fields in d2 d3,
    // byte fields in d3, registers 12 and 13 with the top bit inverted (so a
    // field of 0 is 0x80000000). Silent_Time and Hold_Time2 leave the factory
    // at 50, the mixer's own default.
    return {0,       16383, 100, 100, 10, 0, 1, 16383, 100, 1, 1,
            0,       0x80000000u, 0x80000000u, 0, 50, 50, 0, 8};
}

SimChain::SimChain(SimOptions options)
    : m_options(std::move(options)), m_rng(m_options.seed)
{
    m_options.mixers = std::clamp(m_options.mixers, 1, SimWire::MaxMixers);
    m_mixers.resize(m_options.mixers);
    for (const SimStuck &s : m_options.start) {
        if (!validMixer(s.mixer))
            continue;
        Mixer &mixer = m_mixers[size_t(s.mixer - 1)];
        if (s.keyId >= 1 && s.keyId <= BlockSize)
            mixer.block[size_t(s.keyId - 1)] = quint8(s.value);
        else if (s.keyId == ThresholdKeyId)
            mixer.threshold = quint16(s.value);
        else if (registerOfKey(s.keyId) > 0)
            mixer.ext[size_t(registerOfKey(s.keyId))] = quint32(s.value);
    }
    resetNetwork();
}

void SimChain::resetNetwork()
{
    if (!parseIpv4(m_options.address, m_ip))
        m_ip = {192, 168, 100, 200};
    m_addressMode = m_options.addressMode;
    m_userId = m_options.userId.toLatin1();
}

bool SimChain::drawCorrupt()
{
    if (m_options.corruptProbability <= 0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < m_options.corruptProbability;
}

int SimChain::drawIndex(int size)
{
    if (size <= 1)
        return 0;
    return int(m_rng() % quint32(size));
}

QByteArray SimChain::addNoise(QByteArray bytes)
{
    if (m_options.noiseProbability <= 0)
        return bytes;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (char &c : bytes)
        if (chance(m_rng) < m_options.noiseProbability)
            c = char(quint8(c) ^ quint8(1 + m_rng() % 255)); // never XOR 0: the byte changes
    return bytes;
}

const SimStuck *SimChain::stuckAt(int mixer, int keyId) const
{
    for (const SimStuck &s : m_options.stuck)
        if (s.mixer == mixer && s.keyId == keyId)
            return &s;
    return nullptr;
}

quint8 SimChain::blockByte(int mixer, int keyId) const
{
    if (const SimStuck *s = stuckAt(mixer, keyId))
        return quint8(s->value);
    return m_mixers.at(mixer - 1).block.at(keyId - 1);
}

void SimChain::setBlockByte(int mixer, int keyId, quint8 value)
{
    m_mixers.at(mixer - 1).block.at(keyId - 1) = value;
}

quint16 SimChain::threshold(int mixer) const
{
    return readThreshold(mixer);
}

quint32 SimChain::extRegister(int mixer, int reg) const
{
    return readExt(mixer, reg);
}

QByteArray SimChain::readBlock(int mixer) const
{
    QByteArray out(BlockSize, '\0');
    for (int k = 1; k <= BlockSize; ++k)
        out[k - 1] = char(blockByte(mixer, k));
    return out;
}

quint16 SimChain::readThreshold(int mixer) const
{
    if (const SimStuck *s = stuckAt(mixer, ThresholdKeyId))
        return quint16(s->value);
    return m_mixers.at(mixer - 1).threshold;
}

quint32 SimChain::readExt(int mixer, int reg) const
{
    for (const SimStuck &s : m_options.stuck)
        if (s.mixer == mixer && registerOfKey(s.keyId) == reg)
            return quint32(s.value);
    return m_mixers.at(mixer - 1).ext.at(reg);
}

QByteArray SimChain::networkBlock() const
{
    QByteArray out;
    for (quint8 octet : m_ip)
        out.append(char(octet));
    out.append(char(m_addressMode));
    const int n = m_userId.size() + 1;
    out.append(char(n >> 8)).append(char(n & 0xFF));
    out.append(m_userId).append('\0');
    return out;
}

QByteArray SimChain::reply(const QByteArray &request, quint8 status, const QByteArray &data) const
{
    QByteArray out = request.left(2);
    out.append(char(status));
    out.append(data);
    return out;
}

QByteArray SimChain::handle(const QByteArray &request, SimLink link)
{
    ++m_requests;
    noteOverlap(request);
    if (request.size() < 2)
        return {};
    // The drop draw happens for every request so that a given seed always
    // loses the same replies, whatever the requests were.
    const bool drop = m_options.dropProbability > 0
        && std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < m_options.dropProbability;
    // A restarting mixer hears nothing.
    if (restarting())
        return {};

    QByteArray out;
    const char c0 = request[0], c1 = request[1];
    if (onWrite && ((c1 == S && (c0 == D || c0 == T || c0 == E || c0 == I)) || (c0 == I && c1 == P)
                    || (c0 == A && c1 == W)))
        onWrite(request);
    if (c0 == R || c0 == L) {
        out = doDownload(request, link);
    } else if (m_downloadMode) {
        // Only the loader runs: it knows R and L, nothing else.
        qCDebug(lcSim) << "in download mode, no answer to" << request.left(3).toHex(' ');
        return {};
    } else if (request.size() < 3) {
        out = reply(request, Malformed);
    } else if (c0 == D && c1 == R) {
        out = doDataRead(request);
    } else if (c0 == D && c1 == S) {
        out = doDataSet(request);
    } else if (c0 == T && c1 == R) {
        out = doThresholdRead(request);
    } else if (c0 == T && c1 == S) {
        out = doThresholdSet(request);
    } else if (c0 == A && c1 == M) {
        {
        QByteArray level;
        level.append(char(m_ambient >> 8)).append(char(m_ambient & 0xFF));
        out = reply(request, Accepted, level);
    }
    } else if (c0 == M && c1 == N) {
        out = doModel(request);
    } else if (c0 == E && c1 == R) {
        out = doExtRead(request);
    } else if (c0 == E && c1 == S) {
        out = doExtSet(request);
    } else if (c0 == I && c1 == S) {
        out = doInit(request);
    } else if (c0 == I && c1 == R) {
        out = reply(request, Accepted, networkBlock());
    } else if (c0 == I && c1 == P) {
        out = reply(request, storeNetwork(request) ? Accepted : Malformed);
    } else if (c0 == A && c1 == R) {
        out = doMemRead(request);
    } else if (c0 == A && c1 == W) {
        out = doMemWrite(request);
    } else {
        qCDebug(lcSim) << "unknown request" << request.left(16).toHex(' ');
        return {};
    }
    const bool dropNamed = m_dropNext > 0 && (m_dropCommand.isEmpty() || request.startsWith(m_dropCommand));
    if (dropNamed)
        --m_dropNext;
    if (drop || dropNamed) {
        qCDebug(lcSim) << "dropping reply to" << request.left(3).toHex(' ');
        return {};
    }
    return out;
}

QByteArray SimChain::doDataRead(const QByteArray &rq)
{
    const int target = quint8(rq[2]);
    if (target == AllMixers) {
        QByteArray data;
        for (int m = 1; m <= m_options.mixers; ++m)
            data.append(readBlock(m));
        return reply(rq, Accepted, data);
    }
    if (!validMixer(target))
        return reply(rq, BadTarget);
    return reply(rq, Accepted, readBlock(target));
}

QByteArray SimChain::doDataSet(const QByteArray &rq)
{
    if (rq.size() < 5)
        return reply(rq, Malformed);
    if (m_options.denyWrite)
        return reply(rq, NoWriteAccess);
    const int target = quint8(rq[2]);
    const int param = quint8(rq[3]);
    const quint8 value = quint8(rq[4]);
    if (param < 1 || param > BlockSize)
        return reply(rq, BadTarget);
    // The priority switch (parameter 49) is one per mixer: its data block
    // shows it for every channel.
    const int last = param == PrioritySwitch ? PrioritySwitch + 7 : param;
    auto store = [&](Mixer &m) {
        for (int p = param; p <= last; ++p)
            m.block[p - 1] = value;
    };
    if (target == AllMixers) {
        for (Mixer &m : m_mixers)
            store(m);
        return reply(rq, Accepted);
    }
    if (!validMixer(target))
        return reply(rq, BadTarget);
    store(m_mixers[target - 1]);
    return reply(rq, Accepted);
}

QByteArray SimChain::doThresholdRead(const QByteArray &rq)
{
    const int target = quint8(rq[2]);
    if (target != AllMixers)
        return reply(rq, BadTarget);
    QByteArray data;
    for (int m = 1; m <= m_options.mixers; ++m) {
        const quint16 v = readThreshold(m);
        data.append(char(v >> 8)).append(char(v & 0xFF));
    }
    return reply(rq, Accepted, data);
}

QByteArray SimChain::doThresholdSet(const QByteArray &rq)
{
    if (rq.size() < 5)
        return reply(rq, Malformed);
    if (m_options.denyWrite)
        return reply(rq, NoWriteAccess);
    const int target = quint8(rq[2]);
    const quint16 value = quint16((quint8(rq[3]) << 8) | quint8(rq[4]));
    if (target == AllMixers) {
        for (Mixer &m : m_mixers)
            m.threshold = value;
        return reply(rq, Accepted);
    }
    if (!validMixer(target))
        return reply(rq, BadTarget);
    m_mixers[target - 1].threshold = value;
    return reply(rq, Accepted);
}

QByteArray SimChain::doModel(const QByteArray &rq)
{
    const int target = quint8(rq[2]);
    if (!validMixer(target))
        return reply(rq, BadTarget);
    return reply(rq, Accepted, QByteArray(1, char(quint8(m_options.model))));
}

QByteArray SimChain::doExtRead(const QByteArray &rq)
{
    if (rq.size() < 4)
        return reply(rq, Malformed);
    const int target = quint8(rq[2]);
    const int reg = quint8(rq[3]);
    if (!validMixer(target) || reg < 1 || reg > ExtRegisters)
        return reply(rq, BadTarget);
    return reply(rq, Accepted, fromBe32(readExt(target, reg)));
}

QByteArray SimChain::doExtSet(const QByteArray &rq)
{
    if (rq.size() < 8)
        return reply(rq, Malformed);
    const int target = quint8(rq[2]);
    const int reg = quint8(rq[3]);
    if (!validMixer(target) || reg < 1 || reg > ExtRegisters)
        return reply(rq, BadTarget);
    m_mixers[target - 1].ext[reg] = be32(rq, 4);
    return reply(rq, Accepted);
}

void SimChain::initialise(Mixer &mixer, quint8 code)
{
    const auto block = factoryBlock();
    const auto ext = factoryExt();
    auto resetKeys = [&](int first, int last) {
        for (int k = first; k <= last; ++k)
            mixer.block[k - 1] = block[k - 1];
    };
    auto resetRegs = [&](int first, int last) {
        for (int r = first; r <= last; ++r)
            mixer.ext[r] = ext[r];
    };
    if (code < 8) {
        // One channel: every per-channel family of channel code + 1.
        for (int family = 0; family < 9; ++family)
            mixer.block[family * 8 + code] = block[family * 8 + code];
        return;
    }
    switch (code) {
    case InitAllChannels: resetKeys(1, 72); break;
    case InitOutput: resetKeys(73, 76); break; // output level, gain, mute change, mute att
    case InitThreshold:                        // threshold action and unit, the threshold
        resetKeys(77, 78);
        mixer.threshold = FactoryThreshold;
        break;
    case InitGate:                             // action .. only-type and the priorities
        resetKeys(79, 83);
        resetKeys(channelKeyId(ChannelFamily::Priority, 1), channelKeyId(ChannelFamily::Priority, 8));
        break;
    case InitExtGroup1: resetRegs(3, 5); break;
    case InitExtGroup2: resetRegs(1, 2); break;
    case InitExtDefaults: resetRegs(6, 10); break;
    case InitExtGroup3: resetRegs(11, 18); break;
    default: break;
    }
}

QByteArray SimChain::doInit(const QByteArray &rq)
{
    if (rq.size() < 4)
        return reply(rq, Malformed);
    const int target = quint8(rq[2]);
    const quint8 code = quint8(rq[3]);
    const bool known = code <= InitGate || code == InitExtGroup1 || code == InitExtGroup2
        || code == InitExtDefaults || code == InitExtGroup3 || code == InitNetwork;
    if (!known || (target != AllMixers && !validMixer(target)))
        return reply(rq, BadTarget);
    if (m_options.denyWrite)
        return reply(rq, NoWriteAccess);
    if (code == InitNetwork) {
        resetNetwork();
        return reply(rq, Accepted);
    }
    if (target == AllMixers) {
        for (Mixer &m : m_mixers)
            initialise(m, code);
    } else {
        initialise(m_mixers[target - 1], code);
    }
    return reply(rq, Accepted);
}

bool SimChain::storeNetwork(const QByteArray &rq)
{
    // IP 1, address (4), mode (1), N (2), user ID of N - 1 bytes, 0.
    if (rq.size() < 10)
        return false;
    const int n = (quint8(rq[8]) << 8) | quint8(rq[9]);
    if (n < 1 || rq.size() != n + 10 || rq[n + 9] != '\0')
        return false;
    for (int i = 0; i < 4; ++i)
        m_ip[i] = quint8(rq[3 + i]);
    m_addressMode = quint8(rq[7]);
    m_userId = rq.mid(10, n - 1);
    return true;
}

QByteArray SimChain::doMemRead(const QByteArray &rq)
{
    if (rq.size() < 8)
        return reply(rq, Malformed);
    const int size = quint8(rq[3]);
    if (size != 1 && size != 2 && size != 4)
        return reply(rq, BadTarget);
    const quint32 address = be32(rq, 4);
    // The value stands right-aligned in d0..d3, most significant byte at the
    // lowest address.
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | memoryByte(address + quint32(i));
    return reply(rq, Accepted, fromBe32(value));
}

QByteArray SimChain::doMemWrite(const QByteArray &rq)
{
    if (rq.size() < 12)
        return reply(rq, Malformed);
    const int size = quint8(rq[3]);
    if (size != 1 && size != 2 && size != 4)
        return reply(rq, BadTarget);
    const quint32 address = be32(rq, 4);
    int fresh = 0;
    for (int i = 0; i < size; ++i)
        fresh += m_memory.contains(address + quint32(i)) ? 0 : 1;
    if (m_memory.size() + fresh > MemoryBytes)
        return reply(rq, BadTarget);
    // The low `size` bytes of d0..d3 are stored, big-endian from `address`.
    for (int i = 0; i < size; ++i)
        m_memory[address + quint32(i)] = quint8(rq[12 - size + i]);
    return reply(rq, Accepted);
}

quint8 SimDownload::sum() const
{
    quint8 s = 0;
    for (char c : data)
        s = quint8(s + quint8(c));
    return s;
}

namespace {

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The targets a mixer of either family prepares.
bool knownTarget(int model, quint8 target)
{
    static const QByteArray older = "MFW", newer = "MPDS";
    return (model == 0 ? older : newer).contains(char(target));
}

} // namespace

bool SimChain::restarting() const
{
    return restartLeftMs() > 0;
}

int SimChain::restartLeftMs() const
{
    if (m_restartUntilMs == 0)
        return 0;
    return int(std::max<qint64>(m_restartUntilMs - steadyMs(), 0));
}

void SimChain::powerCycle()
{
    m_powerCycleDue = false;
    m_restartUntilMs = 0;
}

quint8 SimChain::judgeDownload(const QByteArray &rq, SimLink link)
{
    const quint8 target = quint8(rq[1]);
    // Byte 2 names the attached mixer; the loader serves no other.
    if (quint8(rq[2]) != 1)
        return BadTarget;
    const bool newer = m_options.model != 0;
    if (rq[0] == R) {
        if (!knownTarget(m_options.model, target))
            return BadTarget;
        // S ends a model file's sections: there must have been some.
        if (target == S && !m_downloadMode)
            return BadTarget;
        // Over USB the mixer comes up ready for the data only once it was
        // switched off and on after the R that put it in download mode.
        if (link == SimLink::Usb && !m_downloadMode)
            m_powerCycleDue = true;
        m_downloadMode = true;
        m_prepared = target;
        if (target == S) {
            // The new firmware starts: the mixer is away for a while.
            m_downloadMode = false;
            m_prepared = 0;
            m_powerCycleDue = false;
            m_restartUntilMs = steadyMs() + std::max(m_options.restartMs, 0);
            ++m_restarts;
        }
        return Accepted;
    }
    if (!m_downloadMode || m_powerCycleDue)
        return BadTarget;
    // The newer model's E step carries no data and needs no R of its own.
    if (target == E && newer)
        return Accepted;
    if (target != m_prepared || target == S)
        return BadTarget;
    if (rq.size() <= 3)
        return Malformed; // an empty image: nothing to write
    m_prepared = 0;
    // The older model writes its image and goes back to work.
    if (!newer)
        m_downloadMode = false;
    return Accepted;
}

QByteArray SimChain::doDownload(const QByteArray &rq, SimLink link)
{
    if (rq.size() < 3)
        return rq.size() == 2 ? reply(rq, Malformed) : QByteArray{};
    SimDownload d;
    d.command = rq[0];
    d.target = quint8(rq[1]);
    if (d.command == L)
        d.data = rq.mid(3);
    d.status = judgeDownload(rq, link);
    if (onDownload)
        onDownload(d);
    m_downloads.append(d);
    while (m_downloads.size() > DownloadRecords)
        m_downloads.removeFirst();
    return reply(rq, d.status);
}
