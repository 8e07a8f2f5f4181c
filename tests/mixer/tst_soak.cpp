// The fault soak, short: edits at random moments while the job loop polls and
// writes, through a real pseudo-terminal and real loopback TCP, with the
// virtual mixer losing replies, corrupting blocks, adding line noise and
// dropping connections. Every edit ends verified or reported, and nothing is
// taken as verified that the mixer does not hold. bench_soak runs the same
// for 1000 edits.

#include "soakrig.h"
#include "tests/support/testmain.h"

#include <QtTest>

class TstSoak : public QObject
{
    Q_OBJECT
private slots:
    void everyEditVerifiedOrReported_data();
    void everyEditVerifiedOrReported();
};

void TstSoak::everyEditVerifiedOrReported_data()
{
    QTest::addColumn<int>("linkKind");
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("mixers");
    QTest::addColumn<double>("drop");
    QTest::addColumn<double>("corrupt");
    QTest::addColumn<double>("noise");
    QTest::addColumn<int>("cutAfter");  // -1: once, half-way
    QTest::addColumn<bool>("reconnect");
    const int serial = int(LinkKind::Rs232c);
    const int ethernet = int(LinkKind::Ethernet);
    QTest::newRow("RS-232C, lost replies, corrupted blocks") << serial << 50 << 3 << 0.1 << 0.02 << 0.0 << 0 << false;
    QTest::newRow("RS-232C, lost replies, line noise") << serial << 30 << 2 << 0.1 << 0.0 << 0.01 << 0 << false;
    QTest::newRow("Ethernet, connection lost half-way") << ethernet << 30 << 3 << 0.1 << 0.0 << 0.0 << -1 << false;
    QTest::newRow("Ethernet, reconnecting") << ethernet << 60 << 3 << 0.1 << 0.0 << 0.0 << 30 << true;
}

void TstSoak::everyEditVerifiedOrReported()
{
    QFETCH(int, linkKind);
    QFETCH(int, edits);
    QFETCH(int, mixers);
    QFETCH(double, drop);
    QFETCH(double, corrupt);
    QFETCH(double, noise);
    QFETCH(int, cutAfter);
    QFETCH(bool, reconnect);
    SoakPlan plan;
    plan.link = LinkKind(linkKind);
    plan.edits = edits;
    plan.mixer.mixers = mixers;
    plan.mixer.dropProbability = drop;
    plan.mixer.corruptProbability = corrupt;
    plan.mixer.noiseProbability = noise;
    plan.mixer.seed = 17;
    plan.cutOnce = cutAfter < 0;
    plan.cutAfter = std::max(cutAfter, 0);
    plan.reconnect = reconnect;
    plan.secondsLimit = 150;
    SoakRig rig(plan);
    const SoakFigures f = rig.run();
    qInfo("%s", qPrintable(f.summary()));
    QVERIFY2(f.finished, "edits were left without an outcome");
    QVERIFY2(f.wrong.isEmpty(), qPrintable(f.wrong.join("; ")));
    QCOMPARE(f.verified + f.reported + f.superseded, f.edits);
    QVERIFY(f.verified > 0);
    if (plan.cutOnce) {
        // Lost for good: said once, and what could not be written is reported.
        QCOMPARE(f.linkFailures, 1);
        QVERIFY(f.reported > 0);
    }
    if (reconnect) {
        QVERIFY(f.cuts >= 2);
        QCOMPARE(f.linkFailures, 0);
    }
}

ZK_TEST_GUILESS_MAIN(TstSoak)
#include "tst_soak.moc"
