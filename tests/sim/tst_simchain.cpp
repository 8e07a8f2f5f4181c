#include "sim/simargs.h"
#include "sim/simchain.h"
#include "sim/simkeys.h"
#include "tests/support/testmain.h"

#include <QtTest>

namespace {
QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(quint8(b)));
    return out;
}
QByteArray cmd(const char *letters, std::initializer_list<int> rest = {})
{
    return QByteArray(letters, 2) + bytes(rest);
}
} // namespace

class TstSimChain : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void dataReadAllHasEveryMixerInOrder();
    void setThenReadBack();
    void thresholdSetAndRead();
    void badTargetsAreRefused();
    void denyWriteRefusesEveryWrite();
    void stuckValuesIgnoreWrites();
    void dropIsDeterministicForASeed();
    void initialiseRestoresOnlyItsGroup();
    void networkBlockRoundTrip();
    void memoryReadWrite();
    void downloadMode_data();
    void downloadMode();
    void downloadsAreRecorded();
    void keyNames();
    void arbitraryRequestsAreAnsweredSafely();
    void arguments_data();
    void arguments();
};

void TstSimChain::replies_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");
    const QByteArray block = [] {
        QByteArray b;
        for (quint8 v : SimChain::factoryBlock())
            b.append(char(v));
        return b;
    }();
    QCOMPARE(block.size(), 84);
    QTest::newRow("DR one") << cmd("DR", {1}) << cmd("DR", {0}) + block;
    QTest::newRow("TR all") << cmd("TR", {255}) << cmd("TR", {0, 0, 100});
    QTest::newRow("TS") << cmd("TS", {1, 0x12, 0x34}) << cmd("TS", {0});
    QTest::newRow("AM") << cmd("AM", {1}) << cmd("AM", {0, 0x01, 0x2C});
    QTest::newRow("MN") << cmd("MN", {1}) << cmd("MN", {0, 1});
    QTest::newRow("ER 1") << cmd("ER", {1, 1}) << cmd("ER", {0, 0, 0, 0x3F, 0xFF});
    QTest::newRow("ER 12 zero field") << cmd("ER", {1, 12}) << cmd("ER", {0, 0x80, 0, 0, 0});
    QTest::newRow("ER 18") << cmd("ER", {1, 18}) << cmd("ER", {0, 0, 0, 0, 8});
    QTest::newRow("ES") << cmd("ES", {1, 4, 0, 0, 0, 9}) << cmd("ES", {0});
    QTest::newRow("IS channel") << cmd("IS", {1, 3}) << cmd("IS", {0});
    QTest::newRow("IR") << cmd("IR", {1})
                        << cmd("IR", {0, 192, 168, 100, 200, 0, 0, 14}) + "administrator" + bytes({0});
    QTest::newRow("AR") << cmd("AR", {1, 4, 0, 0, 0, 0x10}) << cmd("AR", {0, 0, 0, 0, 0});
    QTest::newRow("AW") << cmd("AW", {1, 1, 0, 0, 0, 0x10, 0, 0, 0, 7}) << cmd("AW", {0});
    QTest::newRow("R") << bytes({0x52, 0x4D, 1}) << bytes({0x52, 0x4D, 0});
    QTest::newRow("L before any R") << bytes({0x4C, 0x45, 1}) << bytes({0x4C, 0x45, 1});
    QTest::newRow("DS short") << cmd("DS", {1, 1}) << cmd("DS", {2});
    QTest::newRow("unknown command") << cmd("ZZ", {1}) << QByteArray();
    QTest::newRow("one byte") << bytes({0x44}) << QByteArray();
}

void TstSimChain::replies()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    SimChain chain;
    QCOMPARE(chain.handle(request).toHex(' '), reply.toHex(' '));
}

