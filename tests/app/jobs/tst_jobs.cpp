// The jobs of the job window against the virtual mixer chain on virtual time.

#include "app/jobs.h"
#include "mixer/activitylog.h"
#include "base/strings.h"
#include "jobrig.h"
#include "tests/support/testmain.h"

#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

QList<int> registersOf(const QList<QByteArray> &requests)
{
    QList<int> regs;
    for (const QByteArray &r : requests)
        regs << quint8(r.at(3));
    return regs;
}

// A mixer whose ER replies come from a table of register values.
QList<QByteArray> answerExtensionReads(const QByteArray &rq, const QMap<int, QByteArray> &values)
{
    if (rq.startsWith("ER"))
        return {bytes({'E', 'R', 0}) + values.value(quint8(rq.at(3)), bytes({0, 0, 0, 0}))};
    return {};
}

JobContext contextOf(JobRig &rig)
{
    return JobContext{rig.link, rig.mixers, rig.dialogs, *rig.protocol, nullptr, {}, {}, {}, nullptr};
}

} // namespace

class TestJobs : public QObject
{
    Q_OBJECT

private slots:
    void registerToField_data()
    {
        QTest::addColumn<int>("reg");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("key");
        QTest::addColumn<qint32>("field");
        QTest::newRow("threshold max drops the top bit") << 1 << bytes({0xAA, 0xBB, 0xFF, 0xFF}) << 87 << 0x7FFF;
        QTest::newRow("peak LED -10 as 16 bits") << 5 << bytes({0, 0, 0xFF, 0xF6}) << 91 << 10;
        QTest::newRow("peak LED 150") << 5 << bytes({0, 0, 0, 150}) << 91 << -150;
        QTest::newRow("peak LED 201 stays in range") << 5 << bytes({0, 0, 0, 201}) << 91 << -201;
        QTest::newRow("peak LED -32768 saturates") << 5 << bytes({0, 0, 0x80, 0}) << 91 << 32767;
        QTest::newRow("priority is the low byte") << 6 << bytes({1, 2, 3, 4}) << 92 << 4;
        QTest::newRow("noise reference 80 00 00 05") << 12 << bytes({0x80, 0, 0, 5}) << 98 << 5;
        QTest::newRow("noise threshold zero register") << 13 << bytes({0, 0, 0, 0}) << 99 << qint32(0x80000000);
        QTest::newRow("register 18 holds ThresholdK2") << 18 << bytes({0, 0, 0x01, 0x02}) << 103 << 0x102;
    }
    void registerToField()
    {
        QFETCH(int, reg);
        QFETCH(QByteArray, data);
        QFETCH(int, key);
        QFETCH(qint32, field);
        ExtendedRecord record;
        storeExtendedRegister(record, reg, {quint8(data[0]), quint8(data[1]), quint8(data[2]), quint8(data[3])});
        QCOMPARE(record.value(key), field);
    }

    void fieldsRoundTripThroughRegisters()
    {
        ExtendedRecord record;
        record.OutPeakLEDK = -150;
        record.Noise_Detection_Reference = -5;
        record.Noise_Detection_Threshold = 123456789;
        record.ThresholdK2 = 321;
        record.Hold_Time2 = 7;
        for (int reg : extendedRegisters(1)) {
            ExtendedRecord back;
            storeExtendedRegister(back, reg, extendedRegisterBytes(record, reg));
            const int key = reg == 18 ? 103 : 86 + reg;
            QCOMPARE(back.value(key), record.value(key));
        }
        QCOMPARE(extendedRegisterBytes(record, 5), (RegisterBytes{0, 0, 0, 150}));
        QCOMPARE(extendedRegisterBytes(record, 12), (RegisterBytes{0x7F, 0xFF, 0xFF, 0xFB}));
        QCOMPARE(extendedRegisterBytes(record, 17), (RegisterBytes{0, 0, 0, 0}));
    }

    void noiseEntries()
    {
        // Register value v × 65537 shows as v; the ends of the range hold.
        QCOMPARE(noiseEntryFromField(qint32(quint32(1234u * 65537u) ^ 0x80000000u)), quint16(1234));
        QCOMPARE(noiseEntryFromField(qint32(0x80000000)), quint16(0));
        QCOMPARE(noiseEntryFromField(0x7FFFFFFF), quint16(65535));
        QCOMPARE(noiseEntryFromField(qint32(quint32(10u * 65537u + 32769u) ^ 0x80000000u)), quint16(11));
        QCOMPARE(noiseEntryFromField(qint32(quint32(10u * 65537u + 32768u) ^ 0x80000000u)), quint16(10));
        QCOMPARE(noiseEntryBytes(0x1234), (RegisterBytes{0x12, 0x34, 0x12, 0x34}));
    }

