// The status poll on virtual time: decoding of the three replies, the poll
// cycle against the virtual mixer, the model query and the access check.

#include "syncrig.h"

#include "base/strings.h"
#include "tests/support/testmain.h"

#include <QtTest>

namespace {

// A "D","R" reply of `mixers` blocks whose byte k of mixer m is m * 10 + k % 7,
// plus `extra` stray bytes; without trailer, as DecodeReply takes it.
QByteArray dataReply(int mixers, int extra = 0, quint8 status = 0)
{
    QByteArray r = bytes({'D', 'R', status});
    for (int m = 1; m <= mixers; ++m)
        for (int k = 1; k <= 84; ++k)
            r.append(char(quint8(m * 10 + k % 7)));
    r.append(QByteArray(extra, '\x01'));
    return r;
}

void decode(SyncRig &rig, const QByteArray &message)
{
    rig.sync->takeReply(message);
}

} // namespace

class TstStatusPoll : public QObject
{
    Q_OBJECT
private slots:
    void dataReplyLengths_data();
    void dataReplyLengths();
    void thresholdReply();
    void ambientReply();
    void appearingMixerCopiesOnlyItsRecord();
    void dataReplyComesInWithItsModelCodes();
    void replyTimeUnitGrowsOnSerialOnly();
    void pollCycleAgainstTheVirtualMixer();
    void pendingValuesHoldTheRequest();
    void tenEmptyPollsLoseTheMixers_data();
    void tenEmptyPollsLoseTheMixers();
    void aLostConnectionKeepsTheMixers();
    void valuesWaitForAFreshReadAfterAReconnect();
    void thresholdBytesLikeATrailerDoNotCutTheReply();
    void readModel();
    void checkAccess_data();
    void checkAccess();
    void pendingChangesCountsPriorityOfChannelOneOnly();
};

void TstStatusPoll::dataReplyLengths_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("mixerCount"); // -1: ignored, count stays 5
    QTest::newRow("three mixers") << dataReply(3) << 3;
    QTest::newRow("one byte too many") << dataReply(3, 1) << -1;
    QTest::newRow("status not 0") << dataReply(3, 0, 2) << -1;
    QTest::newRow("sixteen mixers") << dataReply(16) << 16;
    QTest::newRow("seventeen blocks") << dataReply(17) << -1;
    QTest::newRow("header only") << bytes({'D', 'R', 0}) << 0;
    QTest::newRow("two bytes") << bytes({'D', 'R'}) << -1;
}

void TstStatusPoll::dataReplyLengths()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, mixerCount);
    SyncRig rig(simOptions(16));
    rig.mixers.MixerCount = 5;
    decode(rig, reply);
    if (mixerCount < 0) {
        QCOMPARE(rig.mixers.MixerCount, 5);
        QVERIFY(!rig.sync->dataReceived());
        QCOMPARE(rig.mixers.MixerData[1], MixerDataRecord::startValues());
        return;
    }
    QCOMPARE(rig.mixers.MixerCount, mixerCount);
    QVERIFY(rig.sync->dataReceived());
    for (int m = 1; m <= mixerCount; ++m) {
        MixerDataRecord &d = rig.mixers.MixerData[size_t(m)];
        QCOMPARE(d.InputLevel(1), quint8(m * 10 + 1));
        QCOMPARE(d.Phantom(1), quint8(m * 10 + 9 % 7));
        QCOMPARE(d.KeyLock(), quint8(m * 10 + 84 % 7));
        QCOMPARE(rig.mixers.Model[size_t(m)], 1); // asked with "M","N"
    }
    QCOMPARE(rig.sent("MN").size(), mixerCount);
    for (int m = mixerCount + 1; m <= 16; ++m) {
        QCOMPARE(rig.mixers.Model[size_t(m)], -1);
        QCOMPARE(rig.mixers.MixerData[size_t(m)], MixerDataRecord::startValues());
    }
    QCOMPARE(rig.loop.PreviousMixerCount, mixerCount);
}