void TstSimChain::dataReadAllHasEveryMixerInOrder()
{
    SimOptions o;
    o.mixers = 3;
    SimChain chain(o);
    chain.handle(cmd("DS", {2, 43, 40}));
    const QByteArray r = chain.handle(cmd("DR", {255}));
    QCOMPARE(r.size(), 3 + 84 * 3);
    QCOMPARE(quint8(r[3 + 42]), quint8(0));        // mixer 1 InputGain_3 untouched
    QCOMPARE(quint8(r[3 + 84 + 42]), quint8(40));  // mixer 2
    QCOMPARE(quint8(r[3 + 168 + 42]), quint8(0));
    const QByteArray t = chain.handle(cmd("TR", {255}));
    QCOMPARE(t.toHex(' '), cmd("TR", {0, 0, 100, 0, 100, 0, 100}).toHex(' '));
}

void TstSimChain::setThenReadBack()
{
    SimOptions o;
    o.mixers = 2;
    SimChain chain(o);
    for (int p : {1, 43, 84}) {
        QCOMPARE(chain.handle(cmd("DS", {2, p, 0xA0 + p % 16})), cmd("DS", {0}));
        const QByteArray r = chain.handle(cmd("DR", {2}));
        QCOMPARE(r.size(), 87);
        QCOMPARE(quint8(r[2 + p]), quint8(0xA0 + p % 16));
    }
    // A value 255 (all mixers) target writes every mixer.
    QCOMPARE(chain.handle(cmd("DS", {255, 5, 9})), cmd("DS", {0}));
    QCOMPARE(chain.blockByte(1, 5), quint8(9));
    QCOMPARE(chain.blockByte(2, 5), quint8(9));
}

void TstSimChain::thresholdSetAndRead()
{
    SimOptions o;
    o.mixers = 2;
    SimChain chain(o);
    chain.handle(cmd("TS", {2, 0x40, 0x10}));
    QCOMPARE(chain.handle(cmd("TR", {255})), cmd("TR", {0, 0, 100, 0x40, 0x10}));
}

void TstSimChain::badTargetsAreRefused()
{
    SimOptions o;
    o.mixers = 2;
    SimChain chain(o);
    QCOMPARE(chain.handle(cmd("DS", {3, 1, 1})), cmd("DS", {1}));
    QCOMPARE(chain.handle(cmd("DS", {0, 1, 1})), cmd("DS", {1}));
    QCOMPARE(chain.handle(cmd("DS", {1, 0, 1})), cmd("DS", {1}));
    QCOMPARE(chain.handle(cmd("DS", {1, 85, 1})), cmd("DS", {1}));
    QCOMPARE(chain.handle(cmd("DR", {3})), cmd("DR", {1}));
    QCOMPARE(chain.handle(cmd("MN", {3})), cmd("MN", {1}));
    QCOMPARE(chain.handle(cmd("ER", {1, 0})), cmd("ER", {1}));
    QCOMPARE(chain.handle(cmd("ER", {1, 19})), cmd("ER", {1}));
    QCOMPARE(chain.handle(cmd("IS", {1, 12})), cmd("IS", {1}));
    QCOMPARE(chain.handle(cmd("AR", {1, 3, 0, 0, 0, 0})), cmd("AR", {1}));
    // The refused writes changed nothing.
    QCOMPARE(chain.blockByte(1, 1), quint8(1));
    QCOMPARE(chain.blockByte(2, 1), quint8(1));
}

void TstSimChain::denyWriteRefusesEveryWrite()
{
    SimOptions o;
    o.denyWrite = true;
    SimChain chain(o);
    QCOMPARE(chain.handle(cmd("DS", {1, 1, 3})), cmd("DS", {3}));
    QCOMPARE(chain.handle(cmd("TS", {1, 0, 7})), cmd("TS", {3}));
    QCOMPARE(chain.blockByte(1, 1), quint8(1));
    QCOMPARE(chain.threshold(1), quint16(100));
    // Reads go on working.
    QCOMPARE(chain.handle(cmd("DR", {1})).size(), 87);
}

