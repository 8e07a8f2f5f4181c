#pragma once

// The virtual mixer chain: 1..16 linked mixers that answer protocol messages
// the way the real hardware does. Widget-free and transport-free: a caller
// hands in one request message (without any envelope) and gets back the reply
// message (without the 0x55 0xAA trailer), or nothing when the mixer stays
// silent. The transports of the zkvr340a-sim program and in-process tests of
// other subsystems both drive it through handle().

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace SimWire {
// Command letters of the protocol (offsets 0 and 1 of a message).
constexpr char D = 'D', R = 'R', S = 'S', T = 'T', A = 'A', M = 'M', N = 'N', E = 'E',
               I = 'I', P = 'P', W = 'W', L = 'L';
constexpr quint8 AllMixers = 255;

// Status byte of a reply (offset 2).
enum Status : quint8 {
    Accepted = 0,
    BadTarget = 1,     // no such mixer, parameter, register or group
    Malformed = 2,     // request too short or its lengths do not add up
    NoWriteAccess = 3, // writes refused (read-only user on Ethernet)
};

constexpr int BlockSize = 84;  // data block of one mixer (key ids 1..84)
constexpr int ExtRegisters = 18;
constexpr int ThresholdKeyId = 85;
constexpr int MaxMixers = 16;

// IS codes: 0..7 one channel, 8 all channels, 9 output, 10 threshold, 11 gate,
// 16..18 and 20 extended-data groups, 21 network settings.
enum InitCode : quint8 {
    InitAllChannels = 8,
    InitOutput = 9,
    InitThreshold = 10,
    InitGate = 11,
    InitExtGroup1 = 16, // registers 3..5
    InitExtGroup2 = 17, // registers 1..2
    InitExtDefaults = 18, // registers 6..10
    InitExtGroup3 = 20, // registers 11..18
    InitNetwork = 21,
};
} // namespace SimWire

// A value that reads back as `value` whatever is written to it.
struct SimStuck
{
    int mixer = 1;  // 1..16
    int keyId = 1;  // 1..84 block byte, 85 threshold, 87..103 extension register
    qint64 value = 0;
};

struct SimOptions
{
    int mixers = 1;
    int model = 1;  // model code answered by MN; 0 = older model
    QString address = QStringLiteral("192.168.100.200");
    QString userId = QStringLiteral("administrator");
    quint8 addressMode = 0;
    bool denyWrite = false;        // DS answers status 3 (as for a read-only user)
    double dropProbability = 0.0;  // chance that a request gets no reply at all
    double corruptProbability = 0.0; // chance that a serial frame goes out with a flipped byte
    double noiseProbability = 0.0; // chance that a byte on the serial line (either way) arrives changed
    int delayMs = 0;               // transports hold each reply this long
    int restartMs = 3000;          // how long the mixer is away after the final step of a model file
    QList<SimStuck> stuck;
    // Values the mixers hold when they start, instead of the factory's; they
    // take writes as usual (a mixer restarted with other settings).
    QList<SimStuck> start;
    quint32 seed = 1;
};

// One received firmware command (R or L).
struct SimDownload
{
    char command = 'R'; // 'R' prepare, 'L' data block
    quint8 target = 0;
    quint8 status = 0;  // of the reply: 0 taken, else refused (SimWire::Status)
    QByteArray data;

    bool accepted() const { return status == SimWire::Accepted; }
    // The sum of the data bytes modulo 256, as a model file's checksum adds them.
    quint8 sum() const;
};

// The link a request came over, where the mixer behaves differently on it.
enum class SimLink {
    Other,
    Usb, // after R the mixer takes data only once it was switched off and on
};

class SimChain
{
public:
    explicit SimChain(SimOptions options = {});

    // Answers one request message. Empty result: no reply (unknown command,
    // a mixer in download mode or restarting, or the reply was dropped by
    // fault injection).
    QByteArray handle(const QByteArray &request, SimLink link = SimLink::Other);

    // Firmware download. R (byte 2 the attached mixer, 1) for a target of the
    // mixer's family (the older model: M, F, W; the newer: M, P, D and the
    // final S) switches the mixer to download mode, in which it answers R and
    // L only. L takes data for the target the last R prepared (the newer
    // model's E step for any), never an empty image; the older model goes
    // back to work once its image is in, the newer restarts after S and
    // answers nothing for restartMs. Everything else is refused with status 1
    // (status 2 for an empty image).
    bool inDownloadMode() const { return m_downloadMode; }
    bool restarting() const;
    // Milliseconds until a restart ends; 0 when none runs.
    int restartLeftMs() const;
    // Restarts so far: a connection made before one is dead after it.
    int restarts() const { return m_restarts; }
    // Over USB a prepared mixer waits to be switched off and on before it
    // takes data; this is that power cycle (a mixer in download mode stays
    // in it, ready for the data).
    void powerCycle();

    // Fault injection for the serial transport: whether the frame about to go
    // out gets a flipped byte, and which one. Draws from the seeded generator.
    bool drawCorrupt();
    int drawIndex(int size);
    // Line noise on the serial transport: each byte passing either way is
    // changed to another value with the noise probability.
    QByteArray addNoise(QByteArray bytes);

