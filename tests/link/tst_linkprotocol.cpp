// The message protocol on virtual time: request bytes, reply rules, the
// waits and their time-outs, the verified writes, and MdlComm's handling of
// trailers, buffer bounds and open failures, all over a scripted transport.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "link/scriptedtransport.h"
#include "link/usbtransport.h"
#include "tests/support/hexbytes.h"
#include "tests/support/testmain.h"

#include <QElapsedTimer>
#include <QTest>

#include <map>
#include <mutex>
#include <utility>

namespace {
QByteArray withTrailer(const QByteArray &m)
{
    return m + hex("55 AA");
}

bool verified(MixerProtocol::VerifyResult r)
{
    return r == MixerProtocol::VerifyResult::Verified;
}

const quint8 *u8(const QByteArray &b)
{
    return reinterpret_cast<const quint8 *>(b.constData());
}

// One MdlComm on virtual time with a scripted transport behind it.
struct Rig
{
    LinkState link;
    ManualClock clock;
    ScriptedDialogs dialogs;
    ScriptedTransport *transport = nullptr;
    std::unique_ptr<MdlComm> comm;
    int openFailures = 0;

    explicit Rig(LinkKind kind = LinkKind::Ethernet, bool usbLike = false)
    {
        link.linkKind = kind;
        LinkEndpoints ep;
        ep.makeTransport = [this, usbLike](LinkKind) {
            auto t = std::make_unique<ScriptedTransport>();
            t->withTrailer = usbLike;
            transport = t.get();
            return t;
        };
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(ep));
        comm->onOpenFailed = [this] { ++openFailures; };
        comm->CommOpen();
    }
    // What the callers of a verified write tell the user when it gives up.
    MixerProtocol::GiveUp tellSetFailed()
    {
        return [this] { dialogs.tell(str(StrId::SetFailed), MsgIcon::Warning); };
    }
};

// A mixer's extension registers and network block, answering as the real one.
struct FakeMixer
{
    std::map<int, QByteArray> registers;   // d0..d3
    QByteArray networkBlock;
    int writes = 0;
    bool storeWrites = true;
    QByteArray readBackMask;               // XORed into ER replies

    QList<QByteArray> answer(const QByteArray &r)
    {
        if (r.startsWith("ES")) {
            ++writes;
            if (storeWrites)
                registers[quint8(r[3])] = r.mid(4, 4);
            return {hex("45 53 00")};
        }
        if (r.startsWith("ER")) {
            QByteArray d = registers.count(quint8(r[3])) ? registers[quint8(r[3])] : QByteArray(4, '\0');
            for (int i = 0; i < readBackMask.size() && i < 4; ++i)
                d[i] = char(d[i] ^ readBackMask[i]);
            return {hex("45 52 00") + d};
        }
        if (r.startsWith("IP")) {
            ++writes;
            if (storeWrites)
                networkBlock = r.mid(3);
            return {hex("49 50 00")};
        }
        if (r.startsWith("IR"))
            return {hex("49 52 00") + networkBlock};
        return {};
    }
};
} // namespace

class TestLinkProtocol : public QObject
{
    Q_OBJECT
private slots:
    void requestBytes_data();
    void requestBytes();
    void replyRules_data();
    void replyRules();
    void networkBlockLengths();
    void extensionWidths();

    void shortReplyTimesOut();
    void lateReplyIgnored();
    void setWaitsAndPauses();
    void firstReplyJudgedOnce();
    void timeoutGrowsWithReplyTimeUnit();
    void serialDataWaitAllowsTheLongestChainUntilCounted();
    void extensionVerifyComparesValueBytes();
    void extensionVerifyGivesUpAfterTen();
    void staleRepliesDiscarded();
    void ipWriteWithVerifyRoundTrip();
    void freeSendAndWaitStripsTrailer();
    void downloadsJudgeFirstReply();

    void receiveAddsTrailerAndBoundsBuffer();
    void replySplitting_data();
    void replySplitting();
    void drainOffline();
    void openFailures();
    void closeWhileACallWaits();
    void usbMissingLibrary();
    void usbTransportThroughFunctions();
};

