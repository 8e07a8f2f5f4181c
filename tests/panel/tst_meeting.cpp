// The meeting console on virtual time: speaking times from the verified
// switch, the speaking-time limit, the delegates' microphone limit in both
// modes, the chair exempt, 全員オフ, requests with 次の発言者, and the record
// of who spoke when, in its file after a kill.

#include "panel/meetingconsole.h"

#include "base/clock.h"
#include "mixer/mixerdata.h"
#include "panel/remotechannels.h"
#include "tests/remote/fakesync.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr ButtonRef Chair{0, 0};
constexpr ButtonRef Seat1{0, 1};
constexpr ButtonRef Seat2{0, 2};
constexpr ButtonRef Seat3{0, 3};

struct MeetingRig
{
    QTemporaryDir dir;
    ManualClock clock{100.0};
    TimeOfDay timeOfDay{clock, QDateTime(QDate(2026, 4, 1), QTime(10, 0))};
    std::unique_ptr<PanelState> panel = std::make_unique<PanelState>();
    MixerState mixers;
    FakeSync sync{mixers};
    RemoteChannels remote{mixers, panel->runtime, &sync};
    std::unique_ptr<MeetingConsole> console;

    explicit MeetingRig(int seats = 5)
    {
        mixers.MixerCount = 1;
        for (int s = 0; s < seats; ++s) {
            ButtonSlot &b = panel->slot(0, s);
            b.IconEnable = true;
            b.IconText = QStringLiteral("席%1").arg(s);
        }
        panel->meeting.setChair(Chair.mixer, Chair.slot, true);
        console = std::make_unique<MeetingConsole>(
            MeetingConsole::Context{*panel, remote, mixers, &sync, clock, timeOfDay}, recordPath());
        console->setExecuting(true, 1);
    }
    QString recordPath() const { return dir.filePath(QStringLiteral("record.txt")); }
    bool on(ButtonRef s) const { return panel->slot(s.mixer, s.slot).IconOnOff; }
    // What the console asked the mixer to hold for the seat.
    bool wantedOn(ButtonRef s) const
    {
        return mixers.MixerSetData[size_t(s.mixer + 1)].channel(ChannelFamily::RemoteOn, s.slot + 1) == 1;
    }
    bool pending(ButtonRef s) const
    {
        return mixers.waiting(s.mixer + 1, channelKeyId(ChannelFamily::RemoteOn, s.slot + 1));
    }
    // The write run: every pending switch is sent and verified, as the
    // link's synchronisation reports it.
    void verifyAll()
    {
        std::vector<int> sent;
        for (int id = 1; id < PendingFlagCount; ++id)
            if (mixers.waiting(1, id))
                sent.push_back(id);
        mixers.clearPending();
        for (int id : sent) {
            mixers.MixerData[1].setValue(id, mixers.MixerSetData[1].value(id));
            sync.set(1, id, ValueState::Waiting);
            sync.set(1, id, ValueState::Verified);
        }
    }
    void pressVerified(ButtonRef s)
    {
        QCOMPARE(console->press(s), MeetingRefusal::None);
        verifyAll();
    }
};

} // namespace

