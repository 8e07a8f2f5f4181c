// What a load of a 16-mixer settings file would change, computed from the
// file's text table and the mixer records, and then shown in the window a load
// asks with (built, laid out and painted offscreen): a file that differs in
// five values, and one in which every value a load sends differs. Medians of
// 50 runs; the target is under 50 ms for both steps together.

#include "bench/medianms.h"
#include "editor/settingscompare.h"
#include "editor/ui/loadcompare.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 50;
constexpr int Mixers = 16;

} // namespace

int main(int argc, char **argv)
{
    // The window is painted into an image: no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MixerState mixers;
    mixers.MixerCount = Mixers;
    for (int m = 1; m <= Mixers; ++m)
        mixers.Model[size_t(m)] = 1;
    SettingsTable same;
    resetFileTable(same);
    MixerStateSettings(mixers).capture(same, false, PanelRuntime{}, Mixers);

    SettingsTable five = same;
    for (int m = 1; m <= 5; ++m)
        five.set(40 + m, m - 1, QStringLiteral("40")); // InputGain of five mixers
    SettingsTable all = same;
    for (int m = 1; m <= Mixers; ++m)
        for (int id = MixerKey::FirstBlock; id <= MixerKey::LastExtended; ++id)
            all.set(id, m - 1, QString::number(mixerValueOf(same, id, m - 1).value_or(0) + 1));

    int changes5 = 0, changesAll = 0;
    const auto compare = [&](const SettingsTable &file) {
        return compareLoad(SystemValues::fromMixers(mixers), SystemValues::fromFile(file));
    };
    const double ms5 = medianMs(Runs, [&] { changes5 = compare(five).total(); });
    const double msAll = medianMs(Runs, [&] { changesAll = compare(all).total(); });

    // Showing: the window filled from a comparison, laid out and painted once.
    const auto show = [](const SettingsComparison &c) {
        LoadCompareWindow window(c);
        window.resize(window.sizeHint());
        window.grab();
    };
    const SettingsComparison c5 = compare(five);
    const SettingsComparison cAll = compare(all);
    const double show5 = medianMs(Runs, [&] { show(c5); });
    const double showAll = medianMs(Runs, [&] { show(cAll); });

    std::printf("comparison of a settings file with 16 linked mixers, median of %d runs (target under 50 ms)\n", Runs);
    std::printf("                     computed   shown   together\n");
    std::printf("  %4d values differ %8.3f ms %7.3f ms %7.3f ms\n", changes5, ms5, show5, ms5 + show5);
    std::printf("  %4d values differ %8.3f ms %7.3f ms %7.3f ms\n", changesAll, msAll, showAll, msAll + showAll);
    return changes5 == 5 && changesAll > 1000 ? 0 : 1;
}