void TstSimChain::stuckValuesIgnoreWrites()
{
    SimOptions o;
    o.mixers = 2;
    SimStuck gain, threshold;
    QVERIFY(parseStuck(QStringLiteral("2:InputGain_3=40"), gain));
    QVERIFY(parseStuck(QStringLiteral("1:Threshold=500"), threshold));
    o.stuck = {gain, threshold};
    SimChain chain(o);
    QCOMPARE(quint8(chain.handle(cmd("DR", {2}))[3 + 42]), quint8(40));
    QCOMPARE(chain.handle(cmd("DS", {2, 43, 10})), cmd("DS", {0})); // accepted ...
    QCOMPARE(quint8(chain.handle(cmd("DR", {2}))[3 + 42]), quint8(40)); // ... but reads back stuck
    QCOMPARE(quint8(chain.handle(cmd("DR", {1}))[3 + 42]), quint8(0));  // other mixer unaffected
    chain.handle(cmd("TS", {1, 0, 50}));
    QCOMPARE(chain.handle(cmd("TR", {255})), cmd("TR", {0, 0x01, 0xF4, 0, 100}));

    // An extended key names its register; the value is the raw register.
    SimOptions ext;
    SimStuck reg;
    QVERIFY(parseStuck(QStringLiteral("1:ThresholdK2=7"), reg));
    ext.stuck = {reg};
    SimChain extChain(ext);
    QCOMPARE(extChain.handle(cmd("ES", {1, 18, 0, 0, 0, 9})), cmd("ES", {0}));
    QCOMPARE(extChain.handle(cmd("ER", {1, 18})), cmd("ER", {0, 0, 0, 0, 7}));
    QCOMPARE(extChain.handle(cmd("ER", {1, 16})), cmd("ER", {0, 0, 0, 0, 50}));

    // A start value (a mixer restarted with other settings) takes writes.
    const SimParseResult started = parseSimArguments({"--tcp", "0", "--mixers", "2", "--set", "2:Override_3=1"});
    QVERIFY(started.ok);
    SimChain restarted(started.options.chain);
    QCOMPARE(restarted.blockByte(2, 59), quint8(1));
    QCOMPARE(restarted.blockByte(1, 59), quint8(0));
    QCOMPARE(restarted.handle(cmd("DS", {2, 59, 0})), cmd("DS", {0}));
    QCOMPARE(restarted.blockByte(2, 59), quint8(0));
}

void TstSimChain::dropIsDeterministicForASeed()
{
    auto pattern = [](quint32 seed) {
        SimOptions o;
        o.dropProbability = 0.5;
        o.seed = seed;
        SimChain chain(o);
        QString s;
        for (int i = 0; i < 64; ++i)
            s += chain.handle(cmd("TR", {255})).isEmpty() ? QLatin1Char('x') : QLatin1Char('.');
        return s;
    };
    const QString a = pattern(7);
    QCOMPARE(pattern(7), a);
    QVERIFY(a.contains(QLatin1Char('x')));
    QVERIFY(a.contains(QLatin1Char('.')));
    QVERIFY(pattern(8) != a);
    // A dropped reply still lets the write take effect (the reply is what got lost).
    SimOptions all;
    all.dropProbability = 1.0;
    SimChain lossy(all);
    QVERIFY(lossy.handle(cmd("DS", {1, 2, 0})).isEmpty());
    QCOMPARE(lossy.blockByte(1, 2), quint8(0));
}

