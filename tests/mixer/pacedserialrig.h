#pragma once

// A chain of virtual mixers behind a pseudo-terminal paced like a real serial
// line (ten bits a byte at the given rate, both directions), reached through
// the program's own RS-232C transport on the real clock, with the program's
// own job loop: a status poll every ReplyTimeUnit, SetData as soon as a poll
// finds values waiting. The line counts the bytes it carries, so a figure can
// be set against the time the line itself needs. Shared by the serial
// end-to-end tests and the benchmark of a long chain.

#include "app/jobloop.h"
#include "app/jobs.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/mixersync.h"
#include "sim/simchain.h"
#include "sim/simserial.h"

#include <QTimer>

#include <functional>
#include <memory>

class PacedSerialRig : public JobHandlers
{
public:
    PacedSerialRig(int mixerCount, int bitsPerSecond) : chain(chainOptions(mixerCount)), serial(chain)
    {
        link.linkKind = LinkKind::Rs232c;
        QString error;
        ready = serial.open(error) && serial.setLineRate(bitsPerSecond);
        rate = bitsPerSecond;
        LinkEndpoints endpoints;
        endpoints.serialPort = serial.slavePath();
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(endpoints));
        sync = std::make_unique<MixerSync>(*comm, loop, mixers);
        QObject::connect(&sync->events(), &SyncEvents::runFinished, [this] {
            if (afterSetData)
                afterSetData(sync->lastOutcome());
            check();
        });
    }

    // Opens the link as the program's connect step does; the first reply
    // counts the mixers.
    bool connect()
    {
        if (!ready || !comm->CommOpen())
            return false;
        link.ReplyTimeUnit = StatusPoll::MinReplyTimeUnit;
        sync->resetForConnect();
        sync->CheckAccess();
        mixers.MixerCount = 1; // until the first status reply, as at start-up
        return true;
    }

    // Runs the job loop until done() holds (checked after every poll and
    // SetData run, and every 20 ms) or `limit` seconds passed.
    bool runUntil(const std::function<bool()> &done, double limit)
    {
        m_done = done;
        JobLoop jobLoop(loop, jobs, link, clock, dialogs, *this, *sync);
        m_loop = &jobLoop;
        const double end = clock.now() + limit;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (m_done() || clock.now() > end)
                jobLoop.stop();
        });
        watch.start(20);
        if (!m_done())
            jobLoop.run();
        m_loop = nullptr;
        return m_done();
    }

    // Line bytes both ways since the link opened, and their time on the line.
    qint64 lineBytes() const { return serial.line().bytesFromPc() + serial.line().bytesToPc(); }
    double lineSeconds(qint64 bytes) const { return double(bytes) * SimLine::BitsPerByte / rate; }

    // JobHandlers: no windows here; each poll and each write run (through
    // SyncEvents) is checked.
    void afterPoll() override
    {
        if (afterEachPoll)
            afterEachPoll();
        check();
    }
    void runDownload(DownloadKind) override {}
    // The job window's work without the window (the transfer of a loaded file).
    void showJobWindow(const JobWork &work, PlaceMode) override
    {
        MixerProtocol protocol(*comm);
        const auto setData = [this](SendScope scope) {
            sync->writeLoaded(scope);
            return sync->lastOutcome();
        };
        JobRunner runner(JobContext{link, mixers, dialogs, protocol, nullptr, {}, {}, setData, nullptr});
        jobsRun += runner.run(work) ? 1 : 0;
    }
    bool jobWindowVisible() const override { return false; }
    void showDirect(bool) override {}
    void showIpSettings() override {}
    void showPanel() override {}
    void Disconnect() override
    {
        if (m_loop)
            m_loop->stop();
    }

    std::function<void()> afterEachPoll;
    std::function<void(const SetDataOutcome &)> afterSetData;

    SystemClock clock;
    ScriptedDialogs dialogs;
    LinkState link;
    LoopState loop;
    JobQueue jobs;
    MixerState mixers;
    SimChain chain;
    SimSerialFront serial;
    std::unique_ptr<MdlComm> comm;
    std::unique_ptr<MixerSync> sync;
    bool ready = false;
    int rate = 0;
    int jobsRun = 0; // jobs of the job window that succeeded

private:
    static SimOptions chainOptions(int mixers)
    {
        SimOptions o;
        o.mixers = mixers;
        return o;
    }
    void check()
    {
        if (m_loop && m_done && m_done())
            m_loop->stop();
    }

    JobLoop *m_loop = nullptr;
    std::function<bool()> m_done;
};
