// Reading and writing over a real loopback TCP connection with the virtual
// mixer: edits made while the loop polls reach the mixer and are verified,
// and a read-only user gets the access message and writes nothing.

#include "loopbackrig.h"

#include "base/strings.h"
#include "tests/support/testmain.h"

#include <QTimer>
#include <QtTest>

#include <utility>

class TstSyncLoopback : public QObject
{
    Q_OBJECT
private slots:
    void editsWhilePollingAreVerified();
    void readOnlyUserWritesNothing();
    void exchangeUnderWayIsKnown();
};

void TstSyncLoopback::editsWhilePollingAreVerified()
{
    SimOptions options;
    options.mixers = 2;
    options.delayMs = 20; // every reply is on its way for a while
    LoopbackRig rig(options);
    QVERIFY(rig.connect());
    QCOMPARE(rig.sync->CheckAccess(), AccessResult::Granted);
    QVERIFY(rig.runLoop([&] { return rig.mixers.MixerCount == 2 && rig.loop.StartupPolls == 0; }, 10));

    // Five edits, made from a timer while the loop polls, as a window would;
    // the last three just after a poll sent its request.
    for (int edit = 1; edit <= 5; ++edit) {
        const int mixer = 1 + edit % 2;
        const int key = channelKeyId(ChannelFamily::InputGain, edit);
        bool submitted = false;
        auto submit = [&, mixer, key, edit] {
            if (!std::exchange(submitted, true))
                rig.sync->submit(mixer, key, 10 + edit, Submit::Copy);
        };
        if (edit <= 2)
            QTimer::singleShot(50 * edit, submit);
        else
            rig.afterPoll = submit;
        bool verified = false;
        QVERIFY(rig.runLoop([&] { return verified; }, 10, [&](const SetDataOutcome &o) {
            verified = o.verified && !rig.mixers.anyPending(mixer);
        }));
        rig.afterPoll = {};
        QCOMPARE(rig.chain.blockByte(mixer, key), 10 + edit);
    }
    // No write left while a reply was on its way to the program.
    QCOMPARE(rig.chain.overlaps(), 0);
    // The poll that follows a write asks for all data, and the editor's view
    // catches up.
    QVERIFY(rig.runLoop([&] { return rig.mixers.MixerData[2].InputGain(5) == 15; }, 5));
    QVERIFY(rig.dialogs.shown.empty());
}

void TstSyncLoopback::readOnlyUserWritesNothing()
{
    SimOptions options;
    options.denyWrite = true;
    LoopbackRig rig(options);
    QVERIFY(rig.connect());
    QCOMPARE(rig.sync->CheckAccess(), AccessResult::Denied);
    QVERIFY(!rig.mixers.WriteAccess);
    QCOMPARE(rig.dialogs.texts(), QStringList{str(4200)});
    QCOMPARE(rig.dialogs.shown[0].icon, MsgIcon::Information);
    // Reading goes on as usual.
    QVERIFY(rig.runLoop([&] { return rig.mixers.MixerCount == 1 && rig.sync->dataReceived(); }, 10));
}

// What runs inside the waits of a poll or a write (a window's handler) is
// told that an exchange is under way: it must not start one of its own.
void TstSyncLoopback::exchangeUnderWayIsKnown()
{
    SimOptions options;
    LoopbackRig rig(options);
    QVERIFY(rig.connect());
    bool inPoll = false;
    bool inWrite = false;
    rig.sync->hooks().Menu_Enable = [&](bool) { inPoll = rig.sync->busy(); };
    QObject::connect(&rig.sync->events(), &SyncEvents::runFinished, [&] { inWrite = rig.sync->busy(); });
    QVERIFY(rig.runLoop([&] { return rig.loop.StartupPolls == 0 && rig.sync->dataReceived(); }, 10));
    rig.sync->submit(1, channelKeyId(ChannelFamily::InputGain, 1), 20, Submit::Copy);
    QVERIFY(rig.runLoop([&] { return !rig.mixers.anyPending(1); }, 10));
    QVERIFY(inPoll);
    QVERIFY(inWrite);
    QVERIFY(!rig.sync->busy());
}

ZK_TEST_GUILESS_MAIN(TstSyncLoopback)
#include "tst_syncloopback.moc"