void TstStatusPoll::thresholdReply()
{
    SyncRig rig;
    StatusPoll poll(*rig.comm, rig.loop, rig.mixers);
    poll.ThresholdReadMark[1] = MarkRequested;
    poll.ThresholdReadMark[2] = MarkRequested;
    const auto decode = [&poll](const QByteArray &message) {
        poll.DecodeReply(reinterpret_cast<const quint8 *>(message.constData()), int(message.size()));
    };
    decode(bytes({'T', 'R', 0, 0xC0, 0x10, 0x00, 0x64}));
    QCOMPARE(rig.mixers.MixerCount, 2);
    QCOMPARE(rig.mixers.MixerData[1].Threshold, 16400); // top bit of 0xC010 cleared
    QCOMPARE(rig.mixers.MixerData[2].Threshold, 100);
    QCOMPARE(poll.ThresholdReadMark[1], MarkDecoded);
    QCOMPARE(poll.DataReceived, 1);

    decode(bytes({'T', 'R', 0, 0x01, 0x02, 0x03})); // odd data length
    QCOMPARE(rig.mixers.MixerCount, 2);
    QCOMPARE(rig.mixers.MixerData[1].Threshold, 16400);
}

void TstStatusPoll::ambientReply()
{
    SyncRig rig;
    QList<QPair<int, double>> shown;
    rig.sync->hooks().ambientLevelShown = [&](int m, double v) { shown.append({m, v}); };
    rig.mixers.MixerCount = 3;
    rig.mixers.EditorOpen[2] = true;
    rig.mixers.EditorOpen[5] = true; // open, but not linked
    decode(rig, bytes({'A', 'M', 0, 0x01, 0x2C}));
    QCOMPARE(rig.sync->ambientLevel(), 256 + 4.4);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].first, 2);

    decode(rig, bytes({'A', 'M', 0})); // no value: nothing changes
    QCOMPARE(rig.sync->ambientLevel(), 256 + 4.4);
    QCOMPARE(shown.size(), 1);
}

void TstStatusPoll::appearingMixerCopiesOnlyItsRecord()
{
    SyncRig rig(simOptions(4));
    QList<int> enabled;
    int shownMixer = 4;
    rig.sync->hooks().editorMixer = [&] { return shownMixer; };
    rig.sync->hooks().Enable_Control = [&](int m) { enabled << m; };
    decode(rig, dataReply(3));
    for (int m = 1; m <= 3; ++m)
        rig.mixers.MixerSetData[size_t(m)].InputGain(1) = 99; // edits not yet sent
    rig.mixers.EditorOpen[4] = true;

    decode(rig, dataReply(4));
    for (int m = 1; m <= 3; ++m)
        QCOMPARE(rig.mixers.MixerSetData[size_t(m)].InputGain(1), 99);
    QCOMPARE(rig.mixers.MixerSetData[4], rig.mixers.MixerData[4]);
    QCOMPARE(enabled, QList<int>{4});

    // Gone and back while its editor is closed: copied, not enabled; a value
    // flagged meanwhile (the panel switching a channel off) stays wanted.
    decode(rig, dataReply(3));
    rig.mixers.MixerSetData[4].InputGain(1) = 99;
    const int override2 = channelKeyId(ChannelFamily::RemoteOn, 2);
    const quint8 switchedTo = rig.mixers.MixerData[4].RemoteOn(2) ^ 1;
    rig.sync->submit(4, override2, switchedTo, Submit::Copy);
    rig.sync->submit(4, MixerKey::Threshold, 1234, Submit::Copy);
    rig.mixers.EditorOpen[4] = false;
    decode(rig, dataReply(4));
    QCOMPARE(rig.mixers.MixerSetData[4].InputGain(1), rig.mixers.MixerData[4].InputGain(1));
    QCOMPARE(rig.mixers.MixerSetData[4].RemoteOn(2), switchedTo);
    QVERIFY(rig.mixers.waiting(4, override2));
    QCOMPARE(rig.mixers.MixerSetData[4].Threshold, 1234);
    QCOMPARE(enabled, QList<int>{4});
}

