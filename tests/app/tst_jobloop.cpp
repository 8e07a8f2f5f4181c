#include "base/clock.h"
#include "base/dialogs.h"
#include "app/jobloop.h"
#include "mixer/mixersync.h"
#include "tests/support/simlinkrig.h"
#include "tests/support/testmain.h"

#include <QCoreApplication>
#include <QTest>

#include <deque>
#include <functional>
#include <optional>

namespace {

// Records what the loop starts, synchronisation included, with the virtual
// time of each call.
class RecordingHandlers : public JobHandlers, public SyncWork
{
public:
    explicit RecordingHandlers(ManualClock &clock) : m_clock(clock) {}

    struct Call
    {
        QString what;
        double at;
    };
    std::vector<Call> calls;
    JobLoop *loop = nullptr;
    bool pending = false;
    bool flushWaiting = false; // what the last poll found
    bool jobWindowOpen = false;
    std::function<void()> duringJobWindow;
    std::vector<JobWork> works; // what each job window ran
    int maxPolls = 1000;

    QStringList names() const
    {
        QStringList out;
        for (const auto &c : calls)
            out << c.what;
        return out;
    }
    int count(const QString &what) const { return int(names().count(what)); }

    void poll() override
    {
        record(QStringLiteral("poll"));
        if (count(QStringLiteral("poll")) >= maxPolls)
            loop->stop();
    }
    bool flushDue() override { return flushWaiting; }
    bool lineFree() override { return true; }
    bool flush() override
    {
        flushWaiting = false;
        return writePending();
    }
    bool writePending() override
    {
        record(QStringLiteral("setdata"));
        pending = false;
        return true;
    }
    bool pendingValues() const override { return pending; }
    void runDownload(DownloadKind kind) override { record(QStringLiteral("download%1").arg(int(kind))); }
    void showJobWindow(const JobWork &work, PlaceMode place) override
    {
        record(QStringLiteral("job(%1)").arg(int(place)));
        works.push_back(work);
        jobWindowOpen = true;
        if (duringJobWindow)
            duringJobWindow();
        jobWindowOpen = false;
    }
    bool jobWindowVisible() const override { return jobWindowOpen; }
    void showDirect(bool read) override { record(read ? QStringLiteral("direct read") : QStringLiteral("direct write")); }
    void showIpSettings() override { record(QStringLiteral("ip")); }
    void showPanel() override { record(QStringLiteral("panel")); }
    void Disconnect() override
    {
        record(QStringLiteral("disconnect"));
        loop->stop();
    }

private:
    void record(const QString &what) { calls.push_back({what, m_clock.now()}); }
    ManualClock &m_clock;
};

// A fresh world for one loop: state, fake time, scripted dialogs, recorder.
struct LoopWorld
{
    LoopState loop;
    JobQueue jobs;
    LinkState link;
    ManualClock clock{100.0};
    ScriptedDialogs dialogs;
    RecordingHandlers handlers{clock};
    JobLoop jobLoop{loop, jobs, link, clock, dialogs, handlers, handlers};

    explicit LoopWorld(LinkKind kind)
    {
        link.linkKind = kind;
        loop.StartupPolls = kind == LinkKind::Offline ? 0 : 3;
        handlers.loop = &jobLoop;
        clock.setStep(0.05);
    }
    // Runs the loop; `script` is called on every wait with the virtual time.
    void run(std::function<void(double)> script, double limitSeconds = 30.0)
    {
        const double start = clock.now();
        clock.setOnWait([this, script, start, limitSeconds] {
            if (clock.now() - start > limitSeconds)
                jobLoop.stop();
            else if (script)
                script(clock.now() - start);
        });
        jobLoop.run();
    }
};

// The loop with the real synchronisation, against the virtual mixers on a
// line whose every reply arrives 30 ms (virtual) after its request. Each
// request is logged with its time and whether a reply was still on its way
// when it went out.
struct SlowLine
{
    static constexpr double ReplyDelay = 0.03;
    struct Sent
    {
        double at;
        QByteArray letters;
        bool overlapped;
    };

    static SimOptions twoMixers()
    {
        SimOptions o;
        o.mixers = 2;
        return o;
    }