void TstSimChain::initialiseRestoresOnlyItsGroup()
{
    SimChain chain;
    for (int k = 1; k <= 84; ++k)
        chain.handle(cmd("DS", {1, k, 0x77}));
    chain.handle(cmd("TS", {1, 0, 1}));
    for (int r = 1; r <= 18; ++r)
        chain.handle(cmd("ES", {1, r, 0, 0, 0, 0x55}));

    chain.handle(cmd("IS", {1, 2})); // channel 3
    QCOMPARE(chain.blockByte(1, 3), quint8(1));    // InputLevel_3
    QCOMPARE(chain.blockByte(1, 19), quint8(2));   // HeadAmp_3
    QCOMPARE(chain.blockByte(1, 43), quint8(0));   // InputGain_3
    QCOMPARE(chain.blockByte(1, 4), quint8(0x77)); // channel 4 untouched
    QCOMPARE(chain.blockByte(1, 73), quint8(0x77));

    chain.handle(cmd("IS", {1, 9})); // output
    QCOMPARE(chain.blockByte(1, 73), quint8(1));
    QCOMPARE(chain.blockByte(1, 76), quint8(1));
    QCOMPARE(chain.blockByte(1, 77), quint8(0x77));
    chain.handle(cmd("IS", {1, 10})); // threshold
    QCOMPARE(chain.blockByte(1, 77), quint8(1));
    QCOMPARE(chain.threshold(1), quint16(100));
    chain.handle(cmd("IS", {1, 11})); // gate
    QCOMPARE(chain.blockByte(1, 79), quint8(0));
    QCOMPARE(chain.blockByte(1, 55), quint8(1)); // Priority_7
    QCOMPARE(chain.blockByte(1, 84), quint8(0x77)); // KeyLock belongs to no group

    chain.handle(cmd("IS", {1, 16}));
    QCOMPARE(chain.extRegister(1, 3), quint32(100));
    QCOMPARE(chain.extRegister(1, 2), quint32(0x55));
    chain.handle(cmd("IS", {1, 20}));
    QCOMPARE(chain.extRegister(1, 12), quint32(0x80000000u));
    QCOMPARE(chain.extRegister(1, 15), quint32(50));
    QCOMPARE(chain.extRegister(1, 10), quint32(0x55));
}

void TstSimChain::networkBlockRoundTrip()
{
    SimOptions o;
    o.address = QStringLiteral("10.1.2.3");
    o.userId = QStringLiteral("desk7");
    SimChain chain(o);
    QCOMPARE(chain.handle(cmd("IR", {1})), cmd("IR", {0, 10, 1, 2, 3, 0, 0, 6}) + "desk7" + bytes({0}));
    const QByteArray write = cmd("IP", {1, 127, 0, 0, 9, 1, 0, 3}) + "ab" + bytes({0});
    QCOMPARE(chain.handle(write), cmd("IP", {0}));
    QCOMPARE(chain.handle(cmd("IR", {1})), cmd("IR", {0, 127, 0, 0, 9, 1, 0, 3}) + "ab" + bytes({0}));
    // A length field that disagrees with the message, or a missing zero, is refused.
    QCOMPARE(chain.handle(cmd("IP", {1, 1, 1, 1, 1, 0, 0, 9}) + "ab" + bytes({0})), cmd("IP", {2}));
    QCOMPARE(chain.handle(cmd("IP", {1, 1, 1, 1, 1, 0, 0, 3}) + "abc"), cmd("IP", {2}));
    QCOMPARE(chain.handle(cmd("IR", {1})).mid(3, 4), bytes({127, 0, 0, 9}));
    // An empty user ID: N = 1, IR reply of 11 bytes (count 13 with the trailer).
    QCOMPARE(chain.handle(cmd("IP", {1, 1, 2, 3, 4, 0, 0, 1, 0})), cmd("IP", {0}));
    QCOMPARE(chain.handle(cmd("IR", {1})).size(), 11);
    // IS 21 restores the network settings the mixer started with.
    QCOMPARE(chain.handle(cmd("IS", {1, 21})), cmd("IS", {0}));
    QCOMPARE(chain.networkBlock(), bytes({10, 1, 2, 3, 0, 0, 6}) + "desk7" + bytes({0}));
}