// The model codes are asked for while a data reply waits to be taken in, and
// every window of the program runs in those waits (a save among them). Until
// the codes are read the records keep the previous reply whole; then the
// reply, its mixer count and the codes come in together.
void TstStatusPoll::dataReplyComesInWithItsModelCodes()
{
    SyncRig rig(simOptions(2, [](SimOptions &o) { o.model = 0; }));
    decode(rig, dataReply(1));
    const int gain = rig.mixers.MixerData[1].InputGain(1);
    QCOMPARE(rig.mixers.Model[1], 0);

    // Now two mixers of the newer model, the master's first gain changed.
    struct Seen
    {
        int count, gain, model;
    };
    QList<Seen> seen;
    rig.script = [&](const QByteArray &rq) {
        QByteArray reply = rig.chain->handle(rq);
        if (rq.startsWith("MN")) {
            seen.append({rig.mixers.MixerCount, rig.mixers.MixerData[1].InputGain(1), rig.mixers.Model[1]});
            reply[3] = 1;
        }
        return QList<QByteArray>{reply};
    };
    QByteArray next = dataReply(2);
    next[Wire::ReplyHeader + 40] = char(55); // InputGain(1) of the master
    decode(rig, next);
    QCOMPARE(seen.size(), 2);
    for (const Seen &s : seen) {
        QCOMPARE(s.count, 1);
        QCOMPARE(s.gain, gain);
        QCOMPARE(s.model, 0);
    }
    QCOMPARE(rig.mixers.MixerCount, 2);
    QCOMPARE(rig.mixers.MixerData[1].InputGain(1), 55);
    QCOMPARE(rig.mixers.Model[1], 1);
    QCOMPARE(rig.mixers.Model[2], 1);
    QCOMPARE(rig.mixers.Model[3], -1);
}

void TstStatusPoll::replyTimeUnitGrowsOnSerialOnly()
{
    SyncRig serial(simOptions(16), LinkKind::Rs232c);
    decode(serial, dataReply(2));
    QCOMPARE(serial.link.ReplyTimeUnit, 0.4); // 3 × 0.08 is below the floor
    decode(serial, dataReply(16));
    QCOMPARE(serial.link.ReplyTimeUnit, 17 * 0.08);
    QByteArray tr = bytes({'T', 'R', 0});
    tr.append(QByteArray(32, '\0'));
    decode(serial, tr);
    QCOMPARE(serial.link.ReplyTimeUnit, 17 * 0.1);

    SyncRig ether(simOptions(16));
    decode(ether, dataReply(16));
    decode(ether, tr);
    QCOMPARE(ether.link.ReplyTimeUnit, 0.4);
}

void TstStatusPoll::pollCycleAgainstTheVirtualMixer()
{
    SyncRig rig(simOptions(3));
    rig.chain->setBlockByte(2, 43, 77);
    int menus = 0;
    int panels = 0;
    FirstPollTexts texts;
    rig.sync->hooks().Menu_Enable = [&](bool on) { menus += on ? 1 : 100; };
    rig.sync->hooks().setUpPanel = [&] { ++panels; };
    rig.sync->hooks().writeFactoryTexts = [&](const FirstPollTexts &t) { texts = t; };

    QList<QByteArray> polls;
    for (int i = 0; i < 4; ++i) {
        rig.forget();
        rig.sync->poll();
        polls << rig.transport->sent.last();
        if (i == 0) {
            QCOMPARE(panels, 1);
            QCOMPARE(texts.fileTable.size(), size_t(73));
            QCOMPARE(texts.fileTable[0].second, QStringLiteral("False"));
            QCOMPARE(texts.setDataTable.front(), qMakePair(73, QStringLiteral("1")));
            QCOMPARE(texts.setDataTable.back(), qMakePair(103, QStringLiteral("8")));
            QCOMPARE(menus, 0); // no reply yet
        }
    }
    // The request after a data reply is the one prepared for that poll, not
    // the model queries made while decoding it.
    QCOMPARE(polls, (QList<QByteArray>{bytes({'T', 'R', 255}), bytes({'D', 'R', 255}),
                                       bytes({'A', 'M', 1}), bytes({'T', 'R', 255})}));
    QCOMPARE(rig.mixers.MixerCount, 3);
    QCOMPARE(rig.mixers.MixerData[2].InputGain(3), 77);
    QCOMPARE(rig.mixers.MixerSetData[2].InputGain(3), 77);
    QCOMPARE(rig.mixers.MixerData[3].Threshold, 100);
    QCOMPARE(rig.sync->ambientLevel(), 256 + 44 / 10.0); // 300 as 0x01 0x2C
    QCOMPARE(rig.loop.StartupPolls, 0);
    QCOMPARE(rig.mixers.FileMixerCount, 3); // counted at the third poll, after the DR reply
    QCOMPARE(menus, 1);
    QCOMPARE(panels, 1);
    // Marks are set for the mixers counted when the request is prepared.
    QCOMPARE(rig.sync->pollState().DataReadMark[3], MarkNone);
    QCOMPARE(rig.sync->pollState().ThresholdReadMark[3], MarkRequested);
    // On TCP every poll ends with three empty receives.
    QCOMPARE(rig.sync->pollState().NoReplyCount, 1);
}

