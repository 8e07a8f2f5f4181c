#pragma once

// The fault soak: edits made at random moments, as a user makes them, while
// the program's own job loop polls the virtual mixer chain and writes with
// verification, through a real transport (a pseudo-terminal carrying the
// serial block protocol, or loopback TCP) with faults injected on the mixer's
// side. Each edit must end either verified (its flag cleared by a run that
// gave no failure message) or reported (message 1803, or the link failure);
// a value taken as verified must be what the mixer really holds, both when
// its run ends and when the soak ends. Shared by tst_soak (a short run in the
// test command) and bench_soak (the long run, with its figures).

#include "app/jobloop.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/linkwatch.h"
#include "mixer/mixersync.h"
#include "sim/simchain.h"
#include "sim/simserial.h"
#include "sim/simtcp.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

struct SoakPlan
{
    LinkKind link = LinkKind::Rs232c; // Rs232c (a pty) or Ethernet (loopback TCP)
    int edits = 100;
    SimOptions mixer;                 // chain size and the faults it injects
    int cutAfter = 0;                 // Ethernet: the mixer drops each connection at its N-th request
    bool cutOnce = false;             // Ethernet: the mixer drops the connection once, half-way
    bool reconnect = false;           // Ethernet: the program re-establishes a lost connection
    double secondsLimit = 600;
};

struct SoakFigures
{
    int edits = 0;
    int verified = 0;        // flag cleared by a run that reported nothing
    int reported = 0;        // the run ended in message 1803, or the link failure was shown
    int superseded = 0;      // edited again before its run ended: the newer value counts
    int runs = 0;            // SetData runs
    int gaveUp = 0;          // runs that ended in message 1803
    int maxPasses = 0;
    int linkFailures = 0;    // link failure messages shown
    int cuts = 0;            // connections the mixer dropped
    double seconds = 0;
    double slowest = 0;      // longest edit-to-outcome time
    bool finished = false;   // every edit reached its outcome within the time limit
    QStringList wrong;       // values taken as verified that the mixer does not hold

    QString summary() const
    {
        return QStringLiteral("%1 edits in %2 s: %3 verified, %4 reported, %5 superseded; %6 SetData runs "
                              "(%7 gave up, at most %8 passes); %9 link failures, %10 connections dropped; "
                              "slowest edit %11 s; %12 wrongly verified")
            .arg(edits).arg(seconds, 0, 'f', 1).arg(verified).arg(reported).arg(superseded).arg(runs)
            .arg(gaveUp).arg(maxPasses).arg(linkFailures).arg(cuts).arg(slowest, 0, 'f', 2).arg(wrong.size());
    }
};

class SoakRig : public JobHandlers
{
    SoakPlan m_plan; // first: the chain is built from it

public:
    explicit SoakRig(SoakPlan plan)
        : m_plan(std::move(plan)), chain(m_plan.mixer), m_random(m_plan.mixer.seed)
    {
        link.linkKind = m_plan.link;
    }

    // Opens the link and runs the loop until every edit has its outcome.
    SoakFigures run()
    {
        if (!openLink())
            return m_figures;
        sync = std::make_unique<MixerSync>(*comm, loop, mixers);
        QObject::connect(&sync->events(), &SyncEvents::runFinished, [this] {
            judgeRun(sync->lastOutcome());
            checkDone();
        });
        sync->resetForConnect();
        sync->CheckAccess();
        mixers.MixerCount = 1; // until the first status reply, as at start-up
        if (m_tcp && !m_plan.cutOnce)
            m_tcp->setCutAfter(m_plan.cutAfter);
        JobLoop jobLoop(loop, jobs, link, clock, dialogs, *this, *sync);
        m_loop = &jobLoop;
        m_start = clock.now();
        scheduleNextEdit();
        jobLoop.run();
        m_loop = nullptr;
        m_figures.seconds = clock.now() - m_start;
        // Whatever was taken as verified must still be there at the end.
        for (const auto &[key, value] : m_lastVerified)
            if (held(key.first, key.second) != value)
                m_figures.wrong << describe(key.first, key.second, value, QStringLiteral("at the end"));
        if (m_tcp)
            m_figures.cuts = m_tcp->cuts();
        return m_figures;
    }

