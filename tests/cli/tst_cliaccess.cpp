// Write access in zkvr340a-ctl: against a mixer that refuses writes every
// command that writes ends with exit 1 and says why, and the mixer is left
// as it was; the commands that only read still work.

#include "clitesthelpers.h"
#include "tests/maintenance/firmwaretestfiles.h"
#include "tests/support/testmain.h"

#include <QTemporaryDir>

namespace {
// The firmware commands the virtual mixer took since it started.
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

class TstCliAccess : public QObject
{
    Q_OBJECT
private slots:
    void everyWriteIsRefused_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("name");
        QTest::newRow("set") << QStringList{"set", "1", "InputGain_1=9"} << "set";
        QTest::newRow("load") << QStringList{"load", "FILE"} << "load";
        QTest::newRow("ip set") << QStringList{"ip", "set", "10.0.0.1", "room2"} << "ip set";
        QTest::newRow("poke") << QStringList{"poke", "40", "DEADBEEF"} << "poke";
        QTest::newRow("firmware") << QStringList{"firmware", "3", "FILE"} << "firmware";
    }
    void everyWriteIsRefused()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, name);
        QTemporaryDir dir;
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0", "--deny-write"}));
        // Saving only reads: it gives the file to load.
        const QString settings = dir.filePath("system.ini");
        QCOMPARE(ctl(ethernet(sim) + QStringList{"save", settings}).exitCode, 0);
        const QString image = firmwaretest::writeFile(dir, "writer.bin", firmwaretest::pattern(3000));
        command.replaceInStrings(QStringLiteral("FILE"), command.first() == QLatin1String("load") ? settings : image);

        const Run r = ctl(ethernet(sim) + command);
        QCOMPARE(r.exitCode, 1);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(err.contains(QStringLiteral("アクセス権限がありません。")), r.err.constData());
        QVERIFY2(err.contains(name + QStringLiteral(": ミキサーがこの PC からの書き込みを拒否しています")), r.err.constData());

        // Nothing reached the mixer; reading still works.
        QCOMPARE(firmwareLines(sim), QStringList{});
        const Run peek = ctl(ethernet(sim) + QStringList{"peek", "40"});
        QCOMPARE(peek.exitCode, 0);
        QCOMPARE(peek.out, QByteArray("00000000\n"));
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "get"}).out,
                 QByteArray("address 192.168.100.200\ndhcp off\nuser-id administrator\n"));
    }
};

ZK_TEST_GUILESS_MAIN(TstCliAccess)
#include "tst_cliaccess.moc"