void TstStatusPoll::pendingValuesHoldTheRequest()
{
    SyncRig rig;
    rig.loop.StartupPolls = 0;
    rig.sync->poll(); // TR out
    rig.sync->submit(1, 43, 5, Submit::Copy);
    rig.forget();
    rig.sync->poll(); // TR reply in, DR held back
    QVERIFY(rig.transport->sent.isEmpty());
    QVERIFY(rig.sync->flushDue());
    QCOMPARE(rig.sync->pollState().NoReplyCount, 0); // 1 for the empty receives, taken back

    rig.sync->poll(); // nothing came: counts, and gives the count back
    QCOMPARE(rig.sync->pollState().NoReplyCount, 0);
}

void TstStatusPoll::tenEmptyPollsLoseTheMixers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("emptyPolls");
    QTest::newRow("USB") << int(LinkKind::Usb) << 10;
    QTest::newRow("Ethernet") << int(LinkKind::Ethernet) << 9;
    QTest::newRow("RS-232C") << int(LinkKind::Rs232c) << 9;
}

void TstStatusPoll::tenEmptyPollsLoseTheMixers()
{
    QFETCH(int, kind);
    QFETCH(int, emptyPolls);
    SyncRig rig(simOptions(2), LinkKind(kind));
    rig.loop.StartupPolls = 0;
    rig.sync->startPollWith(PollData);
    rig.sync->poll();
    rig.sync->poll(); // the data reply arrives
    QCOMPARE(rig.mixers.MixerCount, 2);
    rig.chain.reset(); // unplugged, with the answer to the last request lost
    rig.transport->pending.clear();
    rig.script = [](const QByteArray &) { return QList<QByteArray>{}; };
    for (int i = 1; i < emptyPolls; ++i)
        rig.sync->poll();
    QCOMPARE(rig.mixers.MixerCount, 2);
    rig.sync->poll();
    QCOMPARE(rig.mixers.MixerCount, 0);
    QCOMPARE(rig.sync->pollState().NoReplyCount, 0);
}

void TstStatusPoll::aLostConnectionKeepsTheMixers()
{
    // The connection went down and is being re-established: no number of
    // silent polls takes the mixers off the link (the editors and the panel
    // would take that for a change of the room).
    SyncRig rig(simOptions(2));
    rig.loop.StartupPolls = 0;
    rig.sync->startPollWith(PollData);
    rig.sync->poll();
    rig.sync->poll();
    QCOMPARE(rig.mixers.MixerCount, 2);
    rig.transport->setHealth(LinkHealth::Reconnecting);
    for (int i = 0; i < 3 * StatusPoll::NoReplyLimit; ++i)
        rig.sync->poll();
    QCOMPARE(rig.mixers.MixerCount, 2);
    QCOMPARE(rig.sync->pollState().NoReplyCount, 0);
}

