#pragma once

// The remote soak: switches through the interface, one at a time, against
// an independent virtual mixer program on loopback TCP that loses replies.
// Half-way the mixer program is killed; after an outage it starts again on
// the same port holding other switches, and the program, with its reconnect
// option on, finds it again. Each answer is judged against what the mixer
// program holds at that moment, learnt from the writes it logs as they
// arrive: a 200 must never claim a switch the mixer does not hold. Shared by
// tst_remoteprogram (a short run) and bench_remotesoak (the long one).

#include "app/ui/remoteoperation.h"
#include "base/strings.h"
#include "mixer/mixersync.h"
#include "panel/ui/frmmdi.h"
#include "remote/remoteserver.h"
#include "sim/simchain.h"
#include "tests/remote/remoteclient.h"
#include "tests/support/programrig.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <csignal>
#include <vector>

struct RemoteSoakPlan
{
    int switches = 300;
    int mixers = 2;
    double drop = 0.1;
    // Seconds the mixer program is away: longer than ten silent polls, after
    // which a link that does not know it is down takes the mixers as gone.
    double outage = 6.0;
    quint32 seed = 5;
    double secondsLimit = 900;
};

struct RemoteSoakFigures
{
    int switches = 0;
    int verified = 0;       // 200
    int failed = 0;         // 504
    int outOfReach = 0;     // 503 link-down
    int other = 0;          // any other answer
    int pressedNothing = 0; // switches to the state the panel showed
    int statusReads = 0;    // during the outage
    int statusDown = 0;     // of them, saying the link is not connected
    int differing = 0;      // at the end: panel switches the mixer does not hold
    double backAfter = -1;  // seconds from the restart to the first 200
    double seconds = 0;
    std::vector<double> verifiedMs; // answer times of the 200s
    QStringList wrong;      // 200s for a switch the mixer did not hold
    QStringList notes;      // what else went wrong
    bool finished = false;

    double percentileMs(double p) const
    {
        if (verifiedMs.empty())
            return 0;
        std::vector<double> v = verifiedMs;
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
    }
    QString summary() const
    {
        return QStringLiteral("%1 switches in %2 s: %3 answered 200 (%4 pressed nothing), %5 504, %6 503 "
                              "link-down, %7 other; 200 in %8 ms median, %9 ms at 95 %; back %10 s after the "
                              "restart; status said disconnected %11 of %12 times in the outage; "
                              "%13 answers claimed what the mixer did not hold; %14 switches differed at the end")
            .arg(switches).arg(seconds, 0, 'f', 1).arg(verified).arg(pressedNothing).arg(failed).arg(outOfReach)
            .arg(other).arg(percentileMs(0.5), 0, 'f', 0).arg(percentileMs(0.95), 0, 'f', 0)
            .arg(backAfter, 0, 'f', 1).arg(statusDown).arg(statusReads).arg(wrong.size())
            .arg(differing);
    }
};

// The virtual mixer program, started without waiting, with the switches it
// holds followed from the writes it logs.
class SoakMixer
{
public:
    SoakMixer()
    {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] { readLines(); });
    }
    ~SoakMixer() { kill(); }

    static QString binary()
    {
        return qEnvironmentVariable("ZKVR340A_BIN_DIR", QCoreApplication::applicationDirPath())
               + QStringLiteral("/zkvr340a-sim");
    }

    // `port` 0: the system chooses. `startOn`: every channel of mixer 1
    // starts switched on (the other settings a restarted mixer may hold).
    void start(quint16 port, const RemoteSoakPlan &plan, bool startOn)
    {
        m_ready = false;
        m_held.fill({});
        const auto factory = SimChain::factoryBlock();
        for (auto &mixer : m_held)
            std::copy(factory.begin(), factory.end(), mixer.begin());
        QStringList args{"--tcp", QStringLiteral("127.0.0.1:%1").arg(port), "--mixers", QString::number(plan.mixers),
                         "--drop", QString::number(plan.drop), "--seed", QString::number(plan.seed + port),
                         "--log-writes"};
        for (int c = 1; startOn && c <= ChannelCount; ++c) {
            args << "--set" << QStringLiteral("1:Override_%1=1").arg(c) << "--set" << QStringLiteral("1:Mute_%1=0").arg(c);
            m_held[1][size_t(channelKeyId(ChannelFamily::RemoteOn, c) - 1)] = 1;
            m_held[1][size_t(channelKeyId(ChannelFamily::RemoteOff, c) - 1)] = 0;
        }
        m_process.start(binary(), args);
    }
    // Waits for the ready line (before the program runs only).
    bool waitReady()
    {
        for (int i = 0; i < 100 && !m_ready && m_process.state() != QProcess::NotRunning; ++i)
            m_process.waitForReadyRead(100);
        return m_ready;
    }
    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
        m_ready = false;
    }
    bool running() const { return m_ready && m_process.state() == QProcess::Running; }
    quint16 port() const { return m_port; }

    // Whether the mixer holds channel `c` of mixer `m` switched on (RemoteOn
    // 1, RemoteOff 0) or off (0, 1), taking in every write logged so far.
    bool holds(int m, int c, bool on)
    {
        m_process.waitForReadyRead(0);
        const auto &block = m_held[size_t(m)];
        return block[size_t(channelKeyId(ChannelFamily::RemoteOn, c) - 1)] == (on ? 1 : 0)
               && block[size_t(channelKeyId(ChannelFamily::RemoteOff, c) - 1)] == (on ? 0 : 1);
    }