void TstSimChain::memoryReadWrite()
{
    SimChain chain;
    QCOMPARE(chain.handle(cmd("AW", {1, 4, 0xFF, 0xFF, 0xFF, 0xFE, 0x0A, 0xFF, 0x00, 0x01})), cmd("AW", {0}));
    QCOMPARE(chain.handle(cmd("AR", {1, 4, 0xFF, 0xFF, 0xFF, 0xFE})), cmd("AR", {0, 0x0A, 0xFF, 0x00, 0x01}));
    // Size 2 from the same address reads the first two bytes, right-aligned.
    QCOMPARE(chain.handle(cmd("AR", {1, 2, 0xFF, 0xFF, 0xFF, 0xFE})), cmd("AR", {0, 0, 0, 0x0A, 0xFF}));
    // A 1-byte write stores only d3.
    chain.handle(cmd("AW", {1, 1, 0, 0, 0, 0x20, 0x11, 0x22, 0x33, 0x44}));
    QCOMPARE(chain.memoryByte(0x20), quint8(0x44));
    QCOMPARE(chain.memoryByte(0x21), quint8(0));

    // Bounded: once full, a write needing a new byte is refused whole, while
    // bytes already held can still be rewritten.
    auto write = [&](quint32 a, int size, int d) {
        return chain.handle(cmd("AW", {1, size, int(a >> 24), int(a >> 16 & 0xFF), int(a >> 8 & 0xFF),
                                       int(a & 0xFF), 0, 0, 0, d}));
    };
    for (quint32 a = 0x1000; a < 0x1000 + SimChain::MemoryBytes - 9; ++a)   // 5 bytes held already
        write(a, 1, 1);
    QCOMPARE(write(0xFFFFFFF0, 4, 7), cmd("AW", {0}));       // fills the last four
    QCOMPARE(write(0xFFFFFFF2, 4, 8), cmd("AW", {1}));       // two held, two new: refused
    QCOMPARE(chain.memoryByte(0xFFFFFFF3), quint8(7));
    QCOMPARE(write(0x20, 1, 9), cmd("AW", {0}));
    QCOMPARE(chain.memoryByte(0x20), quint8(9));
}

void TstSimChain::downloadMode_data()
{
    // Each step: "request > reply" in hex (nothing after ">" for no reply),
    // or "power cycle".
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("usb");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("older model: image in, back to work")
        << 0 << false << QStringList{"52 4D 01 > 52 4D 00", "4C 4D 01 AA BB > 4C 4D 00", "4D 4E 01 > 4D 4E 00 00"};
    QTest::newRow("data never prepared")
        << 1 << false << QStringList{"4C 4D 01 AA > 4C 4D 01", "4C 45 01 > 4C 45 01", "4D 4E 01 > 4D 4E 00 01"};
    QTest::newRow("byte 2 other than the attached mixer")
        << 1 << false
        << QStringList{"52 4D 02 > 52 4D 01", "52 4D FF > 52 4D 01", "52 4D 01 > 52 4D 00", "4C 4D 00 AA > 4C 4D 01"};
    QTest::newRow("the older model's targets on the newer")
        << 1 << false << QStringList{"52 46 01 > 52 46 01", "52 57 01 > 52 57 01", "52 45 01 > 52 45 01"};
    QTest::newRow("the newer model's targets on the older")
        << 0 << false << QStringList{"52 50 01 > 52 50 01", "52 44 01 > 52 44 01", "52 53 01 > 52 53 01"};
    QTest::newRow("data for another target, or twice")
        << 1 << false
        << QStringList{"52 4D 01 > 52 4D 00", "4C 50 01 AA > 4C 50 01", "4C 4D 01 AA > 4C 4D 00", "4C 4D 01 BB > 4C 4D 01"};
    QTest::newRow("empty image") << 0 << false << QStringList{"52 46 01 > 52 46 00", "4C 46 01 > 4C 46 02"};
    QTest::newRow("download mode hears R and L only")
        << 1 << false
        << QStringList{"52 4D 01 > 52 4D 00", "44 52 FF >", "4D 4E 01 >", "4C 45 01 > 4C 45 00", "52 50 01 > 52 50 00"};
    QTest::newRow("the older model has no E step")
        << 0 << false << QStringList{"52 4D 01 > 52 4D 00", "4C 45 01 > 4C 45 01"};
    QTest::newRow("S ends the sections and restarts the mixer")
        << 1 << false
        << QStringList{"52 53 01 > 52 53 01", "52 4D 01 > 52 4D 00", "4C 4D 01 AA > 4C 4D 00", "52 53 01 > 52 53 00",
                       "4D 4E 01 >", "52 4D 01 >"};
    QTest::newRow("USB: data only after a power cycle")
        << 1 << true
        << QStringList{"52 4D 01 > 52 4D 00", "4C 4D 01 AA > 4C 4D 01", "power cycle", "4C 4D 01 AA > 4C 4D 00",
                       "52 50 01 > 52 50 00", "4C 50 01 BB > 4C 50 00"};
}

