// The fuzz targets' harnesses in the ordinary build: one program that feeds a
// target the empty input and each file of its seed folder, as libFuzzer starts
// a run, so every build keeps the harnesses compiling and their seeds passing
// (ctest's fuzz_*_seeds). A harness that finds a fault aborts, which fails the
// test. The sanitized, open-ended runs are scripts/fuzz.sh's.

#include "fuzz/seeddriver.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <target> <seed folder>\n", argv[0]);
        return 2;
    }
    const FuzzTarget *target = nullptr;
    for (int i = 0; i < fuzzTargetCount; ++i) {
        if (std::strcmp(fuzzTargets[i].name, argv[1]) == 0)
            target = &fuzzTargets[i];
    }
    if (!target) {
        std::fprintf(stderr, "no fuzz target %s\n", argv[1]);
        return 2;
    }
    static const uint8_t nothing = 0;
    target->run(&nothing, 0);
    const QDir seeds(QString::fromLocal8Bit(argv[2]));
    const QStringList names = seeds.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(seeds.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::printf("%s: %s (%lld bytes)\n", target->name, qPrintable(name), static_cast<long long>(bytes.size()));
        std::fflush(stdout);
        target->run(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }
    std::printf("%s: %lld seeds and the empty input passed\n", target->name, static_cast<long long>(names.size()));
    return 0;
}