private:
    void readLines()
    {
        m_pending += m_process.readAllStandardOutput();
        for (int end = int(m_pending.indexOf('\n')); end >= 0; end = int(m_pending.indexOf('\n'))) {
            const QList<QByteArray> words = m_pending.left(end).trimmed().split(' ');
            m_pending.remove(0, end + 1);
            if (words.value(0) == "ready") {
                for (const QByteArray &w : words)
                    if (w.startsWith("tcp="))
                        m_port = quint16(w.mid(int(w.lastIndexOf(':')) + 1).toUInt());
                m_ready = true;
            } else if (words.size() >= 5 && words[0] == "write" && words[1] == "DS") {
                const int mixer = words[2].toInt(nullptr, 16);
                const int key = words[3].toInt(nullptr, 16);
                if (mixer >= 1 && mixer <= MaxMixers && key >= 1 && key <= DataBlockSize)
                    m_held[size_t(mixer)][size_t(key - 1)] = quint8(words[4].toInt(nullptr, 16));
            }
        }
    }

    QProcess m_process;
    QByteArray m_pending;
    bool m_ready = false;
    quint16 m_port = 0;
    std::array<std::array<quint8, DataBlockSize>, MixerSlots> m_held{};
};

class RemoteSoak
{
public:
    explicit RemoteSoak(RemoteSoakPlan plan) : m_plan(plan), m_random(plan.seed) {}

    RemoteSoakFigures run()
    {
        m_mixer.start(0, m_plan, false);
        if (!m_mixer.waitReady()) {
            m_figures.notes << QStringLiteral("the virtual mixer program did not start");
            return m_figures;
        }
        writeIni(QStringLiteral("127.0.0.1"), "Reconnect=1\r\n");
        qputenv("ZKVR340A_LINK", "ethernet");
        qputenv("ZKVR340A_TCP_PORT", QByteArray::number(m_mixer.port()));
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        m_world = &world;
        m_program = &program;
        QElapsedTimer since;
        since.start();
        m_since = &since;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, m_plan.secondsLimit, [this] { return step(); }, done);
        program.run();
        delete driver.data();
        qunsetenv("ZKVR340A_TCP_PORT");
        m_figures.finished = done;
        m_figures.seconds = since.elapsed() / 1000.0;
        for (const auto &shown : dialogs.shown)
            if (shown.text.startsWith(str(10343)))
                m_figures.notes << QStringLiteral("asked about a fallen link count");
        for (const ButtonRef &b : m_buttons) {
            const ButtonSlot &slot = world.panel.slot(b.mixer, b.slot);
            if (!slot.IconEnable)
                m_figures.notes << QStringLiteral("button %1/%2 gone").arg(b.mixer).arg(b.slot);
        }
        m_mixer.kill();
        return m_figures;
    }