void TstSimChain::downloadMode()
{
    QFETCH(int, model);
    QFETCH(bool, usb);
    QFETCH(QStringList, steps);
    SimOptions o;
    o.model = model;
    SimChain chain(o);
    for (const QString &step : steps) {
        if (step == QLatin1String("power cycle")) {
            chain.powerCycle();
            continue;
        }
        const QStringList parts = step.split(u'>');
        const QByteArray request = QByteArray::fromHex(parts[0].toLatin1());
        const QByteArray reply = chain.handle(request, usb ? SimLink::Usb : SimLink::Other);
        QVERIFY2(reply == QByteArray::fromHex(parts[1].toLatin1()), qPrintable(step + " got " + reply.toHex(' ')));
    }
}

void TstSimChain::downloadsAreRecorded()
{
    SimChain chain;
    chain.handle(bytes({0x4C, 0x45, 1}));
    chain.handle(bytes({0x52, 0x4D, 1}));
    QCOMPARE(chain.handle(bytes({0x4C, 0x4D, 1, 9, 8, 7})), bytes({0x4C, 0x4D, 0}));
    QCOMPARE(chain.downloads().size(), 3);
    QCOMPARE(chain.downloads()[0].status, quint8(SimWire::BadTarget)); // refused ones count too
    QCOMPARE(chain.downloads()[2].target, quint8(0x4D));
    QVERIFY(chain.downloads()[2].accepted());
    QCOMPARE(chain.downloads()[2].data, bytes({9, 8, 7}));

    // Only the most recent records are kept.
    for (int i = 0; i < 2 * SimChain::DownloadRecords; ++i)
        chain.handle(bytes({0x4C, 0x44, 1, i}));
    QCOMPARE(chain.downloads().size(), SimChain::DownloadRecords);
    QCOMPARE(chain.downloads().last().data, bytes({2 * SimChain::DownloadRecords - 1}));
}

void TstSimChain::keyNames()
{
    QCOMPARE(simKeyName(1), QStringLiteral("InputLevel_1"));
    QCOMPARE(simKeyName(59), QStringLiteral("Override_3"));
    QCOMPARE(simKeyName(72), QStringLiteral("Mute_8"));
    QCOMPARE(simKeyName(84), QStringLiteral("KeyLock"));
    QCOMPARE(simKeyName(85), QStringLiteral("Threshold"));
    QCOMPARE(simKeyName(103), QStringLiteral("ThresholdK2"));
    QVERIFY(simKeyName(86).isEmpty());
    QCOMPARE(simKeyId(QStringLiteral("InputGain_3")), 43);
    QCOMPARE(simKeyId(QStringLiteral("inputgain_3")), 0);
    QCOMPARE(simKeyId(QString()), 0);
}