    SimLinkRig rig{twoMixers()};
    MixerSync sync{*rig.comm, rig.loop, rig.mixers};
    JobQueue jobs;
    RecordingHandlers handlers{rig.clock};
    JobLoop jobLoop{rig.loop, jobs, rig.link, rig.clock, rig.dialogs, handlers, sync};
    std::vector<Sent> sent;
    std::deque<std::pair<double, QByteArray>> onTheWay;
    int runs = 0;

    SlowLine()
    {
        handlers.loop = &jobLoop;
        // The start-up polls follow each other at once, whatever the line.
        rig.loop.StartupPolls = 0;
        rig.clock.setStep(0.005);
        rig.script = [this](const QByteArray &request) {
            sent.push_back({rig.clock.now(), request.left(2), !onTheWay.empty()});
            const QByteArray reply = rig.chain->handle(request);
            if (!reply.isEmpty())
                onTheWay.emplace_back(rig.clock.now() + ReplyDelay, reply);
            return QList<QByteArray>{};
        };
        QObject::connect(&sync.events(), &SyncEvents::runFinished, [this] { ++runs; });
    }
    // Runs the loop until the first write run has ended; `script` is called
    // on every wait before that, once a request went out and the replies due
    // by then have arrived, with the last request.
    void run(const std::function<void(const Sent &last)> &script)
    {
        const double end = rig.clock.now() + 20.0;
        rig.clock.setOnWait([this, script, end] {
            while (!onTheWay.empty() && onTheWay.front().first <= rig.clock.now()) {
                rig.transport->queue(onTheWay.front().second);
                onTheWay.pop_front();
            }
            if (runs > 0 || rig.clock.now() > end)
                jobLoop.stop();
            else if (!sent.empty())
                script(sent.back());
        });
        jobLoop.run();
    }
    // The first single-value write (there must be one).
    const Sent &firstWrite() const
    {
        return *std::find_if(sent.begin(), sent.end(), [](const Sent &s) { return s.letters == "DS"; });
    }
    int count(const char *letters, double from) const
    {
        return int(std::count_if(sent.begin(), sent.end(),
                                 [&](const Sent &s) { return s.at >= from && s.letters == letters; }));
    }
};

} // namespace