void TestLinkProtocol::requestBytes_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("bytes");
    NetworkSettings s;
    s.address = {192, 168, 0, 10};
    s.addressMode = 1;
    s.userId = "AB";
    QTest::newRow("DR all") << dataReadAllRequest() << hex("44 52 FF");
    QTest::newRow("DR 3") << dataReadRequest(3) << hex("44 52 03");
    QTest::newRow("DS") << dataSetRequest(2, 84, 0x80) << hex("44 53 02 54 80");
    QTest::newRow("TR all") << thresholdReadAllRequest() << hex("54 52 FF");
    QTest::newRow("TS") << thresholdSetRequest(16, 0x1234) << hex("54 53 10 12 34");
    QTest::newRow("AM") << ambientRequest() << hex("41 4D 01");
    QTest::newRow("MN") << modelRequest(5) << hex("4D 4E 05");
    QTest::newRow("ER") << extensionReadRequest(12) << hex("45 52 01 0C");
    QTest::newRow("ES") << extensionWriteRequest(13, 0x01020304) << hex("45 53 01 0D 01 02 03 04");
    QTest::newRow("IS") << initialiseRequest(1, 7) << hex("49 53 01 07");
    QTest::newRow("IR") << networkReadRequest() << hex("49 52 01");
    QTest::newRow("IP") << networkWriteRequest(s) << hex("49 50 01 C0 A8 00 0A 01 00 03 41 42 00");
    QTest::newRow("AR") << memoryReadRequest(4, 0x00FF1000) << hex("41 52 01 04 00 FF 10 00");
    QTest::newRow("AW") << memoryWriteRequest(2, 0x10, 0xBEEF) << hex("41 57 01 02 00 00 00 10 00 00 BE EF");
    QTest::newRow("R") << downloadPrepareRequest(2) << hex("52 02 01");
    QTest::newRow("L") << downloadDataRequest(2, hex("01 02 03 04")) << hex("4C 02 01 01 02 03 04");
}

void TestLinkProtocol::requestBytes()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, bytes);
    QCOMPARE(request.toHex(' '), bytes.toHex(' '));
    QVERIFY(expectationFor(request).has_value());
}

void TestLinkProtocol::replyRules_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply"); // without trailer
    QTest::addColumn<bool>("accepted");
    const QByteArray block(84, '\x11');
    QTest::newRow("DS ok") << dataSetRequest(1, 1, 0) << hex("44 53 00") << true;
    QTest::newRow("DS refused") << dataSetRequest(1, 1, 0) << hex("44 53 03") << false;
    QTest::newRow("DS wrong letter") << dataSetRequest(1, 1, 0) << hex("54 53 00") << false;
    QTest::newRow("ER one short") << extensionReadRequest(6) << hex("45 52 00 00 00 00") << false;
    QTest::newRow("ER") << extensionReadRequest(6) << hex("45 52 00 00 00 00 05") << true;
    QTest::newRow("ER one long") << extensionReadRequest(6) << hex("45 52 00 00 00 00 05 00") << false;
    QTest::newRow("MN") << modelRequest(1) << hex("4D 4E 00 02") << true;
    QTest::newRow("DR one") << dataReadRequest(2) << hex("44 52 00") + block << true;
    QTest::newRow("DR one, two blocks") << dataReadRequest(2) << hex("44 52 00") + block + block << false;
    QTest::newRow("DR all 1") << dataReadAllRequest() << hex("44 52 00") + block << true;
    QTest::newRow("DR all 16") << dataReadAllRequest() << hex("44 52 00") + block.repeated(16) << true;
    QTest::newRow("DR all 17") << dataReadAllRequest() << hex("44 52 00") + block.repeated(17) << false;
    QTest::newRow("DR all ragged") << dataReadAllRequest() << hex("44 52 00") + block + hex("00") << false;
    QTest::newRow("DR all none") << dataReadAllRequest() << hex("44 52 00") << false;
    QTest::newRow("TR all 1") << thresholdReadAllRequest() << hex("54 52 00 12 34") << true;
    QTest::newRow("TR all odd") << thresholdReadAllRequest() << hex("54 52 00 12 34 56") << false;
    QTest::newRow("TR all empty") << thresholdReadAllRequest() << hex("54 52 00") << false;
    QTest::newRow("AM plain") << ambientRequest() << hex("41 4D 00") << true;
    QTest::newRow("AM value") << ambientRequest() << hex("41 4D 00 01 02") << true;
    QTest::newRow("AM 6") << ambientRequest() << hex("41 4D 00 01") << false;
    QTest::newRow("IR N=1") << networkReadRequest() << hex("49 52 00 0A 00 00 01 00 00 01 00") << true;
    QTest::newRow("IR N lies") << networkReadRequest() << hex("49 52 00 0A 00 00 01 00 00 02 00") << false;
    QTest::newRow("IR N=0") << networkReadRequest() << hex("49 52 00 0A 00 00 01 00 00 00") << false;
    QTest::newRow("R ok") << downloadPrepareRequest(3) << hex("52 03 00") << true;
    QTest::newRow("R other target") << downloadPrepareRequest(3) << hex("52 04 00") << false;
    QTest::newRow("L ok") << downloadDataRequest(3, "xyz") << hex("4C 03 00") << true;
    QTest::newRow("L failed") << downloadDataRequest(3, "xyz") << hex("4C 03 01") << false;
    QTest::newRow("two bytes") << modelRequest(1) << hex("4D 4E") << false;
}