void TstSimChain::arbitraryRequestsAreAnsweredSafely()
{
    // Requests of every known command with random lengths and contents: no
    // crash, and a reply always repeats the request's first two bytes.
    const QList<QByteArray> heads{"DR", "DS", "TR", "TS", "AM", "MN", "ER", "ES", "IS", "IR", "IP", "AR", "AW",
                                  QByteArray("R\x4D", 2), QByteArray("L\x45", 2)};
    SimOptions o;
    o.mixers = 16;
    o.restartMs = 0;
    SimChain chain(o);
    std::mt19937 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        QByteArray rq = heads[int(rng() % quint32(heads.size()))];
        const int extra = int(rng() % 300);
        for (int k = 0; k < extra; ++k)
            rq.append(char(rng() & 0xFF));
        const QByteArray reply = chain.handle(rq);
        QVERIFY(reply.isEmpty() || (reply.size() >= 3 && reply.left(2) == rq.left(2)));
    }
    // The chain still answers normally afterwards, once a download that
    // random bytes began has ended.
    if (chain.inDownloadMode())
        QCOMPARE(chain.handle(bytes({0x52, 0x53, 1})), bytes({0x52, 0x53, 0}));
    QCOMPARE(chain.handle(cmd("TR", {255})).size(), 3 + 2 * 16);
}

void TstSimChain::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::newRow("tcp port only") << QStringList{"--tcp", "0"} << true;
    QTest::newRow("tcp host:port") << QStringList{"--tcp=127.0.0.2:4000"} << true;
    QTest::newRow("no transport") << QStringList{"--mixers", "3"} << false;
    QTest::newRow("17 mixers") << QStringList{"--serial", "--mixers", "17"} << false;
    QTest::newRow("stuck beyond chain") << QStringList{"--serial", "--stuck", "3:KeyLock=1"} << false;
    QTest::newRow("stuck bad key") << QStringList{"--serial", "--stuck", "1:Nope=1"} << false;
    QTest::newRow("stuck byte too big") << QStringList{"--serial", "--stuck", "1:KeyLock=256"} << false;
    QTest::newRow("start value beyond chain") << QStringList{"--serial", "--set", "2:KeyLock=1"} << false;
    QTest::newRow("drop > 1") << QStringList{"--serial", "--drop", "1.5"} << false;
    QTest::newRow("noise > 1") << QStringList{"--serial", "--noise", "2"} << false;
    QTest::newRow("cut after 0") << QStringList{"--tcp", "0", "--cut-after", "0"} << false;
    QTest::newRow("missing value") << QStringList{"--serial", "--seed"} << false;
    QTest::newRow("bad address") << QStringList{"--serial", "--address", "1.2.3"} << false;
    QTest::newRow("line rate below 300") << QStringList{"--serial", "--line-rate", "200"} << false;
    QTest::newRow("non-ascii user") << QStringList{"--serial", "--user-id", QStringLiteral("ユーザー")} << false;
    QTest::newRow("everything") << QStringList{"--tcp", "0", "--serial", "--usb", "/tmp/x", "--mixers", "3",
                                               "--model", "0", "--deny-write", "--drop", "0.1", "--corrupt", "0.2",
                                               "--delay", "5", "--stuck", "2:Threshold=9", "--seed", "4", "--line-rate", "19200",
                                               "--noise", "0.02", "--cut-after", "50"}
                                << true;
}

void TstSimChain::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    const SimParseResult r = parseSimArguments(args);
    QCOMPARE(r.ok, ok);
    if (!ok)
        QVERIFY(!r.error.isEmpty());
    if (QTest::currentDataTag() == QLatin1String("tcp host:port")) {
        QCOMPARE(r.options.tcpHost, QStringLiteral("127.0.0.2"));
        QCOMPARE(r.options.tcpPort, quint16(4000));
    }
    if (QTest::currentDataTag() == QLatin1String("everything")) {
        QCOMPARE(r.options.chain.mixers, 3);
        QCOMPARE(r.options.chain.model, 0);
        QCOMPARE(r.options.chain.stuck.size(), 1);
        QCOMPARE(r.options.chain.stuck[0].keyId, 85);
        QCOMPARE(r.options.chain.seed, quint32(4));
        QCOMPARE(r.options.lineRate, 19200);
        QCOMPARE(r.options.chain.noiseProbability, 0.02);
        QCOMPARE(r.options.cutAfter, 50);
    }
}

ZK_TEST_GUILESS_MAIN(TstSimChain)
#include "tst_simchain.moc"