class TestJobLoop : public QObject
{
    Q_OBJECT

private slots:
    void precedenceOfTransferPendingDownloadAndJobs()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.jobs.request(JobWork::of(JobKind::TransferLoaded));
        w.handlers.flushWaiting = true;
        w.jobs.request(JobWork::firmware(DownloadKind::Fpga));
        w.loop.DataState = DataJustLoaded;
        w.handlers.maxPolls = 1;
        w.run(nullptr);
        // The transfer first, then the pending values, then the download; the poll
        // only once all of them are served.
        QCOMPARE(w.handlers.names(),
                 QStringList({"job(-1)", "setdata", "download2", "poll"}));
        QVERIFY(w.jobs.empty());
        QCOMPARE(w.loop.DataState, qint16(DataSaved)); // -1 becomes 0 once sent
    }

    // An edit made while the reply to the poll's request is on its way goes
    // out the moment that reply is in, not at the next poll; three edits of
    // one turn go out in one run; and no request ever leaves while a reply
    // is still on its way.
    void editsGoOutOnceTheLineIsFree()
    {
        SlowLine line;
        double pollAt = -1;
        double editedAt = -1;
        line.run([&](const SlowLine::Sent &last) {
            // Once both mixers are counted, just after a poll asked for the
            // thresholds and before their reply came.
            if (editedAt < 0 && line.rig.mixers.MixerCount == 2 && last.letters == "TR" && !line.onTheWay.empty()
                && line.rig.clock.now() > last.at) {
                pollAt = last.at;
                editedAt = line.rig.clock.now();
                for (int channel = 1; channel <= 3; ++channel)
                    line.sync.submit(2, channelKeyId(ChannelFamily::InputGain, channel), 30 + channel, Submit::Copy);
            }
        });
        QVERIFY(editedAt > 0);
        QCOMPARE(line.runs, 1);
        QVERIFY(line.count("DS", 0) > 0);
        const SlowLine::Sent *firstWrite = &line.firstWrite();
        // The threshold reply arrived 30 ms after the poll; the write followed
        // at once, long before the next poll (0.4 s after the last).
        QCOMPARE_GE(firstWrite->at, pollAt + SlowLine::ReplyDelay);
        QCOMPARE_LT(firstWrite->at, pollAt + SlowLine::ReplyDelay + 0.02);
        QCOMPARE(line.count("DS", editedAt), 3);
        QCOMPARE(line.count("TR", firstWrite->at), 1); // one read-back
        QCOMPARE(line.count("DR", firstWrite->at), 1);
        for (const SlowLine::Sent &s : line.sent)
            QVERIFY2(!s.overlapped, qPrintable(QStringLiteral("%1 at %2").arg(QString::fromLatin1(s.letters)).arg(s.at)));
        for (int channel = 1; channel <= 3; ++channel)
            QCOMPARE(line.rig.chain->blockByte(2, channelKeyId(ChannelFamily::InputGain, channel)), 30 + channel);
    }

    // A reply that never comes holds the values until the poll stops
    // waiting for it: the next poll, one ReplyTimeUnit after the request.
    void aLostReplyHoldsTheValuesUntilThePollGivesUp()
    {
        SlowLine line;
        double pollAt = -1;
        line.run([&](const SlowLine::Sent &last) {
            if (pollAt < 0 && line.rig.mixers.MixerCount == 2 && last.letters == "AM" && !line.onTheWay.empty()) {
                pollAt = last.at;
                line.onTheWay.clear(); // lost
                line.sync.submit(1, channelKeyId(ChannelFamily::InputGain, 5), 20, Submit::Copy);
            }
        });
        QCOMPARE(line.runs, 1);
        QVERIFY(line.count("DS", 0) > 0);
        const SlowLine::Sent *firstWrite = &line.firstWrite();
        QCOMPARE_GE(firstWrite->at, pollAt + line.rig.link.ReplyTimeUnit);
        QCOMPARE_LT(firstWrite->at, pollAt + line.rig.link.ReplyTimeUnit + 0.02);
    }

    // The transfer of loaded settings, asked for while the poll's reply is
    // on its way, starts once that reply is in: its first request never
    // overlaps the poll's.
    void aTransferWaitsForTheLine()
    {
        SlowLine line;
        double pollAt = -1;
        line.run([&](const SlowLine::Sent &last) {
            if (pollAt < 0 && line.rig.mixers.MixerCount == 2 && last.letters == "TR" && !line.onTheWay.empty()
                && line.rig.clock.now() > last.at) {
                pollAt = last.at;
                line.jobs.request(JobWork::of(JobKind::TransferLoaded));
            }
            if (!line.handlers.works.empty())
                line.jobLoop.stop();
        });
        QVERIFY(pollAt > 0);
        QCOMPARE(line.handlers.works.size(), size_t(1));
        const auto opened = std::find_if(line.handlers.calls.begin(), line.handlers.calls.end(),
                                         [](const auto &c) { return c.what.startsWith(QLatin1String("job(")); });
        QVERIFY(opened != line.handlers.calls.end());
        QCOMPARE_GE(opened->at, pollAt + SlowLine::ReplyDelay);
        QCOMPARE_LT(opened->at, pollAt + SlowLine::ReplyDelay + 0.02);
    }

    void jobsWaitFourTenthsAfterTheLastReset()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.link.ReplyTimeUnit = 5.0; // keep polls out of the way
        double requestedAt = -1;
        w.run([&](double t) {
            if (requestedAt < 0 && t >= 0.1) {
                requestedAt = w.clock.now();
                w.jobs.request(JobWork::of(JobKind::IpSettings));
            }
            if (w.handlers.count("ip") > 0)
                w.jobLoop.stop();
        });
        QCOMPARE(w.handlers.count("ip"), 1);
        const double at = w.handlers.calls.front().at;
        // The loop was reset at the start (t = 0): the job is held until 0.4 s.
        QVERIFY2(at - 100.0 > JobLoop::JobHoldSeconds, qPrintable(QString::number(at)));
        QVERIFY(at - 100.0 < JobLoop::JobHoldSeconds + 0.1);
        QCOMPARE(w.handlers.count("poll"), 0);
    }

    void startupPollsAreDueAtOnceThenSpacedByReplyTimeUnit()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.handlers.maxPolls = 5;
        int startup = 3;
        // The status poll counts StartupPolls down; imitate it.
        w.run([&](double) {
            const int polls = w.handlers.count("poll");
            w.loop.StartupPolls = qint16(std::max(0, startup - polls));
        });
        QCOMPARE(w.handlers.count("poll"), 5);
        const auto &c = w.handlers.calls;
        // The first three follow each other without waiting.
        QVERIFY(c[2].at - c[0].at < 0.2);
        // Afterwards every poll waits ReplyTimeUnit.
        QVERIFY(c[4].at - c[3].at >= w.link.ReplyTimeUnit);
    }

    void offlineNeverPollsButServesRequests()
    {
        LoopWorld w(LinkKind::Offline);
        int stage = 0;
        w.run([&](double) {
            const QStringList n = w.handlers.names();
            if (!w.jobs.empty() && !w.jobs.waiting(JobKind::Quit))
                return;
            switch (stage) {
            case 0: w.jobs.request(JobWork::of(JobKind::ModeChange)); ++stage; break;
            case 1: if (n.contains("panel")) { w.jobs.request(JobWork::of(JobKind::IpSettings)); ++stage; } break;
            case 2: if (n.contains("ip")) ++stage; break;
            case 3:
                w.dialogs.answers.push_back(MsgAnswer::Ok);
                w.jobs.request(JobWork::initialise(1, 8));
                ++stage;
                break;
            case 4: w.jobs.request(JobWork::of(JobKind::Quit)); ++stage; break;
            default: break;
            }
        }, 60.0);
        QCOMPARE(w.handlers.count("poll"), 0);
        QCOMPARE(w.handlers.names(), QStringList({"panel", "ip", "disconnect"}));
        // The initialise request asked for confirmation but sent nothing.
        QCOMPARE(w.dialogs.texts(), QStringList({initialiseConfirmText(8)}));
    }

    void offlineLeavesLinkJobsSet()
    {
        LoopWorld w(LinkKind::Offline);
        w.jobs.request(JobWork::extendedRead());
        w.run(nullptr, 3.0);
        QVERIFY(w.jobs.waiting(JobKind::ExtendedRead));
        QVERIFY(w.handlers.calls.empty());
    }

    void quitFlushesPendingValuesBeforeDisconnecting()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.link.ReplyTimeUnit = 5.0;
        w.handlers.pending = true;
        w.jobs.request(JobWork::of(JobKind::Quit));
        w.run(nullptr);
        QCOMPARE(w.handlers.names(), QStringList({"setdata", "disconnect"}));
    }

    void modeChangeDuringExtendedReadFollowsTheJob()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.link.ReplyTimeUnit = 5.0;
        w.jobs.request(JobWork::extendedRead());
        w.handlers.duringJobWindow = [&] { w.jobs.request(JobWork::of(JobKind::ModeChange)); };
        w.run([&](double) {
            if (w.handlers.count("panel"))
                w.jobLoop.stop();
        });
        QCOMPARE(w.handlers.names(), QStringList({"job(0)", "panel"}));
        QCOMPARE(w.handlers.works.front().kind, JobKind::ExtendedRead);
    }

    void extendedWriteRequestBytesAndReadBack()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.link.ReplyTimeUnit = 5.0;
        w.jobs.request(JobWork::extendedWrite(2));
        w.run([&](double) {
            if (w.handlers.count("job(0)") >= 2)
                w.jobLoop.stop();
        });
        QCOMPARE(w.handlers.works.size(), size_t(2));
        QCOMPARE(w.handlers.works[0].kind, JobKind::ExtendedWrite);
        QCOMPARE(w.handlers.works[0].target, 2);
        // The write is followed by a read-back of the extended data.
        QCOMPARE(w.handlers.works[1].kind, JobKind::ExtendedRead);
    }

    void requestsWaitInOrderAndNoneOverwritesAnother()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.link.ReplyTimeUnit = 5.0;
        w.jobs.request(JobWork::extendedWrite(1));
        w.jobs.request(JobWork::of(JobKind::IpSettings));
        w.jobs.request(JobWork::extendedWrite(1)); // the same work waits once
        // Asked for while the write runs: another job follows the read-back;
        // the same write is the request already running.
        w.handlers.duringJobWindow = [&] {
            if (w.handlers.works.size() != 1)
                return;
            w.jobs.request(JobWork::of(JobKind::DirectRead));
            w.jobs.request(JobWork::extendedWrite(1));
        };
        w.run([&](double) {
            if (w.jobs.empty())
                w.jobLoop.stop();
        });
        QCOMPARE(w.handlers.names(), QStringList({"job(0)", "job(0)", "ip", "direct read"}));
        QCOMPARE(w.handlers.works[1].kind, JobKind::ExtendedRead);
        // Each waits the 0.4 s after the one before.
        for (size_t i = 1; i < w.handlers.calls.size(); ++i)
            QVERIFY(w.handlers.calls[i].at - w.handlers.calls[i - 1].at > JobLoop::JobHoldSeconds);
    }

    void offlineLinkJobsWaitWithoutHoldingBackOthers()
    {
        LoopWorld w(LinkKind::Offline);
        w.jobs.request(JobWork::extendedRead());
        w.jobs.request(JobWork::of(JobKind::ModeChange));
        w.run([&](double) {
            if (w.handlers.count("panel"))
                w.jobLoop.stop();
        });
        QCOMPARE(w.handlers.names(), QStringList({"panel"}));
        QVERIFY(w.jobs.waiting(JobKind::ExtendedRead));
    }

    void aHeldPollResumesWhenReleased()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        std::optional<PollHold> hold(std::in_place, w.jobs.pollHolds());
        w.handlers.maxPolls = 1;
        double releasedAt = 0;
        w.run([&](double t) {
            if (t > 3.0 && hold) {
                hold.reset();
                releasedAt = w.clock.now();
            }
        });
        QCOMPARE(w.handlers.count("poll"), 1);
        QVERIFY(w.handlers.calls.front().at > releasedAt);
        QVERIFY(w.handlers.calls.front().at - releasedAt < w.link.ReplyTimeUnit + 0.1);
    }

    void aCommandsJobDrainsTheLineOnlyWhenNothingWaits()
    {
        JobQueue q;
        int drains = 0;
        q.setDrain([&] { ++drains; });
        q.request(JobWork::of(JobKind::TransferLoaded)); // the program's own step
        QCOMPARE(drains, 0);
        QVERIFY(q.withdraw(JobKind::TransferLoaded));
        q.request(JobWork::extendedRead());
        q.request(JobWork::of(JobKind::IpSettings)); // the read waits: no drain
        QCOMPARE(drains, 1);
        q.request(JobWork::firmware(DownloadKind::Fpga)); // a download always drains
        QCOMPARE(drains, 2);
        QVERIFY(!q.idle());
        q.clear();
        {
            PollHold held(q.pollHolds());
            QVERIFY(!q.idle());
            q.request(JobWork::of(JobKind::DirectRead));
            QCOMPARE(drains, 2);
        }
        QVERIFY(q.take(JobWork::of(JobKind::DirectRead)));
        QVERIFY(q.idle() && !q.pollHeld());
    }

    void initialiseConfirmationTexts_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("text");
        QTest::newRow("channel 3") << 2 << QStringLiteral("チャンネル 3の設定値を初期化します");
        QTest::newRow("all channels") << 8 << QStringLiteral("全てのチャンネルの設定値を初期化します");
        QTest::newRow("gate group") << 11 << QStringLiteral("ゲート処理関連の設定値を初期化します");
        QTest::newRow("extended 2") << 17 << QStringLiteral("拡張データ 2の設定値を初期化します");
        QTest::newRow("extended 3, no space") << 20 << QStringLiteral("拡張データ3の設定値を初期化します");
        QTest::newRow("undefined") << 13 << QString();
    }
    void initialiseConfirmationTexts()
    {
        QFETCH(int, target);
        QFETCH(QString, text);
        QCOMPARE(initialiseConfirmText(target), text);
    }

    void cancelledInitialiseSendsNothing()
    {
        LoopWorld w(LinkKind::Ethernet);
        w.loop.StartupPolls = 0;
        w.link.ReplyTimeUnit = 5.0;
        w.jobs.request(JobWork::initialise(1, 16));
        w.dialogs.answers.push_back(MsgAnswer::Cancel);
        w.run([&](double) {
            if (!w.dialogs.shown.empty())
                w.jobLoop.stop();
        });
        QVERIFY(w.jobs.empty());
        QCOMPARE(w.handlers.count("job(0)"), 0);
        QCOMPARE(w.dialogs.shown.front().icon, MsgIcon::Warning);
        QVERIFY(w.dialogs.shown.front().title.isEmpty());
    }
};

ZK_TEST_GUILESS_MAIN(TestJobLoop)
#include "tst_jobloop.moc"