void TestLinkProtocol::replyRules()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    const auto e = expectationFor(request);
    QVERIFY(e);
    const QByteArray r = withTrailer(reply);
    QCOMPARE(matchesReply(*e, u8(r), int(r.size())), accepted);
}

void TestLinkProtocol::networkBlockLengths()
{
    NetworkSettings empty;
    QByteArray req = networkWriteRequest(empty);
    QCOMPARE(req.size(), 1 + 10);                 // N = 1
    QCOMPARE(networkLength(u8(req), int(req.size())), 1);
    QByteArray ir = withTrailer(hex("49 52 00") + networkBlock(empty));
    QCOMPARE(ir.size(), 13);
    QVERIFY(matchesNetworkRead(u8(ir), int(ir.size())));

    NetworkSettings longId;
    longId.address = {10, 0, 0, 2};
    longId.userId = QByteArray(255, 'u');
    req = networkWriteRequest(longId);
    QCOMPARE(quint8(req[8]), quint8(0x01));
    QCOMPARE(quint8(req[9]), quint8(0x00));
    QCOMPARE(networkLength(u8(req), int(req.size())), 256);
    QCOMPARE(req.size(), 256 + 10);
    ir = withTrailer(hex("49 52 00") + networkBlock(longId));
    const auto parsed = parseNetworkReply(u8(ir), int(ir.size()));
    QVERIFY(parsed);
    QVERIFY(*parsed == longId);
}

void TestLinkProtocol::extensionWidths()
{
    const quint8 written[4] = {1, 2, 3, 4};
    const quint8 lowOnly[4] = {9, 9, 9, 4};
    const quint8 lowTwo[4] = {9, 9, 3, 4};
    for (int r : {6, 9, 10, 11, 14, 15, 16}) {
        QCOMPARE(extensionWidth(r), 1);
        QVERIFY(extensionReadBackMatches(r, written, lowOnly));
    }
    for (int r : {1, 2, 3, 4, 5, 7, 8, 18}) {
        QCOMPARE(extensionWidth(r), 2);
        QVERIFY(!extensionReadBackMatches(r, written, lowOnly));
        QVERIFY(extensionReadBackMatches(r, written, lowTwo));
    }
    for (int r : {12, 13}) {
        QCOMPARE(extensionWidth(r), 4);
        QVERIFY(!extensionReadBackMatches(r, written, lowTwo));
        QVERIFY(extensionReadBackMatches(r, written, written));
    }
    QCOMPARE(extensionWidth(17), 0);
    QVERIFY(!extensionReadBackMatches(17, written, lowTwo));
}

void TestLinkProtocol::shortReplyTimesOut()
{
    Rig rig;
    rig.transport->onSend = [](const QByteArray &) { return QList<QByteArray>{hex("45 52 00 00 00 00")}; };
    MixerProtocol p(*rig.comm);
    const double start = rig.clock.now();
    QVERIFY(!p.ExtensionRead(6));
    const double took = rig.clock.now() - start;
    QVERIFY2(took > 0.8 && took < 0.81, qPrintable(QString::number(took)));
}

void TestLinkProtocol::lateReplyIgnored()
{
    Rig rig;
    MixerProtocol p(*rig.comm);
    // The answer to an earlier DR arrives only now, in front of ours.
    rig.transport->queue(hex("44 52 00") + QByteArray(84, '\0'));
    rig.transport->onSend = [](const QByteArray &) { return QList<QByteArray>{hex("4D 4E 00 01")}; };
    const Reply r = p.sendAndWait(modelRequest(1));
    QCOMPARE(r.count(), 6);
    QCOMPARE(r.bytes, withTrailer(hex("4D 4E 00 01")));
}

void TestLinkProtocol::setWaitsAndPauses()
{
    Rig rig;
    MixerProtocol p(*rig.comm);
    double start = rig.clock.now();
    QCOMPARE(p.sendSetAndPause(dataSetRequest(1, 3, 9)), 0);
    QVERIFY(qAbs(rig.clock.now() - start - 0.86) < 0.005);
    QCOMPARE(rig.transport->sent.last(), hex("44 53 01 03 09"));

    // Any reply ends the wait, even a wrong one; the pause follows.
    rig.transport->onSend = [](const QByteArray &) { return QList<QByteArray>{hex("58")}; };
    start = rig.clock.now();
    QCOMPARE(p.sendSetAndPause(thresholdSetRequest(1, 5)), 3);
    QVERIFY(qAbs(rig.clock.now() - start - 0.06) < 0.005);
}

