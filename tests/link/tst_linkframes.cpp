// The two line framings: the bytes each message travels as, and what the
// receivers make of whole, split, joined, damaged and hostile input.

#include "link/etherframe.h"
#include "link/serialframe.h"
#include "tests/support/hexbytes.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {
QByteArray pattern(int n, int seed = 0)
{
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        b[i] = char((i * 7 + seed) & 0xFF);
    return b;
}

// Feeds the receiver and records the answers it asks for, in order.
struct SerialPeer
{
    SerialReceiver rx;
    QByteArray answers;
    int frames = 0;
    SerialPeer()
    {
        rx.sendAnswer = [this](const QByteArray &a) { answers += a; };
    }
    void feed(const QByteArray &bytes)
    {
        for (char c : bytes)
            if (rx.feed(quint8(c)).frameComplete)
                ++frames;
    }
};
} // namespace

class TestLinkFrames : public QObject
{
    Q_OBJECT
private slots:
    void serialFrameBytes_data();
    void serialFrameBytes();
    void serialBlockSplit();
    void serialRoundTripSizes();
    void serialChunking();
    void serialRefusals_data();
    void serialRefusals();
    void serialWrongBlockNumber();
    void serialRepeatedBlockDropsTheMessage_data();
    void serialRepeatedBlockDropsTheMessage();
    void serialGapWatchdog();
    void serialAcknowledges();
    void serialReplaceUnfetched();
    void serialOversizedMessageDropped();

    void etherFrameBytes();
    void etherSplitAndJoined();
    void etherLengthLimits_data();
    void etherLengthLimits();
    void etherSearchMinimumAndCallback();
    void etherNoiseBeforeFrame();

    void firmwareBlocksOnlyAtTheMixerEnd_data();
    void firmwareBlocksOnlyAtTheMixerEnd();
};

void TestLinkFrames::serialFrameBytes_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("frames");
    QTest::newRow("TR 255") << hex("54 52 FF") << hex("AA 55 00 03 00 00 00 01 54 52 FF 5B 55 AA");
    QTest::newRow("one byte zero") << hex("00") << hex("AA 55 00 01 00 00 00 01 00 00 55 AA");
    QTest::newRow("DS") << hex("44 53 01 05 80")
                        << hex("AA 55 00 05 00 00 00 01 44 53 01 05 80 E3 55 AA");
}

void TestLinkFrames::serialFrameBytes()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, frames);
    QCOMPARE(serialFrames(message).toHex(' '), frames.toHex(' '));
}

void TestLinkFrames::serialBlockSplit()
{
    // 64 bytes: one block, last mark.
    const QByteArray f64 = serialFrames(pattern(64));
    QCOMPARE(f64.size(), 64 + SerialWire::FrameOverhead);
    QCOMPARE(quint8(f64.back()), quint8(0xAA));
    QCOMPARE(serialBlockCount(64), 1);

    // 65 bytes: 64 with "more" mark, then block 2 with 1 byte.
    const QByteArray msg = pattern(65);
    QCOMPARE(serialBlockCount(65), 2);
    const QByteArray b1 = serialBlockFrame(msg, 1);
    const QByteArray b2 = serialBlockFrame(msg, 2);
    QCOMPARE(b1.size(), 75);
    QCOMPARE(b1.left(8), hex("AA 55 00 40 00 00 00 01"));
    QCOMPARE(quint8(b1.back()), quint8(0x55));
    QCOMPARE(b2.left(8), hex("AA 55 00 01 00 00 00 02"));
    QCOMPARE(b2.mid(8, 1), msg.right(1));
    QCOMPARE(quint8(b2.back()), quint8(0xAA));
    QCOMPARE(serialFrames(msg), b1 + b2);
    QVERIFY(serialBlockFrame(msg, 0).isEmpty());
    QVERIFY(serialBlockFrame(msg, 3).isEmpty());
}

