// The way from mixer mode to the control panel: when a mode change opens the
// panel at once, when it waits for the job window or the mixers' data, how
// the operator start of a chairperson's PC and its idle watch open it
// operating, and what each state refuses.

#include "app/modeflow.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {

using FlowState = ModeFlow::State;
using FlowStep = ModeFlow::Step;
using FlowOpening = ModeFlow::Opening;

constexpr bool JobOpen = true;
constexpr bool NoJob = false;
constexpr bool DataReady = true;
constexpr bool NoData = false;

// A flow in each state, reached the way the program reaches it.
ModeFlow flowIn(FlowState state)
{
    ModeFlow flow;
    switch (state) {
    case FlowState::MixerMode: break;
    case FlowState::OperateStart: flow.startOperate(); break;
    case FlowState::AwaitingJob: flow.ask(FlowOpening::AsLeft, JobOpen, DataReady); break;
    case FlowState::AwaitingData: flow.ask(FlowOpening::AsLeft, NoJob, NoData); break;
    case FlowState::Panel: flow.ask(FlowOpening::AsLeft, NoJob, DataReady); break;
    }
    return flow;
}

} // namespace

Q_DECLARE_METATYPE(ModeFlow::State)
Q_DECLARE_METATYPE(ModeFlow::Step)

class TestModeFlow : public QObject
{
    Q_OBJECT

private slots:
    void aModeChangeOpensAtOnceOrWaits_data()
    {
        QTest::addColumn<FlowState>("from");
        QTest::addColumn<bool>("jobOpen");
        QTest::addColumn<bool>("dataReady");
        QTest::addColumn<FlowStep>("step");
        QTest::addColumn<FlowState>("to");
        QTest::newRow("mixer mode, nothing in the way") << FlowState::MixerMode << NoJob << DataReady << FlowStep::Open << FlowState::Panel;
        QTest::newRow("mixer mode, a job window open") << FlowState::MixerMode << JobOpen << DataReady << FlowStep::QueueChange << FlowState::AwaitingJob;
        QTest::newRow("mixer mode, the data not read") << FlowState::MixerMode << NoJob << NoData << FlowStep::Wait << FlowState::AwaitingData;
        QTest::newRow("the job comes before the data") << FlowState::MixerMode << JobOpen << NoData << FlowStep::QueueChange << FlowState::AwaitingJob;
        QTest::newRow("asked again once the data came") << FlowState::AwaitingData << NoJob << DataReady << FlowStep::Open << FlowState::Panel;
        QTest::newRow("asked again, a job window opened meanwhile") << FlowState::AwaitingData << JobOpen << DataReady << FlowStep::QueueChange << FlowState::AwaitingJob;
        QTest::newRow("the panel is up: refused") << FlowState::Panel << NoJob << DataReady << FlowStep::None << FlowState::Panel;
        QTest::newRow("the change already waits for the job") << FlowState::AwaitingJob << NoJob << DataReady << FlowStep::None << FlowState::AwaitingJob;
        QTest::newRow("the operator start waits: so does the change") << FlowState::OperateStart << NoJob << DataReady << FlowStep::Wait << FlowState::OperateStart;
    }
    void aModeChangeOpensAtOnceOrWaits()
    {
        QFETCH(FlowState, from);
        QFETCH(bool, jobOpen);
        QFETCH(bool, dataReady);
        ModeFlow flow = flowIn(from);
        QCOMPARE(flow.state(), from);
        QTEST(flow.ask(FlowOpening::AsLeft, jobOpen, dataReady), "step");
        QTEST(flow.state(), "to");
    }

    // The loop's change after the job window, the data's arrival, the panel's
    // close: each only from the state that waits for it.
    void eachWaitEndsOnlyWhereItWasEntered()
    {
        ModeFlow flow = flowIn(FlowState::AwaitingJob);
        QCOMPARE(flow.jobEnded(NoData), FlowStep::Wait);
        QCOMPARE(flow.state(), FlowState::AwaitingData);
        QVERIFY(!flow.dataArrived(NoData, NoJob));
        QVERIFY(!flow.dataArrived(DataReady, JobOpen));
        QVERIFY(flow.dataArrived(DataReady, NoJob));
        QCOMPARE(flow.jobEnded(DataReady), FlowStep::None);
        QVERIFY(!flow.panelClosed());

        flow = flowIn(FlowState::AwaitingJob);
        QCOMPARE(flow.jobEnded(DataReady), FlowStep::Open);
        QCOMPARE(flow.state(), FlowState::Panel);
        QVERIFY(!flow.dataArrived(DataReady, NoJob));
        QCOMPARE(flow.jobEnded(DataReady), FlowStep::None);
        QVERIFY(flow.panelClosed());
        QCOMPARE(flow.state(), FlowState::MixerMode);
        QVERIFY(!flow.panelClosed());
        QCOMPARE(flow.jobEnded(DataReady), FlowStep::None);
    }

