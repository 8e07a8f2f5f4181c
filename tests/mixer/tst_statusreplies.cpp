// The status replies read into values without side effects: what each
// decoder takes, what it refuses, and the values it gives.

#include "mixer/statusreplies.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {
QByteArray message(const char *letters, quint8 status, const QByteArray &data)
{
    return QByteArray(letters, 2) + char(status) + data;
}

const quint8 *u8(const QByteArray &b)
{
    return reinterpret_cast<const quint8 *>(b.constData());
}

QByteArray blocks(int mixers)
{
    QByteArray data;
    for (int m = 0; m < mixers; ++m)
        for (int k = 0; k < DataBlockSize; ++k)
            data.append(char(quint8(m * 10 + k)));
    return data;
}
} // namespace

class TestStatusReplies : public QObject
{
    Q_OBJECT
private slots:
    void dataBlocks();
    void thresholds();
    void ambientAndModel();
    void refusesOtherRepliesAndRefusals();
};

void TestStatusReplies::dataBlocks()
{
    const QByteArray two = message("DR", 0, blocks(2));
    const auto decoded = decodeDataReply(u8(two), int(two.size()));
    QVERIFY(decoded);
    QCOMPARE(decoded->size(), size_t(2));
    QCOMPARE((*decoded)[0][0], quint8(0));
    QCOMPARE((*decoded)[1][0], quint8(10));
    QCOMPARE((*decoded)[1][83], quint8(93));
    // A chain that counted no mixer is a reply too; the poll takes its count.
    const QByteArray none = message("DR", 0, {});
    QVERIFY(decodeDataReply(u8(none), int(none.size()))->empty());
    // Sixteen mixers at most, whole blocks only.
    const QByteArray sixteen = message("DR", 0, blocks(16));
    QCOMPARE(decodeDataReply(u8(sixteen), int(sixteen.size()))->size(), size_t(16));
    const QByteArray seventeen = message("DR", 0, blocks(17));
    QVERIFY(!decodeDataReply(u8(seventeen), int(seventeen.size())));
    const QByteArray partial = message("DR", 0, blocks(1) + 'x');
    QVERIFY(!decodeDataReply(u8(partial), int(partial.size())));
}

void TestStatusReplies::thresholds()
{
    // The top bit of the high byte is no part of the value.
    const QByteArray two = message("TR", 0, QByteArray::fromHex("C010" "0064"));
    const auto decoded = decodeThresholdReply(u8(two), int(two.size()));
    QVERIFY(decoded);
    QCOMPARE(*decoded, (std::vector<qint16>{0x4010, 100}));
    const QByteArray odd = message("TR", 0, QByteArray::fromHex("0001" "02"));
    QVERIFY(!decodeThresholdReply(u8(odd), int(odd.size())));
    const QByteArray seventeen = message("TR", 0, QByteArray(34, '\x7F'));
    QVERIFY(!decodeThresholdReply(u8(seventeen), int(seventeen.size())));
    const QByteArray sixteen = message("TR", 0, QByteArray(32, '\xFF'));
    const auto all = decodeThresholdReply(u8(sixteen), int(sixteen.size()));
    QCOMPARE(all->size(), size_t(16));
    QCOMPARE(all->back(), qint16(0x7FFF));
}

void TestStatusReplies::ambientAndModel()
{
    const QByteArray level = message("AM", 0, QByteArray::fromHex("0219"));
    QCOMPARE(decodeAmbientReply(u8(level), int(level.size())).value_or(-1), 2 * 256.0 + 25 / 10.0);
    // The bare acknowledgement carries no level.
    const QByteArray bare = message("AM", 0, {});
    QVERIFY(!decodeAmbientReply(u8(bare), int(bare.size())));

    const QByteArray model = message("MN", 0, QByteArray(1, '\x02'));
    QCOMPARE(decodeModelReply(u8(model), int(model.size())).value_or(-1), 2);
    const QByteArray longer = message("MN", 0, QByteArray(2, '\x02'));
    QVERIFY(!decodeModelReply(u8(longer), int(longer.size())));
}

void TestStatusReplies::refusesOtherRepliesAndRefusals()
{
    // A refused request (status 3) or another command's reply is none of these.
    const QByteArray refused = message("DR", 3, blocks(1));
    QVERIFY(!decodeDataReply(u8(refused), int(refused.size())));
    const QByteArray thresholdAsData = message("TR", 0, blocks(1));
    QVERIFY(!decodeDataReply(u8(thresholdAsData), int(thresholdAsData.size())));
    const QByteArray dataAsThreshold = message("DR", 0, QByteArray(2, '\0'));
    QVERIFY(!decodeThresholdReply(u8(dataAsThreshold), int(dataAsThreshold.size())));
    const QByteArray refusedModel = message("MN", 3, QByteArray(1, '\x01'));
    QVERIFY(!decodeModelReply(u8(refusedModel), int(refusedModel.size())));
    // Shorter than a header.
    const QByteArray stub("AM", 2);
    QVERIFY(!decodeAmbientReply(u8(stub), int(stub.size())));
    QVERIFY(!decodeDataReply(u8(stub), int(stub.size())));
}

ZK_TEST_GUILESS_MAIN(TestStatusReplies)
#include "tst_statusreplies.moc"