void TestLinkProtocol::firstReplyJudgedOnce()
{
    Rig rig;
    MixerProtocol p(*rig.comm);
    rig.transport->onSend = [](const QByteArray &) {
        return QList<QByteArray>{hex("44 53 03"), hex("44 53 00")};
    };
    const double start = rig.clock.now();
    const MixerProtocol::FirstReply r = p.sendAndJudgeFirst(dataSetRequest(1, 1, 1));
    QCOMPARE(r.count, 5);
    QVERIFY(!r.valid);
    QCOMPARE(r.status, quint8(3));
    QVERIFY(rig.clock.now() - start < 0.01);

    // The accepted reply left behind is the first one the next request sees.
    rig.transport->onSend = nullptr;
    QVERIFY(!p.sendAndJudgeFirst(modelRequest(1)).valid);

    rig.transport->onSend = [](const QByteArray &) { return QList<QByteArray>{hex("4D 4E 00 02")}; };
    const MixerProtocol::FirstReply ok = p.sendAndJudgeFirst(modelRequest(1));
    QVERIFY(ok.valid);
    QCOMPARE(ok.count, 6);

    rig.transport->onSend = nullptr;
    const MixerProtocol::FirstReply none = p.sendAndJudgeFirst(modelRequest(1));
    QCOMPARE(none.count, 0);
    QVERIFY(!none.valid);
}

void TestLinkProtocol::timeoutGrowsWithReplyTimeUnit()
{
    Rig rig;
    rig.link.ReplyTimeUnit = 0.1 * 17;
    MixerProtocol p(*rig.comm);
    const double start = rig.clock.now();
    QCOMPARE(p.sendAndWait(thresholdReadAllRequest()).count(), 0);
    QVERIFY(qAbs(rig.clock.now() - start - 3.4) < 0.01);
}

// On RS-232C the data of all mixers takes about 50 ms a mixer on the line.
// Before any reply has counted the mixers, the wait for it must allow for
// sixteen, or a long chain's first reply is taken for none.
void TestLinkProtocol::serialDataWaitAllowsTheLongestChainUntilCounted()
{
    auto waited = [](Rig &rig, const QByteArray &request) {
        const double start = rig.clock.now();
        MixerProtocol(*rig.comm).sendAndWait(request);
        return rig.clock.now() - start;
    };
    auto thresholdsOf = [](int mixers) {
        return [mixers](const QByteArray &r) {
            return r.startsWith("TR") ? QList<QByteArray>{hex("54 52 00") + QByteArray(2 * mixers, '\x01')}
                                      : QList<QByteArray>{};
        };
    };
    const double longest = 2 * 0.08 * 17;
    Rig serial(LinkKind::Rs232c);
    QVERIFY(qAbs(waited(serial, dataReadAllRequest()) - longest) < 0.01);
    // Replies of a known length keep the standard wait.
    QVERIFY(qAbs(waited(serial, thresholdReadAllRequest()) - 0.8) < 0.01);
    QVERIFY(qAbs(waited(serial, dataReadRequest(1)) - 0.8) < 0.01);

    // Three mixers counted: the standard wait is long enough for their data.
    serial.transport->onSend = thresholdsOf(3);
    QVERIFY(MixerProtocol(*serial.comm).sendAndWait(thresholdReadAllRequest()).received());
    QVERIFY(qAbs(waited(serial, dataReadAllRequest()) - 0.8) < 0.01);
    // Sixteen counted by a reply the poll did not decode: the unit was not
    // raised, the wait still allows for their data.
    serial.transport->onSend = thresholdsOf(16);
    QVERIFY(MixerProtocol(*serial.comm).sendAndWait(thresholdReadAllRequest()).received());
    QVERIFY(qAbs(waited(serial, dataReadAllRequest()) - longest) < 0.01);
    // A unit already raised further wins.
    serial.link.ReplyTimeUnit = 0.1 * 17;
    QVERIFY(qAbs(waited(serial, dataReadAllRequest()) - 3.4) < 0.01);
    serial.link.ReplyTimeUnit = 0.4;
    // Opened again, the link has counted nothing.
    serial.transport->onSend = thresholdsOf(1);
    QVERIFY(MixerProtocol(*serial.comm).sendAndWait(thresholdReadAllRequest()).received());
    serial.comm->CommOpen();
    QVERIFY(qAbs(waited(serial, dataReadAllRequest()) - longest) < 0.01);

    // The other links carry the reply in one piece: the standard wait.
    Rig ethernet(LinkKind::Ethernet);
    QVERIFY(qAbs(waited(ethernet, dataReadAllRequest()) - 0.8) < 0.01);
}