    // JobHandlers: the soak needs no windows; each poll and each write run
    // (through SyncEvents) may end it.
    void afterPoll() override { checkDone(); }
    void runDownload(DownloadKind) override {}
    void showJobWindow(const JobWork &, PlaceMode) override {}
    bool jobWindowVisible() const override { return false; }
    void showDirect(bool) override {}
    void showIpSettings() override {}
    void showPanel() override {}
    void Disconnect() override { stop(); }

    SystemClock clock;
    ScriptedDialogs dialogs;
    LinkState link;
    LoopState loop;
    JobQueue jobs;
    MixerState mixers;
    SimChain chain;
    std::unique_ptr<SimSerialFront> serial;
    std::unique_ptr<MdlComm> comm;
    std::unique_ptr<MixerSync> sync;
    // Set before run() to change how the link is opened (the reconnect option).
    LinkEndpoints endpoints;

private:
    struct Edit
    {
        qint32 value = 0;
        double at = 0;
    };
    using Key = std::pair<int, int>; // mixer, key id

    bool openLink()
    {
        QString error;
        if (m_plan.link == LinkKind::Rs232c) {
            serial = std::make_unique<SimSerialFront>(chain);
            if (!serial->open(error))
                return false;
            endpoints.serialPort = serial->slavePath();
        } else {
            m_tcp = std::make_unique<SimTcpFront>(chain);
            if (!m_tcp->listen(QStringLiteral("127.0.0.1"), 0, error))
                return false;
            endpoints.tcpPort = m_tcp->port();
            endpoints.connectLimitSeconds = 5.0;
            endpoints.chooseEthernetAddress = [](bool &userChose) {
                userChose = true;
                return QStringLiteral("127.0.0.1");
            };
        }
        endpoints.reconnect.enabled = m_plan.reconnect;
        comm = std::make_unique<MdlComm>(link, clock, dialogs, endpoints);
        // As in the program: a connection lost for good is reported once.
        comm->onLinkStatus = [this](const MdlComm::LinkStatus &s) { m_watch.changed(s); };
        return comm->CommOpen();
    }

    // Settings a user edits whose read-back is compared for every mixer:
    // channel values, the output values and the threshold.
    int randomKey()
    {
        static const ChannelFamily families[] = {ChannelFamily::InputLevel, ChannelFamily::HeadAmp,
                                                 ChannelFamily::LowCutFil, ChannelFamily::ThresholdObj,
                                                 ChannelFamily::InputGain, ChannelFamily::RemoteOn,
                                                 ChannelFamily::RemoteOff};
        const int pick = int(m_random.bounded(int(std::size(families)) + 5));
        if (pick < int(std::size(families)))
            return channelKeyId(families[pick], 1 + int(m_random.bounded(ChannelCount)));
        if (pick == int(std::size(families)))
            return MixerKey::Threshold;
        return MixerKey::OutputLevel + pick - int(std::size(families)) - 1; // 73..76
    }

    void edit()
    {
        // Mostly a setting not waiting for its outcome; now and then one that
        // is, which the newer value replaces (even during its run).
        int mixer = 0;
        int key = 0;
        for (int attempt = 0; attempt < 4 && (mixer == 0 || m_open.count({mixer, key})); ++attempt) {
            mixer = 1 + int(m_random.bounded(m_plan.mixer.mixers));
            key = randomKey();
        }
        const qint32 old = mixers.MixerSetData[size_t(mixer)].value(key);
        const int range = key == MixerKey::Threshold ? 0x8000 : 256;
        const qint32 value = (old + 1 + int(m_random.bounded(range - 1))) % range;
        if (m_open.count({mixer, key}))
            ++m_figures.superseded;
        sync->submit(mixer, key, value, Submit::Copy);
        m_open[{mixer, key}] = Edit{value, clock.now()};
        ++m_figures.edits;
    }