void TstStatusPoll::valuesWaitForAFreshReadAfterAReconnect()
{
    // Two values verified; the connection goes; the mixer comes back holding
    // one of them and not the other (restarted with other settings).
    SyncRig rig(simOptions(2));
    rig.loop.StartupPolls = 0;
    rig.sync->startPollWith(PollData);
    rig.sync->poll();
    rig.sync->poll();
    const int gain3 = channelKeyId(ChannelFamily::InputGain, 3);
    const int on1 = channelKeyId(ChannelFamily::RemoteOn, 1);
    rig.sync->submit(1, gain3, 40, Submit::Copy);
    rig.sync->submit(2, on1, 1, Submit::Copy);
    QVERIFY(rig.sync->writePending());
    QCOMPARE(rig.sync->valueStatus(1, gain3).state, ValueState::Verified);
    QCOMPARE(rig.sync->valueStatus(2, on1).state, ValueState::Verified);
    QVERIFY(rig.sync->mixersCurrent());
    QList<QPair<int, int>> told;
    int rereads = 0;
    QObject::connect(&rig.sync->events(), &SyncEvents::valueStateChanged,
                     [&](int mixer, int id) { told << qMakePair(mixer, id); });
    QObject::connect(&rig.sync->events(), &SyncEvents::mixersReread, [&] { ++rereads; });

    rig.transport->setHealth(LinkHealth::Reconnecting);
    rig.sync->poll();
    // Down, nothing verified holds any more, and the marks hear of it.
    QCOMPARE(rig.sync->valueStatus(1, gain3).state, ValueState::Waiting);
    QCOMPARE(rig.sync->valueStatus(2, on1).state, ValueState::Waiting);
    QVERIFY(told.contains(qMakePair(1, gain3)) && told.contains(qMakePair(2, on1)));
    QVERIFY(!rig.sync->mixersCurrent());

    rig.chain->setBlockByte(2, on1, 0);
    rig.transport->setHealth(LinkHealth::Up);
    QCOMPARE(rig.sync->valueStatus(1, gain3).state, ValueState::Waiting); // back, not yet read
    QVERIFY(!rig.sync->mixersCurrent());
    told.clear();
    for (int i = 0; i < 4 && rereads == 0; ++i) {
        rig.sync->poll();
        QVERIFY(rereads > 0 || !rig.sync->mixersCurrent());
    }
    QCOMPARE(rereads, 1);
    QVERIFY(rig.sync->mixersCurrent());
    // The read shows the one; the other is no longer claimed.
    QCOMPARE(rig.sync->valueStatus(1, gain3).state, ValueState::Verified);
    QCOMPARE(rig.sync->valueStatus(2, on1).state, ValueState::Settled);
    QVERIFY(told.contains(qMakePair(1, gain3)) && told.contains(qMakePair(2, on1)));
    for (int i = 0; i < 3; ++i)
        rig.sync->poll();
    QCOMPARE(rereads, 1);
}

void TstStatusPoll::thresholdBytesLikeATrailerDoNotCutTheReply()
{
    SyncRig rig(simOptions(2));
    rig.loop.StartupPolls = 0;
    rig.chain->handle(bytes({'T', 'S', 1, 0x55, 0xAA}));
    rig.sync->poll();
    rig.sync->poll();
    QCOMPARE(rig.mixers.MixerCount, 2);
    QCOMPARE(rig.mixers.MixerData[1].Threshold, 0x55AA);
    QCOMPARE(rig.sync->pollState().PollFill, 0);
}

void TstStatusPoll::readModel()
{
    SyncRig rig(simOptions(2, [](SimOptions &o) { o.model = 0; }));
    QCOMPARE(rig.sync->ReadModel(2), 0); // the older model's code
    QList<QByteArray> asked;
    rig.script = [&](const QByteArray &rq) {
        asked << rq.left(2);
        if (rq.startsWith("MN"))
            return QList<QByteArray>{bytes({'M', 'N', 1})}; // one byte short
        return QList<QByteArray>{rig.chain->handle(rq)};
    };
    QCOMPARE(rig.sync->ReadModel(1), 1); // "I","R" answered
    QCOMPARE(rig.sync->ReadModel(2), 0); // only the master is asked with "I","R"
    QCOMPARE(asked, (QList<QByteArray>{"MN", "IR", "MN"}));

    rig.script = [](const QByteArray &) { return QList<QByteArray>{}; };
    const double before = rig.clock.now();
    QCOMPARE(rig.sync->ReadModel(1), 0);
    QVERIFY(rig.clock.now() - before <= 2 * 0.8 + 0.01); // two standard time-outs

    rig.link.linkKind = LinkKind::Offline;
    rig.mixers.Model[3] = 7;
    QCOMPARE(rig.sync->ReadModel(3), 7);
}