private:
    enum class Stage { Live, Design, Executing, Switching, Ending };

    double now() const { return m_since->elapsed() / 1000.0; }
    bool nothingWaits() const
    {
        for (int m = 1; m <= m_plan.mixers; ++m)
            if (m_world->mixers.anyPending(m))
                return false;
        return true;
    }

    bool step()
    {
        Application &program = *m_program;
        switch (m_stage) {
        case Stage::Live: {
            if (m_world->mixers.MixerCount != m_plan.mixers || m_world->loop.StartupPolls != 0
                || !program.mainWindow()->action("MenModeChange")->isEnabled())
                return false;
            QString error;
            if (!program.remote()->server()->start("127.0.0.1", 0, m_tokens, error)) {
                m_figures.notes << error;
                return true;
            }
            m_api.setPort(program.remote()->server()->port());
            program.mainWindow()->action("MenModeChange")->trigger();
            m_stage = Stage::Design;
            return false;
        }
        case Stage::Design:
            if (!program.panelWindow() || !program.panelWindow()->isVisible() || !nothingWaits())
                return false;
            layOutButtons();
            program.panelWindow()->action(PanelCommand::Execution)->trigger();
            m_stage = Stage::Executing;
            return false;
        case Stage::Executing:
            if (!program.panelWindow()->executing() || !nothingWaits())
                return false;
            m_stage = Stage::Switching;
            return false;
        case Stage::Switching:
            return switching();
        case Stage::Ending:
            // The panel's switches written again where the restarted mixer
            // held others, and every write settled.
            if (!m_api.allDone() || !nothingWaits() || !program.sync()->mixersCurrent())
                return false;
            // Judged while the program runs: its end gives the channels back.
            countDiffering();
            return true;
        }
        return false;
    }

    void countDiffering()
    {
        for (const ButtonRef &b : m_buttons) {
            const ButtonSlot &slot = m_world->panel.slot(b.mixer, b.slot);
            if (slot.IconEnable && !m_mixer.holds(b.mixer + 1, b.slot + 1, slot.IconOnOff))
                ++m_figures.differing;
        }
    }

    void layOutButtons()
    {
        PanelState &panel = m_world->panel;
        for (int m = 0; m < m_plan.mixers; ++m) {
            for (int slot = 0; slot < ChannelCount; ++slot) {
                ButtonSlot &b = panel.slot(m, slot);
                b.IconEnable = true;
                b.IconLeft = 1500 * slot;
                b.IconTop = 1500 * m;
                b.IconWidth = b.IconHeight = 1400;
                b.IconText = QStringLiteral("%1-%2").arg(m + 1).arg(slot + 1);
                ++panel.IconNum;
                m_buttons.push_back({m, slot});
            }
        }
    }

    bool switching()
    {
        if (m_inFlight && !judge())
            return false;
        if (m_figures.switches == m_plan.switches / 2 && !m_killed) {
            m_mixer.kill();
            m_killed = true;
            m_killedAt = now();
            return false;
        }
        if (m_killed && !m_restarted) {
            readStatusInOutage();
            if (now() - m_killedAt >= m_plan.outage) {
                m_mixer.start(m_mixer.port(), m_plan, true);
                m_restarted = true;
                m_restartedAt = now();
            }
        }
        if (m_figures.switches == m_plan.switches) {
            m_stage = Stage::Ending;
            return false;
        }
        // Out of reach the answers come at once: a tap a second meanwhile.
        if (m_lastStatus == 503 && now() - m_sentAt < 1.0)
            return false;
        sendSwitch();
        return false;
    }

    void sendSwitch()
    {
        m_mixerNo = 1 + int(m_random.bounded(m_plan.mixers));
        m_channel = 1 + int(m_random.bounded(ChannelCount));
        m_on = m_random.bounded(2) == 1;
        if (m_world->panel.slot(m_mixerNo - 1, m_channel - 1).IconOnOff == m_on)
            ++m_figures.pressedNothing;
        m_name = QStringLiteral("switch %1").arg(++m_figures.switches);
        m_api.send(m_name, "POST", QStringLiteral("/api/v1/mixers/%1/channels/%2").arg(m_mixerNo).arg(m_channel),
                   m_tokens.operate, m_on ? R"({"on": true})" : R"({"on": false})");
        m_inFlight = true;
        m_sentAt = now();
    }

    bool judge()
    {
        if (!m_api.done(m_name))
            return false;
        m_inFlight = false;
        const ApiAnswer &a = m_api.answers[m_name];
        m_lastStatus = a.status;
        switch (a.status) {
        case 200:
            ++m_figures.verified;
            m_figures.verifiedMs.push_back(a.ms);
            if (m_restarted && m_figures.backAfter < 0)
                m_figures.backAfter = now() - m_restartedAt;
            if (!m_mixer.running() || !m_mixer.holds(m_mixerNo, m_channel, m_on))
                m_figures.wrong << QStringLiteral("%1: 200 for mixer %2 channel %3 %4")
                                       .arg(m_name).arg(m_mixerNo).arg(m_channel).arg(m_on ? "on" : "off");
            break;
        case 504:
            ++m_figures.failed;
            break;
        case 503:
            ++m_figures.outOfReach;
            break;
        default:
            ++m_figures.other;
            m_figures.notes << QStringLiteral("%1: %2 %3").arg(m_name).arg(a.status).arg(QString::fromUtf8(a.body));
            break;
        }
        return true;
    }

    // While the mixer program is away the status must say the link is not
    // connected, a few times a second.
    void readStatusInOutage()
    {
        auto name = [](int n) { return QStringLiteral("status %1").arg(n); };
        for (; m_statusJudged < m_statusSent && m_api.done(name(m_statusJudged)); ++m_statusJudged) {
            ++m_figures.statusReads;
            if (!m_api.answers[name(m_statusJudged)].json()["link"].toObject()["connected"].toBool(true))
                ++m_figures.statusDown;
        }
        if (now() - m_statusAt < 0.25)
            return;
        m_statusAt = now();
        m_api.send(name(m_statusSent++), "GET", "/api/v1/status", m_tokens.watch);
    }

    RemoteSoakPlan m_plan;
    QRandomGenerator m_random;
    SoakMixer m_mixer;
    RemoteSoakFigures m_figures;
    RemoteTokens m_tokens = RemoteTokens::generate();
    ApiClient m_api;
    World *m_world = nullptr;
    Application *m_program = nullptr;
    const QElapsedTimer *m_since = nullptr;
    Stage m_stage = Stage::Live;
    std::vector<ButtonRef> m_buttons;
    bool m_inFlight = false;
    QString m_name;
    int m_mixerNo = 1;
    int m_channel = 1;
    bool m_on = false;
    double m_sentAt = 0;
    bool m_killed = false;
    bool m_restarted = false;
    double m_killedAt = 0;
    double m_restartedAt = 0;
    int m_lastStatus = 0;
    int m_statusSent = 0;
    int m_statusJudged = 0;
    double m_statusAt = 0;
};
