// What a load of a 16-mixer settings file would change, computed from the
// file's text table and the mixer records (median of 50 runs): a file that
// differs in five values, and one in which every value a load sends differs.

#include "bench/medianms.h"
#include "editor/settingscompare.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>

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
    QCoreApplication app(argc, argv);
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
    const auto run = [&](const SettingsTable &file, int &changes) {
        const SettingsComparison c = compareLoad(SystemValues::fromMixers(mixers), SystemValues::fromFile(file));
        changes = c.total();
    };
    const double ms5 = medianMs(Runs, [&] { run(five, changes5); });
    const double msAll = medianMs(Runs, [&] { run(all, changesAll); });
    std::printf("comparison of a settings file with 16 linked mixers, median of %d runs (target under 50 ms)\n", Runs);
    std::printf("  %4d values differ            %8.3f ms\n", changes5, ms5);
    std::printf("  %4d values differ            %8.3f ms\n", changesAll, msAll);
    return changes5 == 5 && changesAll > 1000 ? 0 : 1;
}