void TestLinkFrames::serialRoundTripSizes()
{
    for (int n : {1, 2, 63, 64, 65, 128, 129, 2064, 5000}) {
        SerialPeer peer;
        const QByteArray msg = pattern(n, n);
        peer.feed(serialFrames(msg));
        const int blocks = serialBlockCount(n);
        QCOMPARE(peer.frames, blocks);
        QCOMPARE(peer.answers, serialAck().repeated(blocks));
        QVERIFY(peer.rx.messageComplete());
        QCOMPARE(peer.rx.takeMessage(), msg);
        QVERIFY(!peer.rx.messageComplete());
        QVERIFY(peer.rx.takeMessage().isEmpty());
    }
}

void TestLinkFrames::serialChunking()
{
    const QByteArray msg = pattern(130, 3);
    const QByteArray all = serialFrames(msg);
    for (int chunk : {1, 2, 5, 11, 75, int(all.size())}) {
        SerialPeer peer;
        for (int i = 0; i < all.size(); i += chunk)
            peer.rx.feed(all.mid(i, chunk));
        QCOMPARE(peer.rx.takeMessage(), msg);
        peer.rx.feed(serialFrames(hex("41 4D 00")));
        QCOMPARE(peer.rx.takeMessage(), hex("41 4D 00"));
        QCOMPARE(peer.answers, serialAck().repeated(4));
    }
}

void TestLinkFrames::serialRefusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("stateAfter");
    QTest::newRow("length 65") << hex("AA 55 00 41") << 0;
    QTest::newRow("length 256") << hex("AA 55 01 00") << 0;
    QTest::newRow("length 0") << hex("AA 55 00 00") << 0;
    QTest::newRow("bad checksum") << hex("AA 55 00 03 00 00 00 01 54 52 FF 5C") << 0;
    QTest::newRow("bad trailer") << hex("AA 55 00 03 00 00 00 01 54 52 FF 5B 54") << 0;
    QTest::newRow("bad end mark") << hex("AA 55 00 03 00 00 00 01 54 52 FF 5B 55 00") << 0;
}

void TestLinkFrames::serialRefusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, stateAfter);
    SerialPeer peer;
    peer.feed(bytes);
    QCOMPARE(peer.answers, serialNak());
    QCOMPARE(peer.rx.state(), stateAfter);
    QVERIFY(!peer.rx.messageComplete());
    // The sender repeats the block; the repeat goes through.
    peer.answers.clear();
    peer.feed(serialFrames(hex("54 52 FF")));
    QCOMPARE(peer.answers, serialAck());
    QCOMPARE(peer.rx.takeMessage(), hex("54 52 FF"));
}

void TestLinkFrames::serialWrongBlockNumber()
{
    const QByteArray msg = pattern(200, 9);
    SerialPeer peer;
    peer.feed(serialBlockFrame(msg, 1));
    QCOMPARE(peer.rx.blocksReceived(), 1);
    // Block 3 instead of 2: acknowledged at its number bytes, partial dropped.
    peer.feed(serialBlockFrame(msg, 3).left(8));
    QCOMPARE(peer.answers, serialAck() + serialAck());
    QCOMPARE(peer.rx.state(), 0);
    QCOMPARE(peer.rx.blocksReceived(), 0);
    // The remaining bytes of that frame are just noise now, and a fresh
    // message starting at block 1 comes through whole.
    peer.feed(serialBlockFrame(msg, 3).mid(8));
    QVERIFY(!peer.rx.messageComplete());
    peer.feed(serialFrames(hex("4D 4E 01")));
    QCOMPARE(peer.rx.takeMessage(), hex("4D 4E 01"));
}