void TestLinkProtocol::extensionVerifyComparesValueBytes()
{
    Rig rig;
    FakeMixer mixer;
    mixer.readBackMask = hex("FF 77 33"); // d0..d2 come back spoilt
    rig.transport->onSend = [&mixer](const QByteArray &r) { return mixer.answer(r); };
    MixerProtocol p(*rig.comm);
    const ExtensionValue value{0x01, 0x02, 0x03, 0x2A};
    QVERIFY(verified(p.ExtensionWriteWithVerify(6, value, rig.tellSetFailed())));
    QCOMPARE(mixer.writes, 1);
    QCOMPARE(rig.transport->sent.first(), hex("45 53 01 06 01 02 03 2A"));
    // A two-byte register sees the spoilt d2 and keeps trying.
    mixer.writes = 0;
    QVERIFY(!verified(p.ExtensionWriteWithVerify(2, value, rig.tellSetFailed())));
    QCOMPARE(mixer.writes, 10);
    QVERIFY(rig.dialogs.shown.size() == 1);
}

void TestLinkProtocol::extensionVerifyGivesUpAfterTen()
{
    Rig rig;
    FakeMixer mixer;
    mixer.storeWrites = false;
    rig.transport->onSend = [&mixer](const QByteArray &r) { return mixer.answer(r); };
    MixerProtocol p(*rig.comm);
    const double start = rig.clock.now();
    QVERIFY(!verified(p.ExtensionWriteWithVerify(3, {0x00, 0x00, 0x12, 0x34}, rig.tellSetFailed())));
    QCOMPARE(mixer.writes, 10);
    // Every attempt wrote the caller's value, not what a read left behind.
    for (const QByteArray &s : rig.transport->sent)
        if (s.startsWith("ES"))
            QCOMPARE(s, hex("45 53 01 03 00 00 12 34"));
    QCOMPARE(rig.dialogs.shown.size(), size_t(1));
    QCOMPARE(rig.dialogs.shown[0].text, str(StrId::SetFailed));
    QCOMPARE(rig.dialogs.shown[0].icon, MsgIcon::Warning);
    QCOMPARE(rig.dialogs.shown[0].title, str(StrId::AppTitle));
    // Ten pauses of 0.5 s and no time-outs, the mixer answered every time.
    QVERIFY(qAbs(rig.clock.now() - start - 5.0) < 0.05);
}

void TestLinkProtocol::staleRepliesDiscarded()
{
    // ER discards twice before sending on every link but USB.
    for (bool usb : {false, true}) {
        Rig rig(usb ? LinkKind::Usb : LinkKind::Ethernet, usb);
        FakeMixer mixer;
        mixer.registers[9] = hex("00 00 00 07");
        rig.transport->onSend = [&mixer](const QByteArray &r) { return mixer.answer(r); };
        // An earlier ER answer that came too late.
        rig.transport->queue(hex("45 52 00 00 00 00 01"));
        MixerProtocol p(*rig.comm);
        const std::optional<ExtensionValue> value = p.ExtensionRead(9);
        QVERIFY(value);
        QCOMPARE((*value)[3], quint8(usb ? 0x01 : 0x07));
    }
}

void TestLinkProtocol::ipWriteWithVerifyRoundTrip()
{
    Rig rig;
    FakeMixer mixer;
    rig.transport->onSend = [&mixer](const QByteArray &r) { return mixer.answer(r); };
    MixerProtocol p(*rig.comm);
    NetworkSettings s;
    s.address = {172, 16, 5, 9};
    s.userId = QByteArray("\x89\xEF\x8B\x63\x8E\xBA"); // a Japanese room name in code page 932
    const QByteArray block = networkBlock(s);
    QVERIFY(verified(p.IpWriteWithVerify(networkWriteRequest(s), rig.tellSetFailed())));
    QCOMPARE(mixer.writes, 1);
    QCOMPARE(mixer.networkBlock, block);
    QVERIFY(rig.dialogs.shown.empty());

    // A mixer that keeps its old block fails ten times with one message.
    mixer.storeWrites = false;
    s.addressMode = 1;
    mixer.writes = 0;
    QVERIFY(!verified(p.IpWriteWithVerify(networkWriteRequest(s), rig.tellSetFailed())));
    QCOMPARE(mixer.writes, 10);
    QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::SetFailed)});
}

void TestLinkProtocol::freeSendAndWaitStripsTrailer()
{
    Rig rig;
    const QByteArray reply = hex("54 52 00 00 10 00 20");
    rig.transport->onSend = [&](const QByteArray &) { return QList<QByteArray>{reply}; };
    const auto got = sendAndWait(*rig.comm, thresholdReadAllRequest(), ReplyRule::ThresholdAll);
    QVERIFY(got);
    QCOMPARE(*got, reply);
    QVERIFY(!sendAndWait(*rig.comm, QByteArray("zz1")));
}

