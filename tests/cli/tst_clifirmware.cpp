// zkvr340a-ctl firmware against the virtual mixer program over its serial
// line: the image arrives whole with a progress line on stderr, and usage
// errors and files that cannot be sent never reach the mixer.

#include "clitesthelpers.h"
#include "tests/maintenance/firmwaretestfiles.h"

#include <QTemporaryDir>

using namespace firmwaretest;

namespace {
// The firmware lines the virtual mixer printed since it started.
QStringList firmwareLines(Sim &sim)
{
    sim.process.waitForReadyRead(200);
    QStringList lines;
    for (const QByteArray &l : sim.process.readAllStandardOutput().split('\n'))
        if (l.startsWith("firmware"))
            lines << QString::fromLatin1(l);
    return lines;
}
} // namespace

class TstCliFirmware : public QObject
{
    Q_OBJECT
private slots:
    void imageArrivesWithProgress()
    {
        QTemporaryDir dir;
        Sim sim;
        QVERIFY(sim.start({"--serial"}));
        const QStringList serial = {"--serial", sim.endpoints.value("serial")};
        const QByteArray image = pattern(5000, 9);
        const Run r = ctl(serial + QStringList{"firmware", "2", writeFile(dir, "fpga.rbf", image)});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains("############################## 100%  5000/5000 bytes"), r.err.constData());
        const QString sum = QString::number(sumOf(image), 16).toUpper().rightJustified(2, '0');
        QCOMPARE(firmwareLines(sim), QStringList({"firmware R 46", "firmware L 46 5000 bytes sum " + sum}));
    }

    void refusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("kind 5") << QStringList{"5", "model.bin"} << 2 << "KIND is 1 (main program)";
        QTest::newRow("no file") << QStringList{"4"} << 2 << "firmware wants KIND FILE";
        QTest::newRow("missing file") << QStringList{"1", "nothere.bin"} << 1 << "nothere.bin does not exist";
        QTest::newRow("one byte too long") << QStringList{"4", "long.bin"} << 1 << "不正なファイルです。";
        QTest::newRow("too large") << QStringList{"3", "large.bin"} << 1 << "ファイルが大きすぎます";
    }
    void refusedBeforeAnythingIsSent()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QTemporaryDir dir;
        writeFile(dir, "model.bin", modelFile(pattern(10), {}, {}));
        writeFile(dir, "long.bin", modelFile(pattern(10), {}, {}) + '\0');
        writeFile(dir, "large.bin", pattern(MaxImageBytes + 1));
        if (args.size() == 2)
            args[1] = dir.filePath(args[1]);
        Sim sim;
        QVERIFY(sim.start({"--serial"}));
        const Run r = ctl(QStringList{"--serial", sim.endpoints.value("serial"), "firmware"} + args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.err).contains(err), r.err.constData());
        QCOMPARE(firmwareLines(sim), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TstCliFirmware)
#include "tst_clifirmware.moc"