    const SimOptions &options() const { return m_options; }
    // Changes the chance of a lost reply while running (1: the mixers go
    // silent, yet keep taking what they are sent).
    void setDropProbability(double p) { m_options.dropProbability = p; }
    // The replies to the next `count` requests starting with `command` ("DR":
    // the data read-back; empty: any) are lost, though the requests are
    // carried out.
    void dropNext(int count, const QByteArray &command = {})
    {
        m_dropNext = count;
        m_dropCommand = command;
    }
    int mixerCount() const { return m_options.mixers; }

    // State, for tests and for the program's status line.
    quint8 blockByte(int mixer, int keyId) const;   // keyId 1..84
    void setBlockByte(int mixer, int keyId, quint8 value);
    quint16 threshold(int mixer) const;
    quint32 extRegister(int mixer, int reg) const;  // reg 1..18
    void setAmbient(quint16 value) { m_ambient = value; }
    quint8 memoryByte(quint32 address) const { return m_memory.value(address, 0); }
    // The most recent firmware commands, oldest first.
    const QList<SimDownload> &downloads() const { return m_downloads; }
    // Told about every firmware command as it is taken (the program prints them).
    std::function<void(const SimDownload &)> onDownload;
    // Told about every request that asks to change something (DS, TS, ES,
    // IS, IP, AW), as it arrives, whatever the answer.
    std::function<void(const QByteArray &)> onWrite;

    // A virtual mixer may run for as long as a demo does, so what it records
    // stays bounded: this many distinct written memory bytes (a write that
    // needs more is refused with status 1, as for an address the mixer lacks)
    // and this many firmware commands (a whole download is about ten).
    static constexpr int MemoryBytes = 65536;
    static constexpr int DownloadRecords = 64;
    QByteArray networkBlock() const; // IR data from offset 3
    int requestCount() const { return m_requests; }

    // The line is half-duplex: the PC asks, then waits for the answer. A
    // transport that holds a reply back (a delay, a slow line) says when it
    // starts on its way and when it has been delivered or given up; a request
    // that arrives in between overlaps it. A PC that keeps to the protocol
    // never makes one.
    void replyOnItsWay() { ++m_repliesOnTheWay; }
    void replyDelivered() { m_repliesOnTheWay = std::max(0, m_repliesOnTheWay - 1); }
    int overlaps() const { return m_overlaps; }
    // Told about every request that overlaps a reply, as it arrives.
    std::function<void(const QByteArray &)> onOverlap;

    // Factory values of one mixer.
    static std::array<quint8, SimWire::BlockSize> factoryBlock();
    static std::array<quint32, SimWire::ExtRegisters + 1> factoryExt(); // index 0 unused
    static constexpr quint16 FactoryThreshold = 100;

private:
    struct Mixer
    {
        std::array<quint8, SimWire::BlockSize> block = factoryBlock();
        quint16 threshold = FactoryThreshold;
        std::array<quint32, SimWire::ExtRegisters + 1> ext = factoryExt();
    };

    void noteOverlap(const QByteArray &request)
    {
        if (m_repliesOnTheWay == 0)
            return;
        ++m_overlaps;
        if (onOverlap)
            onOverlap(request);
    }
    QByteArray reply(const QByteArray &request, quint8 status, const QByteArray &data = {}) const;
    bool validMixer(int m) const { return m >= 1 && m <= m_options.mixers; }
    const SimStuck *stuckAt(int mixer, int keyId) const;
    QByteArray readBlock(int mixer) const;
    quint16 readThreshold(int mixer) const;
    quint32 readExt(int mixer, int reg) const;
    void initialise(Mixer &mixer, quint8 code);
    void resetNetwork();
    bool storeNetwork(const QByteArray &request);

    QByteArray doDataRead(const QByteArray &rq);
    QByteArray doDataSet(const QByteArray &rq);
    QByteArray doThresholdRead(const QByteArray &rq);
    QByteArray doThresholdSet(const QByteArray &rq);
    QByteArray doModel(const QByteArray &rq);
    QByteArray doExtRead(const QByteArray &rq);
    QByteArray doExtSet(const QByteArray &rq);
    QByteArray doInit(const QByteArray &rq);
    QByteArray doMemRead(const QByteArray &rq);
    QByteArray doMemWrite(const QByteArray &rq);
    QByteArray doDownload(const QByteArray &rq, SimLink link);
    quint8 judgeDownload(const QByteArray &rq, SimLink link);

    SimOptions m_options;
    std::vector<Mixer> m_mixers;
    std::array<quint8, 4> m_ip{};
    quint8 m_addressMode = 0;
    QByteArray m_userId;
    quint16 m_ambient = 300;
    QMap<quint32, quint8> m_memory;  // sparse: any 32-bit address, unwritten bytes read 0
    QList<SimDownload> m_downloads;
    bool m_downloadMode = false;
    quint8 m_prepared = 0;          // target of the last R whose data has not come; 0 none
    bool m_powerCycleDue = false;   // prepared over USB, not yet switched off and on
    qint64 m_restartUntilMs = 0;    // on the steady clock; 0 none
    int m_restarts = 0;
    std::mt19937 m_rng;
    int m_requests = 0;
    int m_repliesOnTheWay = 0;
    int m_overlaps = 0;
    int m_dropNext = 0;       // replies still to lose on purpose
    QByteArray m_dropCommand; // ... to requests starting so
};

// The stored form of an IPv4 text ("192.168.100.200"); false if it is not one.
bool parseIpv4(const QString &text, std::array<quint8, 4> &out);