void TestLinkProtocol::downloadsJudgeFirstReply()
{
    Rig rig;
    MixerProtocol p(*rig.comm);
    QList<QByteArray> replies{hex("52 02 00"), hex("4C 02 01")};
    rig.transport->onSend = [&](const QByteArray &) { return QList<QByteArray>{replies.takeFirst()}; };
    QVERIFY(p.downloadPrepare(2));
    QCOMPARE(rig.transport->sent.last(), hex("52 02 01"));
    // A failed status on the first reply is a failure at once.
    const QByteArray block(1024, '\x33');
    const double start = rig.clock.now();
    QVERIFY(!p.downloadBlock(2, u8(block), int(block.size())));
    QVERIFY(rig.clock.now() - start < 0.01);
    QCOMPARE(rig.transport->sent.last(), hex("4C 02 01") + block);

    // No reply: L waits its 50 seconds.
    rig.transport->onSend = nullptr;
    const double s2 = rig.clock.now();
    QVERIFY(!p.downloadBlock(2, u8(block), int(block.size())));
    QVERIFY(qAbs(rig.clock.now() - s2 - 50.0) < 0.01);
    // A block too large for the send buffer is refused without sending.
    const int sentBefore = int(rig.transport->sent.size());
    QVERIFY(!p.downloadBlock(2, nullptr, SendBufferSize));
    QCOMPARE(int(rig.transport->sent.size()), sentBefore);
}

void TestLinkProtocol::receiveAddsTrailerAndBoundsBuffer()
{
    Rig rig(LinkKind::Rs232c);
    std::vector<quint8> buffer(ReceiveBufferSize, 0xEE);
    QCOMPARE(rig.comm->CommReceive(buffer), 0);
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](quint8 b) { return b == 0xEE; }));

    rig.transport->queue(hex("44 53 00 01 02"));
    QCOMPARE(rig.comm->CommReceive(buffer), 7);
    QCOMPARE(buffer[5], quint8(0x55));
    QCOMPARE(buffer[6], quint8(0xAA));

    // 2063 bytes plus the trailer fill the buffer exactly; one more is dropped.
    rig.transport->queue(QByteArray(ReceiveBufferSize - 2, 'x'));
    QCOMPARE(rig.comm->CommReceive(buffer), ReceiveBufferSize);
    rig.transport->queue(QByteArray(ReceiveBufferSize - 1, 'y'));
    QCOMPARE(rig.comm->CommReceive(buffer), 0);
    QCOMPARE(rig.transport->dropped, 1);
    QCOMPARE(buffer[0], quint8('x'));
}

void TestLinkProtocol::replySplitting_data()
{
    // What one USB read delivered, and the replies taken from it.
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QList<QByteArray>>("replies");
    const QByteArray tr = withTrailer(hex("54 52 00 00 64 00 64"));
    const QByteArray dr = withTrailer(hex("44 52 00") + QByteArray(84, '\x11') + QByteArray(84, '\x22'));
    QByteArray trailerInside = hex("44 52 00") + QByteArray(84, '\x33');
    trailerInside[40] = char(0x55);
    trailerInside[41] = char(0xAA);
    trailerInside = withTrailer(trailerInside);
    const QByteArray ds = withTrailer(hex("44 53 00"));
    QTest::newRow("one reply") << tr << QList<QByteArray>{tr};
    QTest::newRow("55 AA inside a data reply") << trailerInside << QList<QByteArray>{trailerInside};
    QTest::newRow("TR then DR") << tr + dr << QList<QByteArray>{tr, dr};
    QTest::newRow("DR with 55 AA inside, then DS") << trailerInside + ds << QList<QByteArray>{trailerInside, ds};
    QTest::newRow("refusal then reply") << withTrailer(hex("44 53 03")) + tr
                                        << QList<QByteArray>{withTrailer(hex("44 53 03")), tr};
    QTest::newRow("garbage, then a reply") << withTrailer(hex("01 02")) + ds
                                           << QList<QByteArray>{withTrailer(hex("01 02")), ds};
    QTest::newRow("cut short") << tr + dr.left(20) << QList<QByteArray>{tr, dr.left(20)};
    QTest::newRow("no trailer") << hex("54 52 00") << QList<QByteArray>{hex("54 52 00")};
    QTest::newRow("nothing") << QByteArray() << QList<QByteArray>{};
}

void TestLinkProtocol::replySplitting()
{
    QFETCH(QByteArray, read);
    QFETCH(QList<QByteArray>, replies);
    const std::vector<QByteArray> got = splitReplies(read);
    QCOMPARE(QList<QByteArray>(got.begin(), got.end()), replies);
}

void TestLinkProtocol::drainOffline()
{
    Rig rig(LinkKind::Offline);
    QVERIFY(rig.transport == nullptr);
    const double start = rig.clock.now();
    rig.comm->CommDrain();
    const double took = rig.clock.now() - start;
    QVERIFY(took > 0.8 && took < 0.81);
    std::vector<quint8> b(ReceiveBufferSize);
    QCOMPARE(rig.comm->CommReceive(b), 0);

    // RS-232C: the send abort flag is set and one receive is made, no wait.
    Rig serial(LinkKind::Rs232c);
    serial.transport->queue(hex("41 4D 00"));
    const double s0 = serial.clock.now();
    serial.comm->CommDrain();
    QCOMPARE(serial.clock.now(), s0);
    QVERIFY(serial.link.tuning.sendAbort);
    QCOMPARE(serial.transport->aborts, 1);
    QVERIFY(serial.transport->pending.empty());
    // Opening again clears it.
    serial.comm->CommOpen();
    QVERIFY(!serial.link.tuning.sendAbort);
}

