// The job window's jobs end to end: the program's Ethernet transport on the
// real clock, the virtual mixer behind a loopback TCP listener.

#include "app/jobs.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/mixersync.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"
#include "tests/support/testmain.h"

#include <QtTest>

class TestJobsLoopback : public QObject
{
    Q_OBJECT

private slots:
    void transferThenReadBack()
    {
        SimOptions options;
        options.mixers = 2;
        SimChain chain(options);
        SimTcpFront front(chain);
        QString error;
        QVERIFY2(front.listen(QStringLiteral("127.0.0.1"), 0, error), qPrintable(error));

        SystemClock clock;
        ScriptedDialogs dialogs;
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        LoopState loop;
        MixerState mixers;
        LinkEndpoints endpoints;
        endpoints.tcpPort = front.port();
        endpoints.connectLimitSeconds = 5.0;
        endpoints.chooseEthernetAddress = [](bool &userChose) {
            userChose = true;
            return QStringLiteral("127.0.0.1");
        };
        MdlComm comm(link, clock, dialogs, std::move(endpoints));
        QVERIFY(comm.CommOpen());
        MixerSync sync(comm, loop, mixers);
        sync.resetForConnect();
        MixerProtocol protocol(comm);

        // A settings file was applied: extended values of the master and one
        // block value of the slave wait to be sent.
        mixers.Model[1] = 1;
        mixers.MixerCount = 2;
        mixers.ExtendedData[1].MuteK = 33;
        mixers.ExtendedData[1].OutPeakLEDK = -150;
        mixers.ExtendedData[1].Noise_Detection_Threshold = 1000;
        mixers.takeLoadedValue(2, 3, 17);
        JobContext c{link, mixers, dialogs, protocol, nullptr, {}, {}, {}, nullptr};
        c.SetData = [&](SendScope scope) {
            sync.writeLoaded(scope);
            return sync.lastOutcome();
        };
        QVERIFY(JobRunner(c).run(JobWork::of(JobKind::TransferLoaded)));
        QCOMPARE(chain.extRegister(1, 4), 33u);
        QCOMPARE(chain.extRegister(1, 5), 150u);
        QCOMPARE(chain.extRegister(1, 13), 1000u + 0x80000000u);
        QCOMPARE(chain.blockByte(2, 3), quint8(17));

        // Reading back over the same link gives the same record.
        mixers.ExtendedData[1] = ExtendedRecord();
        QVERIFY(JobRunner(c).run(JobWork::extendedRead()));
        QCOMPARE(mixers.ExtendedData[1].MuteK, qint16(33));
        QCOMPARE(mixers.ExtendedData[1].OutPeakLEDK, qint16(-150));
        QCOMPARE(mixers.ExtendedData[1].Noise_Detection_Threshold, 1000);
        QVERIFY(dialogs.shown.empty());
        comm.CommClose();
    }
};

ZK_TEST_GUILESS_MAIN(TestJobsLoopback)
#include "tst_jobsloopback.moc"
