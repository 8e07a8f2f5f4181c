// The meeting console at rest: a panel of 144 seats, 32 of them on with
// their speaking times running, left alone for a while. How much of a core
// the window takes (the once-a-second work: the console follows the time,
// only the buttons whose text changed repaint), and how many buttons repaint
// a second. Offscreen; the switches are verified by a stand-in for the
// mixers' synchronisation that verifies whatever waits.

#include "bench/panel/fullpanel.h"
#include "mixer/syncstatus.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

// Verifies every switch that waits, as a write run with read-back would.
class VerifyingSync final : public SyncStatus
{
public:
    explicit VerifyingSync(MixerState &mixers) : m_mixers(mixers) {}
    void verifyAll()
    {
        std::vector<std::pair<int, int>> sent;
        for (int m = 1; m <= MaxMixers; ++m)
            for (int id = 1; id < PendingFlagCount; ++id)
                if (m_mixers.waiting(m, id))
                    sent.emplace_back(m, id);
        m_mixers.clearPending();
        for (const auto &[m, id] : sent) {
            m_mixers.MixerData[size_t(m)].setValue(id, m_mixers.MixerSetData[size_t(m)].value(id));
            emit m_events.valueStateChanged(m, id);
        }
    }
    ValueStatus valueStatus(int mixer, int id) const override
    {
        return {m_mixers.waiting(mixer, id) ? ValueState::Waiting : ValueState::Verified, 0, 0, 1};
    }
    SyncEvents &events() override { return m_events; }
    bool dataFresh(int) const override { return true; }
    bool thresholdsFresh(int) const override { return true; }
    bool dataReceived() const override { return true; }
    double ambientLevel() const override { return 0; }
    int passCount() const override { return 0; }
    bool mixersCurrent() const override { return true; }
    void editorOpened(int) override {}
    void forgetReceived() override {}
    void dismissFailure(int, int) override {}

protected:
    MixerState &records() override { return m_mixers; }
    void awaitFreshData(int) override {}
    void awaitFreshThresholds(int) override {}
    void restartRetries() override {}

private:
    MixerState &m_mixers;
    SyncEvents m_events;
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Counts the execution buttons' repaints.
class PaintCounter final : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && qobject_cast<FrmExeIcon *>(o)) {
            ++paints;
        }
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Arguments: seconds at rest (20), seats speaking (32; 0 for the panel's
    // own rest to compare with).
    const int idleSeconds = argc > 1 ? std::max(2, atoi(argv[1])) : 20;
    const int speaking = argc > 2 ? std::clamp(atoi(argv[2]), 0, 64) : 32;
    OfflinePanelBench bench(placeEveryButton);
    VerifyingSync sync(bench.mixers);
    PanelWindowContext ctx = bench.context();
    ctx.sync = &sync;
    FrmMdi w(ctx);
    w.resize(1280, 800);
    w.show();
    w.action(PanelCommand::Execution)->trigger();
    QApplication::processEvents();
    // The delegates speak from every other seat of the first mixers.
    for (int i = 0; i < speaking; ++i)
        w.pressExecutionButton({i / 4, 2 * (i % 4)});
    sync.verifyAll();
    // The window's first paints done, only its second's work counts.
    QEventLoop settle;
    QTimer::singleShot(2000, &settle, &QEventLoop::quit);
    settle.exec();

    PaintCounter counter;
    app.installEventFilter(&counter);
    QEventLoop loop;
    QTimer::singleShot(idleSeconds * 1000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuSeconds();
    loop.exec();
    const double cpu = cpuSeconds() - cpu0;
    const double seconds = wall.elapsed() / 1000.0;
    std::printf("meeting console at rest, 144 seats, %d times running, %.0f s offscreen\n", speaking, seconds);
    std::printf("  share of a core               %8.4f\n", cpu / seconds);
    std::printf("  buttons repainted a second    %8.1f\n", counter.paints / seconds);
    return 0;
}