void TestLinkProtocol::openFailures()
{
    struct Case
    {
        LinkKind kind;
        OpenOutcome outcome;
        QStringList texts;
    };
    const QList<Case> cases = {
        {LinkKind::Rs232c, OpenOutcome::Failed, {str(9100) + QLatin1Char('\n') + str(9101)}},
        {LinkKind::Usb, OpenOutcome::Failed, {str(9102)}},
        {LinkKind::Ethernet, OpenOutcome::Failed, {str(9103)}},
        {LinkKind::Ethernet, OpenOutcome::Declined, {}},
    };
    for (const Case &c : cases) {
        LinkState link;
        link.linkKind = c.kind;
        ManualClock clock;
        ScriptedDialogs dialogs;
        LinkEndpoints ep;
        ep.makeTransport = [&c](LinkKind) {
            auto t = std::make_unique<ScriptedTransport>();
            t->openOutcome = c.outcome;
            return t;
        };
        MdlComm comm(link, clock, dialogs, std::move(ep));
        int ended = 0;
        comm.onOpenFailed = [&ended] { ++ended; };
        QVERIFY(!comm.CommOpen());
        QCOMPARE(ended, 1);
        QCOMPARE(dialogs.texts(), c.texts);
        for (const auto &s : dialogs.shown) {
            QCOMPARE(s.icon, MsgIcon::Error);
            QCOMPARE(s.title, str(StrId::AppTitle));
        }
        QVERIFY(!comm.isOpen());
    }
    QVERIFY(!str(9100).isEmpty() && !str(9102).isEmpty() && !str(9103).isEmpty());
}

void TestLinkProtocol::closeWhileACallWaits()
{
    // The program is ended by a window while a transport call waits (a real
    // transport lets events run there): the transport outlives that call,
    // its wait is cancelled, and every wait above it ends at once, silently.
    Rig rig;
    QStringList life;
    rig.transport->lifeEvents = &life;
    rig.transport->whileSending = [&] { rig.comm->CommClose(); };
    MixerProtocol p(*rig.comm);
    const double start = rig.clock.now();
    QCOMPARE(p.sendAndWait(modelRequest(1)).count(), 0);
    QCOMPARE(life, (QStringList{"send", "cancel", "close", "end"}));
    QVERIFY(rig.comm->closed());

    // Later exchanges end at once too: a single write's wait and pause, the
    // ten attempts of a verified write, a drain.
    QCOMPARE(p.sendSetAndPause(dataSetRequest(1, 1, 0)), 0);
    QVERIFY(p.ExtensionWriteWithVerify(6, {0, 0, 0, 1}, rig.tellSetFailed()) == MixerProtocol::VerifyResult::Closed);
    rig.comm->CommDrain();
    QCOMPARE(rig.clock.now(), start);
    QVERIFY(rig.dialogs.shown.empty());

    // Opening again starts afresh.
    QVERIFY(rig.comm->CommOpen());
    QVERIFY(!rig.comm->closed());
}

void TestLinkProtocol::usbMissingLibrary()
{
    LinkState link;
    link.linkKind = LinkKind::Usb;
    ManualClock clock;
    ScriptedDialogs dialogs;
    LinkEndpoints ep;
    ep.devbridgeLibrary = QStringLiteral("no-such-devbridge-library");
    MdlComm comm(link, clock, dialogs, std::move(ep));
    QVERIFY(!comm.CommOpen());
    QCOMPARE(dialogs.texts(), QStringList{str(9102)});
    // Later transfers fail silently.
    std::vector<quint8> request{'M', 'N', 1};
    std::vector<quint8> reply(ReceiveBufferSize);
    comm.CommSend(request, 3);
    QCOMPARE(comm.CommReceive(reply), 0);
    QCOMPARE(dialogs.shown.size(), size_t(1));
}

namespace {
// A devbridge made of plain functions, recording what the transport does.
// The transport calls it from its worker thread.
struct FakeBridge
{
    static inline std::mutex lock;
    static inline bool present = true;
    static inline QStringList calls;
    static inline QByteArray written;
    static inline QList<QByteArray> toRead; // what each read delivers, in turn
    static inline int32_t claim = -1;       // a read count to report instead of the real one