// A sender that missed the acknowledge of a block sends that block again:
// it arrives with a lower number than the receiver expects next. The partial
// message is dropped (every frame still acknowledged, so the sender moves
// on); the repeat must never be appended a second time and the rest taken
// for a whole message.
void TestLinkFrames::serialRepeatedBlockDropsTheMessage_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("blocks"); // in arrival order
    QTest::newRow("first block again") << 100 << QList<int>{1, 1, 2};
    QTest::newRow("middle block again") << 200 << QList<int>{1, 2, 2, 3, 4};
    QTest::newRow("back two blocks") << 200 << QList<int>{1, 2, 3, 2, 3, 4};
}

void TestLinkFrames::serialRepeatedBlockDropsTheMessage()
{
    QFETCH(int, size);
    QFETCH(QList<int>, blocks);
    const QByteArray msg = pattern(size, 5);
    SerialPeer peer;
    for (int k : blocks) {
        peer.feed(serialBlockFrame(msg, k));
        QVERIFY2(!peer.rx.messageComplete(), qPrintable(QStringLiteral("taken at block %1").arg(k)));
    }
    QCOMPARE(peer.answers, serialAck().repeated(blocks.size()));
    QCOMPARE(peer.rx.blocksReceived(), 0);
    // The sender's next try comes through whole.
    peer.feed(serialFrames(msg));
    QCOMPARE(peer.rx.takeMessage(), msg);
}

void TestLinkFrames::serialGapWatchdog()
{
    const QByteArray msg = pattern(100, 1);
    SerialPeer peer;
    peer.feed(serialBlockFrame(msg, 1));
    const QByteArray b2 = serialBlockFrame(msg, 2);
    peer.feed(b2.left(12));
    QVERIFY(peer.rx.inFrame());
    peer.rx.gapTimeout();
    QCOMPARE(peer.rx.state(), 0);
    QVERIFY(!peer.rx.inFrame());
    // The count of blocks stays, so the sender's repeat of block 2 is taken
    // and acknowledged; but block 1 went with the partial message, so what
    // is left is never delivered as a whole message.
    QCOMPARE(peer.rx.blocksReceived(), 1);
    peer.answers.clear();
    peer.feed(b2);
    QCOMPARE(peer.answers, serialAck());
    QVERIFY(!peer.rx.messageComplete());
    QCOMPARE(peer.rx.blocksReceived(), 0);
    // The same after a refused block: the watchdog fires while the sender
    // is slow to repeat it.
    peer.feed(serialBlockFrame(msg, 1));
    QByteArray bad = b2;
    bad[bad.size() - 3] = char(bad[bad.size() - 3] ^ 1); // checksum
    peer.feed(bad);
    peer.rx.gapTimeout();
    peer.feed(b2);
    QVERIFY(!peer.rx.messageComplete());
    // The next message comes through whole.
    peer.feed(serialFrames(msg));
    QCOMPARE(peer.rx.takeMessage(), msg);

    // A finished message waiting to be fetched survives a stalled frame.
    SerialPeer other;
    other.feed(serialFrames(hex("41 4D 00")));
    other.feed(serialFrames(hex("44 52 00")).left(9));
    other.rx.gapTimeout();
    QCOMPARE(other.rx.takeMessage(), hex("41 4D 00"));
}

void TestLinkFrames::serialAcknowledges()
{
    SerialPeer peer;
    peer.rx.feed(hex("A5 00"));
    QCOMPARE(peer.rx.takeAcknowledgeState(), 1);
    QCOMPARE(peer.rx.takeAcknowledgeState(), 0);
    peer.rx.feed(hex("A5 A5 FF"));
    QCOMPARE(peer.rx.acknowledgeState(), 2);
    // An acknowledge can interrupt a start mark; 0xAA after A5 starts a frame.
    peer.rx.clearAcknowledgeState();
    peer.rx.feed(hex("AA A5 00"));
    QCOMPARE(peer.rx.takeAcknowledgeState(), 1);
    peer.rx.feed(hex("A5") + serialFrames(hex("41 4D 00")).mid(0));
    QCOMPARE(peer.rx.takeMessage(), hex("41 4D 00"));
    QCOMPARE(peer.rx.acknowledgeState(), 0);
    // Result fields for the one-byte feed.
    SerialReceiver rx;
    QCOMPARE(rx.feed(0xA5).acknowledge, SerialReceiver::Acknowledge::None);
    QCOMPARE(rx.feed(0xFF).acknowledge, SerialReceiver::Acknowledge::Negative);
    QVERIFY(peer.answers == serialAck()); // only the one frame was answered
}