    void registerLists()
    {
        QCOMPARE(extendedRegisters(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(extendedRegisters(-1).size(), size_t(10));
        QCOMPARE(extendedRegisters(2), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18}));
        QCOMPARE(extendedGroupRegisters(3), (std::vector<int>{11, 12, 13, 14, 15, 16, 18}));
        QCOMPARE(extendedGroupRegisters(0), (std::vector<int>{3, 4, 5}));
        QVERIFY(extendedGroupRegisters(4).empty());
    }

    void extendedReadOfOlderModelReadsTenRegisters()
    {
        JobRig rig;
        rig.mixers.Model[1] = 0;
        rig.script = [](const QByteArray &rq) {
            return answerExtensionReads(rq, {{5, bytes({0, 0, 0xFF, 0xF6})}, {12, bytes({0x80, 0, 0, 5})}});
        };
        rig.mixers.ExtendedData[1].Noise_Detection_Reference = 77;
        QVERIFY(JobRunner(contextOf(rig)).run(JobWork::extendedRead()));
        QCOMPARE(registersOf(rig.sent("ER")), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(rig.mixers.ExtendedData[1].OutPeakLEDK, qint16(10));
        QCOMPARE(rig.mixers.ExtendedData[1].Noise_Detection_Reference, 77); // not read
        QVERIFY(rig.dialogs.shown.empty());
    }

    void extendedReadCopiesToOpenEditors()
    {
        JobRig rig;
        rig.mixers.Model[1] = 1;
        rig.mixers.EditorOpen[1] = true;
        rig.mixers.EditorOpen[3] = true;
        rig.script = [](const QByteArray &rq) {
            return answerExtensionReads(rq, {{12, bytes({0x80, 0, 0, 5})}, {18, bytes({0, 0, 0, 9})}});
        };
        QList<int> refreshed;
        JobContext c = contextOf(rig);
        c.refreshExtendedDisplay = [&](int m) { refreshed << m; };
        QVERIFY(JobRunner(c).extendedRead());
        QCOMPARE(registersOf(rig.sent("ER")).size(), 17);
        QCOMPARE(rig.mixers.ExtendedData[3].Noise_Detection_Reference, 5);
        QCOMPARE(rig.mixers.ExtendedData[3].ThresholdK2, qint16(9));
        QCOMPARE(rig.mixers.ExtendedData[2].ThresholdK2, ExtendedRecord().ThresholdK2);
        QCOMPARE(refreshed, (QList<int>{1, 3}));
    }

    void failedExtendedReadTellsAndMarksFirstReply()
    {
        JobRig rig;
        rig.script = [](const QByteArray &rq) {
            if (rq.startsWith("ER") && rq.at(3) == 3)
                return QList<QByteArray>{};
            return answerExtensionReads(rq, {});
        };
        int marks = 0;
        JobContext c = contextOf(rig);
        c.markFirstReply = [&] { ++marks; };
        QVERIFY(!JobRunner(c).run(JobWork::extendedRead()));
        QCOMPARE(marks, 1);
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::NoResponse)});
        QCOMPARE(rig.dialogs.shown.front().icon, MsgIcon::Error);
        QCOMPARE(registersOf(rig.sent("ER")).last(), 3);
    }

    void transferLoadedWritesRegistersThenSetData()
    {
        JobRig rig;
        rig.mixers.Model[1] = 1;
        ExtendedRecord &e = rig.mixers.ExtendedData[1];
        e.ThresholdMax = 12000;
        e.OutPeakLEDK = 10;
        e.Noise_Detection_Reference = 5;
        e.Silent_Time = 3;
        std::vector<SendScope> setDataRuns;
        JobContext c = contextOf(rig);
        c.SetData = [&](SendScope scope) {
            setDataRuns.push_back(scope);
            return SetDataOutcome{};
        };
        QVERIFY(JobRunner(c).run(JobWork::transferLoaded(true)));
        QCOMPARE(setDataRuns, std::vector<SendScope>{SendScope::Everything});
        QCOMPARE(rig.chain->extRegister(1, 1), 12000u);
        QCOMPARE(rig.chain->extRegister(1, 5), 0xFFF6u);
        QCOMPARE(rig.chain->extRegister(1, 12), 0x80000005u);
        QCOMPARE(rig.chain->extRegister(1, 15), 3u);
        QCOMPARE(registersOf(rig.sent("ES")).size(), 17);
        QVERIFY(rig.dialogs.shown.empty());
    }

    // Without everything asked for, each register is read first and written
    // only where it differs; a held one counts as verified. The activity
    // entry counts the registers with what SetData sent and found held.
    void transferLoadedWritesOnlyRegistersThatDiffer()
    {
        JobRig rig;
        rig.mixers.Model[1] = 1;
        QVERIFY(JobRunner(contextOf(rig)).extendedRead());
        rig.mixers.ExtendedData[1].ThresholdMax = 12000;
        rig.forget();
        ActivityLog log(rig.clock);
        std::vector<SendScope> setDataRuns;
        JobContext c = contextOf(rig);
        c.activity = &log;
        c.SetData = [&](SendScope scope) {
            setDataRuns.push_back(scope);
            SetDataOutcome o;
            o.written = 2;
            o.held = 5;
            return o;
        };
        QVERIFY(JobRunner(c).run(JobWork::transferLoaded(false)));
        QCOMPARE(setDataRuns, std::vector<SendScope>{SendScope::Differences});
        QCOMPARE(registersOf(rig.sent("ES")), QList<int>{1});
        QCOMPARE(rig.chain->extRegister(1, 1), 12000u);
        QCOMPARE(registersOf(rig.sent("ER")).size(), 17 + 1); // each read, and the write's read-back
        QCOMPARE(rig.mixers.ExtendedWrite[2].state, ValueState::Verified);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log.newest(0).kind, ActivityKind::Load);
        QCOMPARE(log.newest(0).detail, str(14300).arg(1 + 2).arg(16 + 5));
        QCOMPARE(log.newest(0).outcome, ActivityOutcome::Done);
        QVERIFY(rig.dialogs.shown.empty());
    }

    void failedTransferStopsBeforeSetData()
    {
        JobRig rig;
        rig.script = [](const QByteArray &) { return QList<QByteArray>{}; };
        int setDataRuns = 0;
        JobContext c = contextOf(rig);
        c.SetData = [&](SendScope) {
            ++setDataRuns;
            return SetDataOutcome{};
        };
        QVERIFY(!JobRunner(c).run(JobWork::transferLoaded(true)));
        QCOMPARE(setDataRuns, 0);
        QCOMPARE(rig.dialogs.texts(), (QStringList{str(StrId::SetFailed), str(StrId::NoResponse)}));
        // A register that cannot be read first ends the transfer as well.
        rig.dialogs.shown.clear();
        QVERIFY(!JobRunner(c).run(JobWork::transferLoaded(false)));
        QCOMPARE(setDataRuns, 0);
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::NoResponse)});
        QCOMPARE(rig.mixers.ExtendedWrite[1].state, ValueState::Failed);
    }

    void extendedWriteOfGroupTakesEditorEntries()
    {
        struct Entries : ExtendedValuesSource
        {
            RegisterBytes registerBytes(int reg) const override
            {
                return reg == 12 ? noiseEntryBytes(2) : RegisterBytes{0, 0, 0, quint8(reg)};
            }
        } entries;
        JobRig rig;
        JobContext c = contextOf(rig);
        c.extendedValues = &entries;
        QVERIFY(JobRunner(c).run(JobWork::extendedWrite(3)));
        QCOMPARE(registersOf(rig.sent("ES")), (QList<int>{11, 12, 13, 14, 15, 16, 18}));
        QCOMPARE(rig.chain->extRegister(1, 12), 2u * 65537u);
        QCOMPARE(rig.chain->extRegister(1, 16), 16u);

        // A group the editor does not have writes nothing.
        for (int group : {4, -1}) {
            JobRig stale;
            QVERIFY(!JobRunner(contextOf(stale)).extendedWrite(group));
            QVERIFY(stale.transport->sent.isEmpty());
            QVERIFY(stale.dialogs.shown.empty());
        }
    }

    void initialise()
    {
        JobRig rig;
        QVERIFY(JobRunner(contextOf(rig)).run(JobWork::initialise(1, 9)));
        QCOMPARE(rig.sent("IS"), QList<QByteArray>{bytes({'I', 'S', 1, 9})});

        // No reply: 1801 once the standard time-out has passed.
        JobRig silent;
        silent.script = [](const QByteArray &) { return QList<QByteArray>{}; };
        const double t0 = silent.clock.now();
        QVERIFY(!JobRunner(contextOf(silent)).initialise(1, 21));
        QVERIFY(silent.clock.now() - t0 >= 2 * silent.link.ReplyTimeUnit - 1e-9);
        QCOMPARE(silent.dialogs.texts(), QStringList{str(StrId::NoResponse)});

        // Work that is not the job window's sends nothing.
        JobRig stale;
        QVERIFY(!JobRunner(contextOf(stale)).run(JobWork::of(JobKind::IpSettings)));
        QVERIFY(!JobRunner(contextOf(stale)).run(JobWork::of(JobKind::ModeChange)));
        QVERIFY(stale.transport->sent.isEmpty());
    }

    void ipWriteVerifiedOrTold()
    {
        JobRig rig;
        NetworkSettings s;
        s.address = {10, 0, 0, 1};
        s.addressMode = 1;
        s.userId = "room42";
        QVERIFY(JobRunner(contextOf(rig)).run(JobWork::ipWrite(networkWriteRequest(s))));
        QCOMPARE(rig.chain->networkBlock(), networkBlock(s));

        JobRig deaf;
        deaf.script = [](const QByteArray &rq) {
            return rq.startsWith("IP") ? QList<QByteArray>{bytes({'I', 'P', 0})} : QList<QByteArray>{};
        };
        QVERIFY(!JobRunner(contextOf(deaf)).ipWrite(networkWriteRequest(s)));
        QCOMPARE(deaf.dialogs.texts(), (QStringList{str(StrId::SetFailed), str(StrId::NoResponse)}));
    }

    void directAccess_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("read 0A FF 00 01") << true << bytes({'A', 'R', 0, 0x0A, 0xFF, 0, 1}) << true << "0AFF0001";
        QTest::newRow("read refused") << true << bytes({'A', 'R', 1, 0, 0, 0, 0}) << false << "";
        QTest::newRow("read too short") << true << bytes({'A', 'R', 0}) << false << "";
        QTest::newRow("read answered by another command") << true << bytes({'A', 'W', 0, 1, 2, 3, 4}) << false << "";
        QTest::newRow("write") << false << bytes({'A', 'W', 0}) << true << "";
        QTest::newRow("write with data") << false << bytes({'A', 'W', 0, 1, 2, 3, 4}) << false << "";
        QTest::newRow("read, no reply") << true << QByteArray() << false << "";
    }
    void directAccess()
    {
        QFETCH(bool, read);
        QFETCH(QByteArray, reply);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        JobRig rig;
        rig.script = [&](const QByteArray &) {
            return reply.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{reply};
        };
        DirectAccessJob job(*rig.comm, rig.dialogs, read,
                            read ? memoryReadRequest(4, 0x1F) : memoryWriteRequest(1, 0x1F, 0x12345678));
        const double t0 = rig.clock.now();
        const auto state = job.run(rig.clock);
        QCOMPARE(state, ok ? DirectAccessJob::State::Succeeded : DirectAccessJob::State::Failed);
        QCOMPARE(job.dataText(), text);
        QCOMPARE(rig.dialogs.texts(), ok ? QStringList{} : QStringList{str(StrId::AbnormalEnd)});
        QCOMPARE(rig.transport->sent.size(), 1);
        QCOMPARE(rig.transport->sent.front().size(), read ? 8 : 12);
        if (reply.isEmpty()) // the budget is about one second
            QVERIFY(rig.clock.now() - t0 > 0.9 && rig.clock.now() - t0 <= 1.0 + 1e-9);
    }

    void directReadOfVirtualMixerMemory()
    {
        JobRig rig;
        QCOMPARE(DirectAccessJob(*rig.comm, rig.dialogs, false, memoryWriteRequest(4, 0x100, 0xDEADBEEF)).run(rig.clock),
                 DirectAccessJob::State::Succeeded);
        DirectAccessJob read(*rig.comm, rig.dialogs, true, memoryReadRequest(1, 0x100));
        QCOMPARE(read.run(rig.clock), DirectAccessJob::State::Succeeded);
        QCOMPARE(rig.chain->memoryByte(0x100), quint8(0xDE));
        const QByteArray reply = rig.chain->handle(memoryReadRequest(1, 0x100));
        QCOMPARE(read.dataText(), QString::fromLatin1(reply.mid(3, 4).toHex().toUpper()));
    }
};

ZK_TEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