    void scheduleNextEdit()
    {
        // A few edits at once, then a pause of 0.1 to 1.2 s: some runs end
        // between bursts, some take in the next burst while they write.
        const int gap = int(m_random.bounded(100, 1200));
        QTimer::singleShot(gap, [this] {
            if (!m_loop)
                return;
            // Edits start once the mixers are known, as the editor shows them.
            if (m_started || (loop.StartupPolls == 0 && mixers.MixerCount == m_plan.mixer.mixers)) {
                m_started = true;
                if (m_tcp && m_plan.cutOnce && m_figures.edits >= m_plan.edits / 2 && m_tcp->cuts() == 0) {
                    // Half-way: once the edits so far have their outcome, the
                    // mixer drops the connection; the rest are made after.
                    if (m_open.empty())
                        m_tcp->cutConnections();
                } else {
                    const int burst = 1 + int(m_random.bounded(3));
                    for (int i = 0; i < burst && m_figures.edits < m_plan.edits; ++i)
                        edit();
                }
            }
            if (m_figures.edits < m_plan.edits)
                scheduleNextEdit();
        });
    }

    qint32 held(int mixer, int key) const
    {
        return key == MixerKey::Threshold ? chain.threshold(mixer) & 0x7FFF : chain.blockByte(mixer, key);
    }

    static QString describe(int mixer, int key, qint32 value, const QString &when)
    {
        return QStringLiteral("mixer %1 key %2 = %3 verified, not held %4").arg(mixer).arg(key).arg(value).arg(when);
    }

    void judgeRun(const SetDataOutcome &outcome)
    {
        ++m_figures.runs;
        m_figures.maxPasses = std::max(m_figures.maxPasses, outcome.passes);
        if (outcome.gaveUp)
            ++m_figures.gaveUp;
        const bool linkFailed = m_figures.linkFailures > 0;
        for (auto it = m_open.begin(); it != m_open.end();) {
            const auto [mixer, key] = it->first;
            if (mixers.waiting(mixer, key)) {
                ++it;
                continue;
            }
            const Edit &e = it->second;
            m_figures.slowest = std::max(m_figures.slowest, clock.now() - e.at);
            if (outcome.gaveUp || linkFailed) {
                ++m_figures.reported;
                m_lastVerified.erase(it->first);
            } else {
                ++m_figures.verified;
                m_lastVerified[it->first] = e.value;
                if (held(mixer, key) != e.value)
                    m_figures.wrong << describe(mixer, key, e.value, QStringLiteral("after its run"));
            }
            it = m_open.erase(it);
        }
    }

    void checkDone()
    {
        m_figures.linkFailures = countLinkFailures();
        const bool allEdited = m_figures.edits >= m_plan.edits;
        if (allEdited && m_open.empty()) {
            m_figures.finished = true;
            stop();
        } else if (clock.now() - m_start > m_plan.secondsLimit) {
            stop();
        }
    }

    int countLinkFailures() const
    {
        const QString lost = str(LinkLostMessage);
        return int(std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                                 [&](const ScriptedDialogs::Shown &s) { return s.text == lost; }));
    }

    void stop()
    {
        if (m_loop)
            m_loop->stop();
    }

    static constexpr int LinkLostMessage = 10755;
    std::unique_ptr<SimTcpFront> m_tcp;
    TimeOfDay m_timeOfDay{clock};
    LinkWatch m_watch{dialogs, m_timeOfDay, {}};
    QRandomGenerator m_random;
    JobLoop *m_loop = nullptr;
    bool m_started = false;
    double m_start = 0;
    std::map<Key, Edit> m_open;          // edits waiting for their outcome
    std::map<Key, qint32> m_lastVerified; // the value each setting was last verified at
    SoakFigures m_figures;
};