void TestLinkFrames::serialReplaceUnfetched()
{
    SerialPeer peer;
    peer.feed(serialFrames(hex("44 52 00 01 02")));
    QVERIFY(peer.rx.messageComplete());
    peer.feed(serialFrames(hex("54 52 00 00 10")));
    QCOMPARE(peer.rx.takeMessage(), hex("54 52 00 00 10"));

    // A two-block message arriving over an unfetched one replaces it whole.
    const QByteArray big = pattern(90, 4);
    peer.feed(serialFrames(hex("41 4D 00")));
    peer.feed(serialFrames(big));
    QCOMPARE(peer.rx.takeMessage(), big);
}

void TestLinkFrames::serialOversizedMessageDropped()
{
    // A peer that never ends its message: blocks keep being acknowledged,
    // the buffer stays bounded and nothing oversized is delivered.
    SerialPeer peer;
    const QByteArray block = pattern(64, 2);
    const int blocks = SerialWire::MaxMessage / 64 + 3;
    for (int k = 1; k <= blocks; ++k) {
        QByteArray f = serialBlockFrame(block, 1);
        f[7] = char(k & 0xFF);
        f[6] = char((k >> 8) & 0xFF);
        f[f.size() - 1] = char(k == blocks ? 0xAA : 0x55);
        peer.feed(f);
    }
    QCOMPARE(peer.frames, blocks);
    QVERIFY(!peer.rx.messageComplete());
    // The line is usable again right after.
    peer.feed(serialFrames(hex("41 4D 00")));
    QCOMPARE(peer.rx.takeMessage(), hex("41 4D 00"));
}

void TestLinkFrames::etherFrameBytes()
{
    QCOMPARE(etherFrame(hex("44 52 FF")), hex("AA 55 00 00 00 03 44 52 FF"));
    QCOMPARE(etherFrame(pattern(300)).left(6), hex("AA 55 00 00 01 2C"));
}

void TestLinkFrames::etherSplitAndJoined()
{
    const QByteArray a = hex("44 52 00 11 22");
    const QByteArray b = hex("54 52 00 00 05");
    // Split after the length bytes, and byte by byte.
    for (int cut = 1; cut < 11; ++cut) {
        EtherReceiver rx;
        const QByteArray f = etherFrame(a);
        QCOMPARE(rx.feed(f.left(cut)), 0);
        QVERIFY(!rx.messageComplete());
        QCOMPARE(rx.feed(f.mid(cut)), 1);
        QCOMPARE(rx.takeMessage(), a);
    }
    // Two frames in one chunk: the second overwrites the unfetched first.
    EtherReceiver rx;
    QCOMPARE(rx.feed(etherFrame(a) + etherFrame(b)), 2);
    QByteArray got;
    QVERIFY(rx.takeMessage(got));
    QCOMPARE(got, b);
    QVERIFY(!rx.takeMessage(got));
    // Fetched in between, both are seen.
    rx.feed(etherFrame(a));
    QCOMPARE(rx.takeMessage(), a);
    rx.feed(etherFrame(b));
    QCOMPARE(rx.takeMessage(), b);
}

void TestLinkFrames::etherLengthLimits_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("2") << 2 << false;
    QTest::newRow("3") << 3 << true;
    QTest::newRow("65536") << 65536 << true;
    QTest::newRow("65537") << 65537 << false;
}