class TestMeeting : public QObject
{
    Q_OBJECT

private slots:
    // The time runs from the verification, not from the press; a failed
    // switch starts none; the end of a speech goes into the record with the
    // verified times.
    void timesCountFromVerification()
    {
        MeetingRig rig;
        QCOMPARE(rig.console->press(Seat1), MeetingRefusal::None);
        QVERIFY(rig.on(Seat1) && rig.wantedOn(Seat1) && rig.pending(Seat1));
        rig.clock.advance(4);
        QCOMPARE(rig.console->seconds(Seat1), 0.0);
        rig.verifyAll();
        rig.clock.advance(65.4);
        QCOMPARE(runningTimeText(rig.console->seconds(Seat1)), QStringLiteral("1:05"));
        QVERIFY(rig.console->anyRunning());

        QCOMPARE(rig.console->press(Seat1), MeetingRefusal::None);
        rig.clock.advance(2);
        QCOMPARE(rig.console->seconds(Seat1), 67.4); // until the switch off is verified
        rig.verifyAll();
        QCOMPARE(rig.console->seconds(Seat1), 0.0);
        const auto &entries = rig.console->record().entries();
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].seconds, 67.4);
        QCOMPARE(entries[0].from, QDateTime(QDate(2026, 4, 1), QTime(10, 0, 4)));
        QCOMPARE(entries[0].caption, QStringLiteral("席1"));

        // A switch on that fails: no time runs.
        QCOMPARE(rig.console->press(Seat2), MeetingRefusal::None);
        const int id = channelKeyId(ChannelFamily::RemoteOn, Seat2.slot + 1);
        rig.sync.set(1, id, ValueState::Waiting);
        rig.sync.set(1, id, ValueState::Failed);
        rig.clock.advance(10);
        QCOMPARE(rig.console->seconds(Seat2), 0.0);
        QVERIFY(!rig.console->anyRunning());
    }

    // Limit 60 s with a 20 s warning: free, then counting down, then ended;
    // by the setting marked only or switched off. The chair runs free.
    void speakingLimit()
    {
        MeetingRig rig;
        MeetingSettings s;
        s.speakingLimit = 60;
        s.warning = 20;
        rig.console->setSettings(s);
        rig.pressVerified(Seat1);
        rig.pressVerified(Chair);
        rig.clock.advance(39);
        QCOMPARE(rig.console->mark(Seat1).phase, SpeakingPhase::Free);
        rig.clock.advance(1.5);
        QCOMPARE(rig.console->mark(Seat1).phase, SpeakingPhase::Warning);
        QCOMPARE(rig.console->mark(Seat1).remaining, 20);
        rig.clock.advance(19.5);
        rig.console->tick();
        QCOMPARE(rig.console->mark(Seat1).phase, SpeakingPhase::Ended);
        QVERIFY(rig.on(Seat1)); // marked only
        QCOMPARE(rig.console->mark(Chair).phase, SpeakingPhase::Free);

        s.atEnd = SpeakingEnd::SwitchOff;
        QSignalSpy changed(rig.console.get(), &MeetingConsole::seatChanged);
        rig.console->setSettings(s);
        QVERIFY(!rig.on(Seat1) && !rig.wantedOn(Seat1) && rig.pending(Seat1));
        QVERIFY(rig.on(Chair));
        QVERIFY(!changed.isEmpty());
        rig.verifyAll();
        QCOMPARE(rig.console->record().entries().size(), size_t(1));
    }

    // 拒否: with two delegates on the third press is refused and sends
    // nothing; the chair neither counts nor is refused.
    void micLimitRefuses()
    {
        MeetingRig rig;
        MeetingSettings s;
        s.micLimit = 2;
        rig.console->setSettings(s);
        rig.pressVerified(Chair);
        rig.pressVerified(Seat1);
        rig.pressVerified(Seat2);
        QSignalSpy refused(rig.console.get(), &MeetingConsole::refused);
        QCOMPARE(rig.console->press(Seat3), MeetingRefusal::Limit);
        QVERIFY(!rig.on(Seat3) && !rig.pending(Seat3));
        QCOMPARE(refused.size(), 1);
        QCOMPARE(qvariant_cast<MeetingRefusal>(refused[0][1]), MeetingRefusal::Limit);
        QCOMPARE(refusalName(MeetingRefusal::Limit), "limit");
        // Off always goes; then there is room again.
        QCOMPARE(rig.console->press(Seat1), MeetingRefusal::None);
        QCOMPARE(rig.console->press(Seat3), MeetingRefusal::None);
        QVERIFY(rig.on(Seat3));
    }

    // 先着順: the delegate who spoke longest goes off first, then the new
    // seat is switched on; the chair, on longest of all, stays.
    void micLimitFirstInFirstOut()
    {
        MeetingRig rig;
        MeetingSettings s;
        s.micLimit = 2;
        s.micMode = MicLimitMode::Fifo;
        rig.console->setSettings(s);
        rig.pressVerified(Chair);
        rig.clock.advance(1);
        rig.pressVerified(Seat2);
        rig.clock.advance(1);
        rig.pressVerified(Seat1);
        rig.clock.advance(1);
        QCOMPARE(rig.console->press(Seat3), MeetingRefusal::None);
        QVERIFY(!rig.on(Seat2) && rig.pending(Seat2) && !rig.wantedOn(Seat2));
        QVERIFY(rig.on(Seat1) && rig.on(Seat3) && rig.on(Chair));
        rig.verifyAll();
        QCOMPARE(rig.console->record().entries().size(), size_t(1));
        QCOMPARE(rig.console->record().entries()[0].seat, Seat2);
    }

    // 全員オフ: every delegate goes off in the same write run; the chair's
    // switch is not touched.
    void allOffLeavesTheChair()
    {
        MeetingRig rig;
        rig.pressVerified(Chair);
        rig.pressVerified(Seat1);
        rig.pressVerified(Seat3);
        QCOMPARE(rig.console->allOff(), MeetingRefusal::None);
        QVERIFY(rig.pending(Seat1) && rig.pending(Seat3) && !rig.pending(Chair));
        QVERIFY(!rig.on(Seat1) && !rig.on(Seat3) && rig.on(Chair) && rig.wantedOn(Chair));
        rig.verifyAll();
        QCOMPARE(rig.console->record().entries().size(), size_t(2));

        rig.console->setExecuting(false);
        QCOMPARE(rig.console->allOff(), MeetingRefusal::NotExecuting);
        QCOMPARE(rig.console->press(Seat1), MeetingRefusal::NotExecuting);
        QCOMPARE(refusalName(MeetingRefusal::NotExecuting), "not-executing");
    }

    // Requests: a speaking seat, the chair and a seat twice are refused; at
    // most 64 wait; a request can be withdrawn; 次の発言者 switches the
    // speaking delegates off and the first request on, which leaves the list.
    void requestsAndNext()
    {
        MeetingRig rig;
        rig.pressVerified(Chair);
        rig.pressVerified(Seat1);
        QCOMPARE(rig.console->request(Seat1), MeetingRefusal::Speaking);
        QCOMPARE(rig.console->request(Chair), MeetingRefusal::ChairSeat);
        QCOMPARE(rig.console->request(ButtonRef{0, 7}), MeetingRefusal::NoSeat);
        QCOMPARE(rig.console->next(), MeetingRefusal::NoRequests);
        QVERIFY(rig.on(Seat1));
        QCOMPARE(rig.console->request(Seat2), MeetingRefusal::None);
        rig.clock.advance(3);
        QCOMPARE(rig.console->request(Seat3), MeetingRefusal::None);
        QCOMPARE(rig.console->request(Seat2), MeetingRefusal::AlreadyRequested);
        QCOMPARE(rig.console->waiting(rig.console->requests().requests()[0]), 3.0);
        QCOMPARE(rig.console->withdraw(Seat3), MeetingRefusal::None);
        QCOMPARE(rig.console->withdraw(Seat3), MeetingRefusal::NotRequested);

        QCOMPARE(rig.console->next(), MeetingRefusal::None);
        QVERIFY(!rig.on(Seat1) && rig.on(Seat2) && rig.on(Chair));
        QVERIFY(rig.console->requests().empty());

        RequestList full;
        for (int i = 0; i < RequestList::MaxRequests; ++i)
            QCOMPARE(full.add(ButtonRef{i / 8, i % 8}, 0), MeetingRefusal::None);
        QCOMPARE(full.add(ButtonRef{15, 7}, 0), MeetingRefusal::RequestsFull);
    }

    // The record is in its file after each entry: a program killed without
    // closing it leaves every whole entry, and a line cut short is passed
    // over. 会議開始 starts the file anew.
    void recordSurvivesAKill()
    {
        MeetingRig rig;
        rig.pressVerified(Seat1);
        rig.clock.advance(30);
        rig.pressVerified(Seat1);
        rig.pressVerified(Seat2);
        rig.clock.advance(12);
        rig.pressVerified(Seat2);
        // The console is not closed: as after a kill.
        {
            QFile f(rig.recordPath());
            QVERIFY(f.open(QIODevice::Append));
            f.write("speech\t2026-04-01T10:0"); // the entry being written
        }
        SpeakingRecord after(rig.recordPath());
        QCOMPARE(after.entries().size(), size_t(2));
        QCOMPARE(after.entries()[1].seconds, 12.0);
        QCOMPARE(after.entries()[1].caption, QStringLiteral("席2"));

        rig.pressVerified(Seat1);
        rig.clock.advance(5);
        rig.pressVerified(Seat1);
        const auto totals = rig.console->record().totals();
        QCOMPARE(totals.size(), size_t(2));
        QCOMPARE(totals[0].count, 2);
        QCOMPARE(totals[0].seconds, 35.0);

        QVERIFY(rig.console->startMeeting());
        QVERIFY(rig.console->record().entries().empty());
        QVERIFY(SpeakingRecord(rig.recordPath()).entries().empty());
    }

    // The export a spreadsheet opens: a caption that reads as a formula
    // stays text.
    void recordCsvIsGuarded()
    {
        MeetingRig rig;
        rig.panel->slot(0, 1).IconText = QStringLiteral("=HYPERLINK(\"x\")");
        rig.pressVerified(Seat1);
        rig.clock.advance(61);
        rig.pressVerified(Seat1);
        const QString csv = QString::fromUtf8(rig.console->record().toCsv());
        QVERIFY(csv.contains(QStringLiteral("\"'=HYPERLINK(\"\"x\"\")\"")));
        QVERIFY(csv.contains(QStringLiteral(",2,61\r\n")));
    }
};

ZK_TEST_GUILESS_MAIN(TestMeeting)
#include "tst_meeting.moc"
