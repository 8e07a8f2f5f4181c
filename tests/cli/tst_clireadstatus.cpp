// The status exchanges of the tool on MdlComm, with the virtual mixer chain
// in-process and virtual time: what a chain reports, and how a silent or
// partly silent chain ends.

#include "base/clock.h"
#include "base/dialogs.h"
#include "cli/statuscommand.h"
#include "link/comm.h"
#include "sim/simargs.h"
#include "sim/simchain.h"
#include "sim/simtransport.h"
#include "tests/support/testmain.h"

#include <QtTest>

namespace {

struct Rig
{
    SimChain chain;
    ManualClock clock;
    ScriptedDialogs dialogs;
    LinkState link;
    std::unique_ptr<MdlComm> comm;

    Rig(SimOptions options, LinkKind kind) : chain(std::move(options))
    {
        link.linkKind = kind;
        LinkEndpoints endpoints;
        endpoints.makeTransport = simTransportFactory(chain);
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(endpoints));
        clock.setStep(0.01);
    }
};

} // namespace

class TstCliReadStatus : public QObject
{
    Q_OBJECT
private slots:
    void chainReport_data();
    void chainReport();
    void silentChainFailsWithinTheTimeouts();
    void lostThresholdReplyLeavesThresholdsUnknown();
};

void TstCliReadStatus::chainReport_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("ethernet") << int(LinkKind::Ethernet);
    QTest::newRow("serial") << int(LinkKind::Rs232c);
    QTest::newRow("usb") << int(LinkKind::Usb);
}

void TstCliReadStatus::chainReport()
{
    QFETCH(int, kind);
    SimOptions o;
    o.mixers = 4;
    o.model = 0;
    SimStuck s;
    QVERIFY(parseStuck(QStringLiteral("4:Mute_8=1"), s));
    o.stuck = {s};
    Rig rig(o, LinkKind(kind));
    QVERIFY(rig.comm->CommOpen());
    rig.chain.handle(QByteArray("TS\x03\xC0\x10", 5)); // top bit set on the wire

    const std::optional<StatusReport> r = readStatus(*rig.comm);
    QVERIFY(r.has_value());
    QCOMPARE(r->mixerCount(), 4);
    for (const MixerStatus &m : r->mixers)
        QCOMPARE(m.model, 0);
    QCOMPARE(r->mixers[3].block[71], quint8(1));
    QCOMPARE(r->mixers[2].block[71], quint8(0));
    QCOMPARE(r->mixers[2].threshold.value_or(-1), 0x4010);
    QCOMPARE(r->mixers[0].threshold.value_or(-1), 100);
}

void TstCliReadStatus::silentChainFailsWithinTheTimeouts()
{
    SimOptions o;
    o.dropProbability = 1.0;
    Rig rig(o, LinkKind::Ethernet);
    QVERIFY(rig.comm->CommOpen());
    const double start = rig.clock.now();
    QVERIFY(!readStatus(*rig.comm).has_value());
    // Two standard waits (TR, DR) of 2 x 0.4 s, no more: MN is never asked.
    const double spent = rig.clock.now() - start;
    QVERIFY2(spent >= 1.6 && spent < 1.8, qPrintable(QString::number(spent)));
    QCOMPARE(rig.chain.requestCount(), 2);
}

void TstCliReadStatus::lostThresholdReplyLeavesThresholdsUnknown()
{
    // Find a seed whose first draw loses the reply and whose next three keep theirs.
    quint32 seed = 1;
    for (;; ++seed) {
        SimOptions probe;
        probe.dropProbability = 0.5;
        probe.seed = seed;
        SimChain c(probe);
        const QByteArray rq("AM\x01", 3);
        if (c.handle(rq).isEmpty() && !c.handle(rq).isEmpty() && !c.handle(rq).isEmpty()
            && !c.handle(rq).isEmpty())
            break;
    }
    SimOptions o;
    o.mixers = 2;
    o.dropProbability = 0.5;
    o.seed = seed;
    Rig rig(o, LinkKind::Ethernet);
    QVERIFY(rig.comm->CommOpen());
    const std::optional<StatusReport> r = readStatus(*rig.comm);
    QVERIFY(r.has_value());
    QCOMPARE(r->mixerCount(), 2);
    QVERIFY(!r->mixers[0].threshold.has_value());
    QCOMPARE(r->mixers[0].model, 1);
}

ZK_TEST_GUILESS_MAIN(TstCliReadStatus)
#include "tst_clireadstatus.moc"
