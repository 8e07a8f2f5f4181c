// zkvr340a-ctl firmware against the virtual mixer program: the image arrives
// whole with a progress line and each step on stderr and a closing message;
// usage errors, files that cannot be sent, an image for the other family and
// a USB download no one will switch the mixer off and on for never reach the
// mixer; over USB the tool waits for the device to go and come back; after a
// model file over Ethernet it ends without reconnecting to the restarting mixer.

#include "clitesthelpers.h"
#include "tests/maintenance/firmwaretestfiles.h"
#include "tests/support/testmain.h"

#include <QTemporaryDir>

using namespace firmwaretest;

namespace {
// The firmware and power lines the virtual mixer printed since it started.
QStringList simLines(Sim &sim)
{
    sim.process.waitForReadyRead(200);
    QStringList lines;
    for (const QByteArray &l : sim.process.readAllStandardOutput().split('\n'))
        if (l.startsWith("firmware") || l.startsWith("power"))
            lines << QString::fromLatin1(l);
    return lines;
}

QString sumOfText(const QByteArray &bytes)
{
    return QString::number(sumOf(bytes), 16).toUpper().rightJustified(2, '0');
}

QProcessEnvironment usbEnvironment(const QTemporaryDir &devices)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DEVBRIDGE_DEVICE_ROOT", devices.path());
    return env;
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
        QVERIFY(sim.start({"--serial", "--model", "0"}));
        const QStringList serial = {"--serial", sim.endpoints.value("serial")};
        const QByteArray image = pattern(5000, 9);
        const Run r = ctl(serial + QStringList{"firmware", "2", writeFile(dir, "fpga.rbf", image)});
        QCOMPARE(r.exitCode, 0);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(err.contains("############################## 100%  5000/5000 バイト"), r.err.constData());
        QVERIFY2(err.contains("FPGAデータの準備をミキサーに指示しています。"), r.err.constData());
        QVERIFY2(err.contains("FPGAデータを送信しています。"), r.err.constData());
        QVERIFY2(err.trimmed().endsWith("ダウンロードが完了しました。"), r.err.constData());
        QCOMPARE(simLines(sim), QStringList({"firmware R 46", "firmware L 46 5000 bytes sum " + sumOfText(image)}));
    }

    void refusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("kind 5") << QStringList{"5", "model.bin"} << 2 << "KIND は 1（メインプログラム）";
        QTest::newRow("no file") << QStringList{"4"} << 2 << "firmware には KIND FILE を指定してください";
        QTest::newRow("unknown option") << QStringList{"1", "main.bin", "--power"} << 2
                                        << "firmware: 不明なオプション「--power」";
        QTest::newRow("missing file") << QStringList{"1", "nothere.bin"} << 1 << "nothere.bin がありません";
        QTest::newRow("one byte too long") << QStringList{"4", "long.bin"} << 1 << "不正なファイルです。";
        QTest::newRow("too large") << QStringList{"3", "large.bin"} << 1 << "ファイルが大きすぎます";
        QTest::newRow("empty image") << QStringList{"1", "empty.bin"} << 1 << "ファイルが空です。";
        QTest::newRow("model file as the main program")
            << QStringList{"1", "model.bin"} << 1 << "ZK-VR340a のモデルファイルです。";
        // The mixer is of the newer model (code 1): its image needs a yes.
        QTest::newRow("older image to the newer model")
            << QStringList{"1", "main.bin"} << 1 << "接続しているミキサーは ZK-VR340a です。";
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
        writeFile(dir, "empty.bin", {});
        writeFile(dir, "main.bin", pattern(64));
        if (args.size() >= 2)
            args[1] = dir.filePath(args[1]);
        Sim sim;
        QVERIFY(sim.start({"--serial"}));
        const Run r = ctl(QStringList{"--serial", sim.endpoints.value("serial"), "firmware"} + args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.err).contains(err), r.err.constData());
        QCOMPARE(simLines(sim), QStringList{});
    }

    // --any-model sends an image to a mixer of the other family all the same.
    void anyModelSendsToTheOtherFamily()
    {
        QTemporaryDir dir;
        Sim sim;
        QVERIFY(sim.start({"--serial"}));
        const QByteArray image = pattern(100);
        const Run r = ctl({"--serial", sim.endpoints.value("serial"), "firmware", "1",
                           writeFile(dir, "main.bin", image), "--any-model"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(QString::fromUtf8(r.err).contains("接続しているミキサーは ZK-VR340a です。"), r.err.constData());
        QCOMPARE(simLines(sim), QStringList({"firmware R 4D", "firmware L 4D 100 bytes sum " + sumOfText(image)}));
    }

    void usbWaitsForThePowerCycle()
    {
        QTemporaryDir devices, dir;
        Sim sim;
        QVERIFY(sim.start({"--usb", devices.path(), "--model", "0"}));
        const QByteArray image = pattern(5000, 3);
        const QStringList command{"--usb", "firmware", "1", writeFile(dir, "main.bin", image)};
        const QProcessEnvironment env = usbEnvironment(devices);

        // A script that says nothing of the power cycle: refused before R.
        const Run script = ctl(command, env);
        QCOMPARE(script.exitCode, 1);
        QVERIFY2(QString::fromUtf8(script.err).contains("--power-cycled"), script.err.constData());
        QCOMPARE(simLines(sim), QStringList{});

        // The mixer is never switched off: the wait ends, nothing follows R.
        const Run never = ctl(command + QStringList{"--power-cycled", "--timeout", "1.5"}, env);
        QCOMPARE(never.exitCode, 1);
        QVERIFY2(QString::fromUtf8(never.err).contains("1.5 秒以内にミキサーの電源が入れ直されませんでした"), never.err.constData());
        QCOMPARE(simLines(sim), QStringList{"firmware R 4D"});

        // Switched off and on once the tool asks for it: the data follows.
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(bin("zkvr340a-ctl"), command + QStringList{"--power-cycled"});
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += tool.readAllStandardError()).contains("ミキサーの電源が入れ直されるのを最大"), 20000);
        ::kill(pid_t(sim.process.processId()), SIGUSR1);
        QVERIFY(tool.waitForFinished(30000));
        err += tool.readAllStandardError();
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(QString::fromUtf8(err).contains("ダウンロードが完了しました。"), err.constData());
        QCOMPARE(simLines(sim), QStringList({"firmware R 4D", "power off", "power on",
                                             "firmware L 4D 5000 bytes sum " + sumOfText(image)}));
    }

    // The mixer restarts after the final step of a model file and is away
    // for a minute: the tool is done once that step was accepted.
    void modelFileOverEthernetEndsAtTheFinalStep()
    {
        QTemporaryDir dir;
        Sim sim;
        QVERIFY(sim.start({"--tcp", "0", "--restart-ms", "60000"}));
        const QByteArray section = pattern(3000, 5);
        const Run r = ctl({"--ethernet", sim.endpoints.value("tcp"), "--timeout", "1", "firmware", "4",
                           writeFile(dir, "model.bin", modelFile(section, {}, {}))});
        QCOMPARE(r.exitCode, 0);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(err.contains("ミキサーが再起動しています"), r.err.constData());
        QVERIFY2(err.trimmed().endsWith("ダウンロードが完了しました。"), r.err.constData());
        QCOMPARE(simLines(sim), QStringList({"firmware R 4D", "firmware R 4D",
                                             "firmware L 4D 3000 bytes sum " + sumOfText(section), "firmware R 53"}));
    }
};

ZK_TEST_GUILESS_MAIN(TstCliFirmware)
#include "tst_clifirmware.moc"
