// Load and save of a full 16-mixer settings file, median of 20 runs each,
// beside QSettings (INI format) reading the same file.

#include "bench/medianms.h"
#include "settings/keytable.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 20;

SettingsTable fullSystem(const SetDataKeyTable &keys)
{
    SettingsTable t;
    resetFileTable(t);
    for (int l = 0; l < SetDataKeyTable::ListCount; ++l)
        for (const KeyEntry &s : keys.list(l).sections)
            for (const KeyEntry &k : keys.list(l).keys) {
                QString v;
                switch (k.kind) {
                case KeyKind::Boolean: v = QStringLiteral("True"); break;
                case KeyKind::Text: v = QStringLiteral("会議室 %1").arg(k.id); break;
                case KeyKind::Real: v = QStringLiteral("1500"); break;
                default: {
                    qint64 n = (k.id + s.id) % 128;
                    // Mixer values are those the editor sets.
                    if (const auto r = l == SetDataKeyTable::MixerList ? editorRange(k.id) : std::nullopt)
                        n = r->low + n % (r->high - r->low + 1);
                    v = QString::number(n);
                    break;
                }
                }
                t.set(k.id, s.id, v);
            }
    t.set(0, SettingsGrid::SystemSection, QStringLiteral("16"));
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const SetDataKeyTable keys = SetDataKeyTable::build();
    const SettingsTable table = fullSystem(keys);
    const QString path = dir.filePath(QStringLiteral("system16.ini"));
    if (!WriteSettingsFile(path, table, keys, 16)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }

    bool ok = true;
    const double load = medianMs(Runs, [&] {
        SettingsTable t;
        resetFileTable(t);
        ok = ReadSettingsFile(path, keys, t) && ok;
    });
    const double save = medianMs(Runs, [&] { ok = WriteSettingsFile(path, table, keys, 16) && ok; });
    int seen = 0;
    const double qsettings = medianMs(Runs, [&] {
        QSettings s(path, QSettings::IniFormat);
        const QStringList all = s.allKeys();
        for (const QString &k : all)
            seen += s.value(k).toString().size() > 0;
    });
    if (!ok || seen == 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    const qint64 bytes = QFileInfo(path).size();
    std::printf("settings file: 16 mixers, %lld bytes, median of %d runs\n", qlonglong(bytes), Runs);
    std::printf("  load (ReadSettingsFile)      %8.3f ms\n", load);
    std::printf("  save (WriteSettingsFile)     %8.3f ms\n", save);
    std::printf("  QSettings IniFormat read     %8.3f ms\n", qsettings);
    std::printf("  load / QSettings ratio       %8.2f\n", load / qsettings);
    std::printf("  save / QSettings ratio       %8.2f\n", save / qsettings);
    return 0;
}