void TestLinkFrames::etherLengthLimits()
{
    QFETCH(int, length);
    QFETCH(bool, accepted);
    EtherReceiver rx;
    const QByteArray msg = pattern(length, 5);
    rx.feed(etherFrame(msg));
    QCOMPARE(rx.messageComplete(), accepted);
    if (accepted)
        QCOMPARE(rx.takeMessage(), msg);
    // A refused frame is hunted past: the next good frame is decoded.
    rx.feed(etherFrame(hex("4D 4E 00 02")));
    QCOMPARE(rx.takeMessage(), hex("4D 4E 00 02"));
}

void TestLinkFrames::etherSearchMinimumAndCallback()
{
    EtherReceiver rx(EtherWire::MinSearchLength);
    QList<QByteArray> seen;
    rx.onMessage = [&seen](const QByteArray &m) { seen << m; };
    rx.feed(etherFrame(pattern(11)) + etherFrame(pattern(12)) + etherFrame(pattern(13)));
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0], pattern(12));
    QCOMPARE(seen[1], pattern(13));
    QVERIFY(!rx.messageComplete());
}

void TestLinkFrames::etherNoiseBeforeFrame()
{
    EtherReceiver rx;
    // AA AA 55 starts a frame; a lone 55 does not.
    rx.feed(hex("00 55 AA 01 AA AA") + etherFrame(hex("45 52 00 00 00 00 07")).mid(1));
    QCOMPARE(rx.takeMessage(), hex("45 52 00 00 00 00 07"));
    // A new start mark clears an unfetched message.
    rx.feed(etherFrame(hex("41 4D 00")));
    rx.feed(hex("AA 55 00"));
    QVERIFY(!rx.messageComplete());
}

void TestLinkFrames::firmwareBlocksOnlyAtTheMixerEnd_data()
{
    QTest::addColumn<bool>("mixerEnd");
    QTest::addColumn<char>("lead");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("mixer end: a full firmware block") << true << 'L' << SendBufferSize << true;
    QTest::newRow("mixer end: one byte more") << true << 'L' << SendBufferSize + 1 << false;
    QTest::newRow("mixer end: other requests keep the bound") << true << 'D' << 65537 << false;
    QTest::newRow("mixer end: other requests up to it") << true << 'D' << 65536 << true;
    QTest::newRow("PC end: no large replies") << false << 'L' << 65537 << false;
}

void TestLinkFrames::firmwareBlocksOnlyAtTheMixerEnd()
{
    QFETCH(bool, mixerEnd);
    QFETCH(char, lead);
    QFETCH(int, length);
    QFETCH(bool, accepted);
    const MessageBound bound = mixerEnd ? MessageBound::mixerEnd() : MessageBound::replies();
    QByteArray msg = pattern(length, 3);
    msg[0] = lead;
    const QByteArray next = hex("52 4D 01");

    SerialPeer serial;
    serial.rx.setBound(bound);
    serial.feed(serialFrames(msg));
    QCOMPARE(serial.rx.messageComplete(), accepted);
    if (accepted)
        QCOMPARE(serial.rx.takeMessage(), msg);
    QCOMPARE(serial.frames, serialBlockCount(length)); // every block acknowledged either way
    serial.feed(serialFrames(next));
    QCOMPARE(serial.rx.takeMessage(), next);

    EtherReceiver ether;
    ether.setBound(bound);
    // In pieces, as a socket delivers a large frame.
    const QByteArray stream = etherFrame(msg) + etherFrame(next);
    QList<QByteArray> got;
    ether.onMessage = [&got](const QByteArray &m) { got << m; };
    for (int at = 0; at < stream.size(); at += 4096)
        ether.feed(stream.mid(at, 4096));
    const QList<QByteArray> expected = accepted ? QList<QByteArray>{msg, next} : QList<QByteArray>{next};
    QCOMPARE(got, expected);
}

ZK_TEST_GUILESS_MAIN(TestLinkFrames)
#include "tst_linkframes.moc"