    // --operate: mixer mode until the start-up polls have counted the mixers
    // and their data is read, with no job window open; then one panel,
    // operating, also when the user asked for the change meanwhile.
    void theOperatorStartOpensOnePanelOperating()
    {
        ModeFlow flow;
        QVERIFY(flow.startOperate());
        QVERIFY(!flow.startOperate());
        QVERIFY(!flow.operateStartDue(false, true, NoJob));
        QVERIFY(!flow.operateStartDue(true, false, NoJob));
        QVERIFY(!flow.operateStartDue(true, true, JobOpen));
        QCOMPARE(flow.ask(FlowOpening::AsLeft, NoJob, DataReady), FlowStep::Wait);
        QVERIFY(flow.operateStartDue(true, true, NoJob));
        QVERIFY(flow.finishOperateStart());
        QCOMPARE(flow.state(), FlowState::MixerMode);
        QVERIFY(!flow.finishOperateStart());
        QVERIFY(!flow.operateStartDue(true, true, NoJob));
        QCOMPARE(flow.ask(FlowOpening::Operating, NoJob, DataReady), FlowStep::OpenOperating);
        // Back in mixer mode, the next change opens the panel as it was left.
        QVERIFY(flow.panelClosed());
        QCOMPARE(flow.ask(FlowOpening::AsLeft, NoJob, DataReady), FlowStep::Open);

        for (FlowState other : {FlowState::AwaitingJob, FlowState::AwaitingData, FlowState::Panel}) {
            ModeFlow busy = flowIn(other);
            QVERIFY(!busy.startOperate());
            QVERIFY(!busy.finishOperateStart());
            QCOMPARE(busy.state(), other);
        }
    }

    // An operating opening asked for once (the start after a job, the idle
    // watch while the change waits) stays so until its panel opens.
    void anOperatingOpeningIsKeptThroughTheWaits()
    {
        ModeFlow flow = flowIn(FlowState::AwaitingJob);
        QCOMPARE(flow.ask(FlowOpening::Operating, NoJob, DataReady), FlowStep::None);
        QCOMPARE(flow.opening(), FlowOpening::Operating);
        QCOMPARE(flow.jobEnded(NoData), FlowStep::Wait);
        QCOMPARE(flow.ask(FlowOpening::AsLeft, NoJob, DataReady), FlowStep::OpenOperating);
        QCOMPARE(flow.opening(), FlowOpening::AsLeft);

        flow = flowIn(FlowState::AwaitingData);
        QCOMPARE(flow.idle(true, false, NoJob, NoData), FlowStep::Wait);
        QCOMPARE(flow.ask(FlowOpening::AsLeft, NoJob, DataReady), FlowStep::OpenOperating);
    }

    // A chairperson's PC left in mixer mode goes back to its panel,
    // operating, once the lock's idle time has passed; never over a question,
    // a job window or a panel that is up.
    void theIdleWatchGoesBackOnlyWhenNothingIsOpen()
    {
        ModeFlow flow;
        QCOMPARE(flow.idle(false, false, NoJob, DataReady), FlowStep::None);
        QCOMPARE(flow.idle(true, true, NoJob, DataReady), FlowStep::None);
        QCOMPARE(flow.idle(true, false, JobOpen, DataReady), FlowStep::None);
        QCOMPARE(flow.state(), FlowState::MixerMode);
        QCOMPARE(flow.opening(), FlowOpening::AsLeft);
        QCOMPARE(flow.idle(true, false, NoJob, DataReady), FlowStep::OpenOperating);
        QCOMPARE(flow.state(), FlowState::Panel);
        QCOMPARE(flow.idle(true, false, NoJob, DataReady), FlowStep::None);
        QCOMPARE(flow.state(), FlowState::Panel);
    }
};

ZK_TEST_APPLESS_MAIN(TestModeFlow)
#include "tst_modeflow.moc"