void TstStatusPoll::checkAccess_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("script"); // deny, silent, no-set-reply, short-read, "" = plain mixer
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("writeAccess");
    QTest::addColumn<int>("message"); // 0 none
    QTest::addColumn<int>("icon");
    QTest::newRow("granted") << int(LinkKind::Ethernet) << "" << int(AccessResult::Granted) << true << 0 << 0;
    QTest::newRow("denied") << int(LinkKind::Ethernet) << "deny" << int(AccessResult::Denied) << false << 4200
                            << int(MsgIcon::Information);
    QTest::newRow("silent mixer") << int(LinkKind::Ethernet) << "silent" << int(AccessResult::TimedOut) << true
                                  << 0 << 0;
    QTest::newRow("write unanswered") << int(LinkKind::Ethernet) << "no-set-reply" << int(AccessResult::NoResponse)
                                      << true << 1801 << int(MsgIcon::Error);
    QTest::newRow("short data reply") << int(LinkKind::Ethernet) << "short-read" << int(AccessResult::NoResponse)
                                      << true << 1801 << int(MsgIcon::Error);
    QTest::newRow("serial link") << int(LinkKind::Rs232c) << "deny" << int(AccessResult::NotChecked) << true << 0
                                 << 0;
}

void TstStatusPoll::checkAccess()
{
    QFETCH(int, kind);
    QFETCH(QString, script);
    QFETCH(int, result);
    QFETCH(bool, writeAccess);
    QFETCH(int, message);
    QFETCH(int, icon);
    SyncRig rig(simOptions(1, [&](SimOptions &o) { o.denyWrite = script == "deny"; }), LinkKind(kind));
    rig.chain->setBlockByte(1, 1, 6);
    if (script == "silent" || script == "no-set-reply" || script == "short-read") {
        rig.script = [&](const QByteArray &rq) {
            if (script == "silent" || (script == "no-set-reply" && rq.startsWith("DS")))
                return QList<QByteArray>{};
            QByteArray r = rig.chain->handle(rq);
            if (script == "short-read")
                r.chop(1);
            return QList<QByteArray>{r};
        };
    }
    QCOMPARE(int(rig.sync->CheckAccess()), result);
    QCOMPARE(rig.mixers.WriteAccess, writeAccess);
    if (message) {
        QCOMPARE(rig.dialogs.shown.size(), size_t(1));
        QCOMPARE(rig.dialogs.shown[0].text, str(message));
        QCOMPARE(int(rig.dialogs.shown[0].icon), icon);
        QCOMPARE(rig.dialogs.shown[0].title, str(StrId::AppTitle));
    } else {
        QVERIFY(rig.dialogs.shown.empty());
    }
    if (kind != int(LinkKind::Ethernet)) {
        QVERIFY(rig.transport->sent.isEmpty());
    } else if (result == int(AccessResult::Granted)) {
        // The master's input level is written back unchanged.
        QCOMPARE(rig.transport->sent, (QList<QByteArray>{bytes({'D', 'R', 1}), bytes({'D', 'S', 1, 1, 6})}));
    }
}

void TstStatusPoll::pendingChangesCountsPriorityOfChannelOneOnly()
{
    SyncRig rig;
    const StatusPoll &poll = rig.sync->pollState();
    QVERIFY(!poll.PendingChanges());
    rig.sync->submit(16, channelKeyId(ChannelFamily::Priority, 3), 0, Submit::Copy);
    rig.sync->submit(16, 0, 1, Submit::Copy); // Active is never sent (nor marked)
    QVERIFY(!poll.PendingChanges());
    rig.sync->submit(16, channelKeyId(ChannelFamily::Priority, 1), 0, Submit::Copy);
    QVERIFY(poll.PendingChanges());
    rig.mixers.clearPending();
    rig.sync->submit(9, MixerKey::Threshold, 100, Submit::Copy);
    QVERIFY(poll.PendingChanges());
}

ZK_TEST_GUILESS_MAIN(TstStatusPoll)
#include "tst_statuspoll.moc"