    static int32_t init() { return record("init", present); }
    static int32_t open() { return record("open", present); }
    static int32_t close() { return record("close", true); }
    static int32_t write(uint8_t *b, int32_t n, int32_t *w)
    {
        std::lock_guard<std::mutex> g(lock);
        calls << "write";
        written += QByteArray(reinterpret_cast<const char *>(b), n);
        *w = n;
        return 1;
    }
    static int32_t read(uint8_t *b, int32_t n, int32_t *r)
    {
        std::lock_guard<std::mutex> g(lock);
        calls << QStringLiteral("read %1").arg(n);
        const QByteArray next = toRead.isEmpty() ? QByteArray() : toRead.takeFirst();
        const int32_t k = std::min<int32_t>(n, int32_t(next.size()));
        std::memcpy(b, next.constData(), size_t(k));
        *r = claim >= 0 ? claim : k;
        return k > 0;
    }
    static int32_t record(const char *call, bool result)
    {
        std::lock_guard<std::mutex> g(lock);
        calls << call;
        return result ? 1 : 0;
    }
    template <typename F>
    static void set(F change)
    {
        std::lock_guard<std::mutex> g(lock);
        change();
    }
    static QStringList takeCalls()
    {
        std::lock_guard<std::mutex> g(lock);
        return std::exchange(calls, {});
    }
    static DevbridgeApi api() { return {&init, &open, &close, &write, &read}; }
};

int fetchWithin(UsbTransport &usb, std::vector<quint8> &buffer, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    int n = 0;
    while ((n = usb.fetch(buffer.data(), int(buffer.size()))) == 0 && t.elapsed() < ms)
        QTest::qWait(1);
    return n;
}
} // namespace

void TestLinkProtocol::usbTransportThroughFunctions()
{
    SystemClock clock;
    UsbTransport usb(clock, FakeBridge::api());
    QCOMPARE(usb.open(), OpenOutcome::Opened);
    QCOMPARE(FakeBridge::takeCalls(), (QStringList{"init", "open", "close"}));
    std::vector<quint8> buffer(ReceiveBufferSize);

    // Nothing asked, nothing read.
    QCOMPARE(fetchWithin(usb, buffer, 50), 0);
    QCOMPARE(FakeBridge::takeCalls(), QStringList{});

    // One request, then one read for its reply, each between Init/Open and Close.
    FakeBridge::set([] { FakeBridge::toRead = {hex("4D 4E 00 01 55 AA")}; });
    QVERIFY(usb.send(u8(hex("4D 4E 01")), 3));
    QCOMPARE(fetchWithin(usb, buffer), 6);
    QCOMPARE(FakeBridge::takeCalls(), (QStringList{"init", "open", "write", "close", "init", "open",
                                                   QStringLiteral("read %1").arg(UsbReadLimit), "close"}));
    QCOMPARE(FakeBridge::written, hex("4D 4E 01 55 AA"));

    // Two replies in one read (TR then DR) come out one by one.
    const QByteArray tr = hex("54 52 00 00 64 55 AA");
    const QByteArray dr = hex("44 52 00") + QByteArray(84, '\x07') + hex("55 AA");
    FakeBridge::set([&] { FakeBridge::toRead = {tr + dr}; });
    QVERIFY(usb.send(u8(hex("54 52 FF")), 3));
    QCOMPARE(fetchWithin(usb, buffer), int(tr.size()));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer.data()), int(tr.size())), tr);
    QCOMPARE(fetchWithin(usb, buffer), int(dr.size()));
    QCOMPARE(buffer[3], quint8(0x07));

    // A library claiming more than it was asked for is not believed; a read
    // that brings nothing ends what was owed, so no further read follows.
    FakeBridge::set([] { FakeBridge::claim = 5000; });
    QVERIFY(usb.send(u8(hex("41 4D 01")), 3));
    QCOMPARE(fetchWithin(usb, buffer, 300), 0);
    FakeBridge::set([] { FakeBridge::claim = -1; });
    FakeBridge::takeCalls();
    QCOMPARE(fetchWithin(usb, buffer, 50), 0);
    QCOMPARE(FakeBridge::takeCalls(), QStringList{});

    // Device gone: Init and Open are both tried, nothing is written, read or closed.
    FakeBridge::set([] { FakeBridge::present = false; });
    QVERIFY(usb.send(u8(hex("41 4D 01")), 3));
    QCOMPARE(fetchWithin(usb, buffer, 100), 0);
    QCOMPARE(FakeBridge::takeCalls(), (QStringList{"init", "open"}));
    QCOMPARE(usb.open(), OpenOutcome::Failed);
    QVERIFY(!usb.send(u8(hex("41 4D 01")), 3));
    FakeBridge::set([] { FakeBridge::present = true; });
}

ZK_TEST_GUILESS_MAIN(TestLinkProtocol)
#include "tst_linkprotocol.moc"
