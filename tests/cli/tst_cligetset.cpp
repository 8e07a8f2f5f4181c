// zkvr340a-ctl get MIXER KEY and set MIXER KEY=VALUE... against the virtual
// mixer program over TCP: verified writes, a value that does not take, no
// write access, nothing answering, and the usage errors that send nothing.

#include "clitesthelpers.h"
#include "tests/support/testmain.h"

#include <algorithm>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

class TstCliGetSet : public QObject
{
    Q_OBJECT
private slots:
    void setThenGet();
    void valueThatDoesNotTake_data();
    void valueThatDoesNotTake();
    void withoutWriteAccess();
    void verboseTellsWhatWasDone();
    void progressOnATerminalOnly();
    void nothingAnswers();
    void usageErrors_data();
    void usageErrors();
};

void TstCliGetSet::setThenGet()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "3"}));
    const Run set = ctl(ethernet(sim) + QStringList{"set", "2", "InputGain_3=40", "Threshold=16400", "Mute_8=1"});
    QCOMPARE(set.exitCode, 0);
    QVERIFY2(set.err.isEmpty(), set.err.constData());
    QCOMPARE(ctl(ethernet(sim) + QStringList{"get", "2", "InputGain_3"}).out, QByteArray("40\n"));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"get", "2", "Threshold"}).out, QByteArray("16400\n"));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"get", "2", "Mute_8"}).out, QByteArray("1\n"));
    // The other mixers kept their values.
    QCOMPARE(ctl(ethernet(sim) + QStringList{"get", "3", "InputGain_3"}).out, QByteArray("0\n"));

    // "3ch オンリー": the priority switch and OnlyType; the mixer shows the
    // switch for every channel.
    const Run only = ctl(ethernet(sim) + QStringList{"set", "1", "Priority_1=0", "OnlyType=2"});
    QCOMPARE(only.exitCode, 0);
    QVERIFY2(only.err.isEmpty(), only.err.constData());
    QCOMPARE(ctl(ethernet(sim) + QStringList{"get", "1", "Priority_6"}).out, QByteArray("0\n"));

    // A value the editor cannot show goes out only on purpose.
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "--raw", "2", "InputGain_3=200"}).exitCode, 0);
    QCOMPARE(ctl(ethernet(sim) + QStringList{"get", "2", "InputGain_3"}).out, QByteArray("200\n"));
}

void TstCliGetSet::valueThatDoesNotTake_data()
{
    QTest::addColumn<QString>("stuck");
    QTest::addColumn<QStringList>("set");
    QTest::addColumn<QString>("named");     // the line naming the value
    QTest::addColumn<bool>("gaveUp");       // SetData compared it and gave up (1803)
    QTest::newRow("master, compared") << "1:KeyLock=1" << QStringList{"1", "KeyLock=0"}
                                      << QStringLiteral("set: ミキサー 1 の KeyLock は 0 ではなく 1 と読み返されました") << true;
    // Values SetData does not compare: the tool still finds they did not take.
    QTest::newRow("slave KeyLock") << "2:KeyLock=0" << QStringList{"2", "KeyLock=1", "InputGain_1=5"}
                                   << QStringLiteral("set: ミキサー 2 の KeyLock は 1 ではなく 0 と読み返されました") << false;
    QTest::newRow("slave's priority switch") << "2:Priority_1=1" << QStringList{"2", "Priority_1=0"}
                                             << QStringLiteral("set: ミキサー 2 の Priority_1 は 0 ではなく 1 と読み返されました") << false;
}

void TstCliGetSet::valueThatDoesNotTake()
{
    QFETCH(QString, stuck);
    QFETCH(QStringList, set);
    QFETCH(QString, named);
    QFETCH(bool, gaveUp);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2", "--stuck", stuck}));
    const Run r = ctl(ethernet(sim) + QStringList{"set"} + set);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(errText(r).contains(named), r.err.constData());
    QCOMPARE(errText(r).count(QStringLiteral("と読み返されました")), 1);   // the value that took is not named
    QCOMPARE(errText(r).contains(QStringLiteral("ミキサーの設定に失敗しました")), gaveUp);
}

void TstCliGetSet::verboseTellsWhatWasDone()
{
    // --verbose: the activity log's lines on stderr, one a value with its
    // outcome, as the program's activity window lists them.
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2", "--stuck", "1:KeyLock=1"}));
    const Run r = ctl(ethernet(sim) + QStringList{"--verbose", "set", "1", "KeyLock=0", "Noma=1"});
    QCOMPARE(r.exitCode, 1);
        const QStringList lines = errText(r).split(u'\n');
    auto has = [&](const QString &part) {
        return std::any_of(lines.begin(), lines.end(), [&](const QString &l) { return l.contains(part); });
    };
    QVERIFY2(has(QStringLiteral("リンク 127.0.0.1 に接続しています")), r.err.constData());
    QVERIFY2(has(QStringLiteral("アクセス確認 完了")), r.err.constData());
    QVERIFY2(has(QStringLiteral("書き込み マスター KeyLock=0 失敗 11 パス")), r.err.constData());
    // The value that took is told apart from the one that did not.
    QVERIFY2(has(QStringLiteral("書き込み マスター Noma=1 確認済み")), r.err.constData());
}

namespace {
// What zkvr340a-ctl wrote on stderr when that was a terminal (a pty).
QString stderrOnTerminal(const QStringList &args)
{
    int master = -1, slave = -1;
    char name[128] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return QStringLiteral("openpty failed");
    QProcess p;
    p.setStandardErrorFile(QString::fromLocal8Bit(name));
    p.start(bin("zkvr340a-ctl"), args);
    const bool finished = p.waitForFinished(60000);
    ::close(slave);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    QByteArray out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
        out.append(buffer, int(n));
    ::close(master);
    return finished ? QString::fromUtf8(out) : QStringLiteral("did not finish: ") + QString::fromUtf8(out);
}
} // namespace

void TstCliGetSet::progressOnATerminalOnly()
{
    // set and load count what they send and what is verified, on one line
    // of a terminal's stderr rewritten in place; a pipe or a log (a script)
    // and --quiet get none of it.
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    const QStringList set = ethernet(sim) + QStringList{"set", "1", "InputGain_1=30", "Noma=1"};
    const QString terminal = stderrOnTerminal(set);
    QVERIFY2(terminal.contains(QStringLiteral("\rset: 1 パス目: 送信 2/2 件、完了 0/2 件")), qPrintable(terminal));
    QVERIFY2(terminal.contains(QStringLiteral("set: 1 パス目: 送信 2/2 件、完了 2/2 件\r\n")), qPrintable(terminal));
    const QString quiet = stderrOnTerminal(QStringList{"--quiet"} + set);
    QVERIFY2(!quiet.contains(QStringLiteral("パス目")) && !quiet.startsWith("did not finish"), qPrintable(quiet));
    const Run piped = ctl(set);
    QCOMPARE(piped.exitCode, 0);
    QVERIFY2(piped.err.isEmpty(), piped.err.constData());

    // A value that does not take is sent again in the next pass, alone.
    Sim stuck;
    QVERIFY(stuck.start({"--tcp", "0", "--stuck", "1:KeyLock=1"}));
    const QString passes = stderrOnTerminal(ethernet(stuck) + QStringList{"set", "1", "KeyLock=0", "Noma=1"});
    QVERIFY2(passes.contains(QStringLiteral("set: 1 パス目: 送信 2/2 件、完了 1/2 件")), qPrintable(passes));
    QVERIFY2(passes.contains(QStringLiteral("\rset: 2 パス目: 送信 1/1 件、完了 1/2 件")), qPrintable(passes));
}

void TstCliGetSet::withoutWriteAccess()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--deny-write"}));
    const Run r = ctl(ethernet(sim) + QStringList{"set", "1", "InputGain_1=9"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(errText(r).contains(QStringLiteral("アクセス権限がありません。データ閲覧モードで動作します。")));
    QVERIFY(!errText(r).contains(QStringLiteral("ミキサーの設定に失敗しました"))); // no write was tried
    // Reading is still allowed.
    const Run get = ctl(ethernet(sim) + QStringList{"get", "1", "InputGain_1"});
    QCOMPARE(get.exitCode, 0);
    QCOMPARE(get.out, QByteArray("0\n"));
}

void TstCliGetSet::nothingAnswers()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--drop", "1"}));
    for (const QStringList &command : {QStringList{"get", "1", "KeyLock"}, QStringList{"set", "1", "KeyLock=1"}}) {
        const Run r = ctl(ethernet(sim) + command);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(errText(r).contains(QStringLiteral("応答がありません")));
        QVERIFY(!errText(r).contains(QStringLiteral("ミキサーの設定に失敗しました")));
    }
}

void TstCliGetSet::usageErrors_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<bool>("needsMixer"); // the check needs the mixer count
    QTest::addColumn<QString>("said");
    QTest::newRow("unknown key") << QStringList{"set", "1", "Volume=3"} << false << "";
    QTest::newRow("extended key") << QStringList{"get", "1", "ThresholdMax"} << false << "";
    QTest::newRow("mixer 17") << QStringList{"get", "17", "KeyLock"} << false << "";
    QTest::newRow("mixer 0") << QStringList{"set", "0", "KeyLock=1"} << false << "";
    QTest::newRow("byte 256") << QStringList{"set", "--raw", "1", "InputGain_1=256"} << false
                              << QStringLiteral("InputGain_1=256 はミキサーが持てる範囲 0..255 の外");
    QTest::newRow("negative") << QStringList{"set", "1", "InputGain_1=-1"} << false << "";
    QTest::newRow("threshold 32768") << QStringList{"set", "--raw", "1", "Threshold=32768"} << false
                                     << QStringLiteral("範囲 0..32767 の外");
    // What the editor cannot show: the range it can, and what --raw takes.
    QTest::newRow("gain past 0 dB") << QStringList{"set", "1", "InputGain_3=200"} << false
                                    << QStringLiteral("InputGain_3=200 はエディターで設定できる範囲 0..64 の外です (--raw");
    QTest::newRow("head amp 9") << QStringList{"set", "1", "HeadAmp_1=9"} << false << QStringLiteral("範囲 0..4 の外");
    QTest::newRow("priority echo") << QStringList{"set", "1", "Priority_3=0"} << false
                                   << QStringLiteral("Priority_3 は単独では送信しません");
    QTest::newRow("no value") << QStringList{"set", "1", "KeyLock"} << false << "";
    QTest::newRow("no assignment") << QStringList{"set", "1"} << false << "";
    QTest::newRow("one bad of two") << QStringList{"set", "1", "KeyLock=1", "Noma=x"} << false << "";
    QTest::newRow("mixer not linked") << QStringList{"set", "3", "KeyLock=1"} << true << "";
    QTest::newRow("get not linked") << QStringList{"get", "3", "KeyLock"} << true << "";
}

void TstCliGetSet::usageErrors()
{
    QFETCH(QStringList, command);
    QFETCH(bool, needsMixer);
    QFETCH(QString, said);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    // Argument errors are found before any link is opened: an address
    // where nothing listens shows it.
    const QStringList link = needsMixer ? ethernet(sim) : QStringList{"--ethernet", "127.0.0.1:9"};
    const Run r = ctl(link + command);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(!r.err.isEmpty());
    QVERIFY2(errText(r).contains(said), r.err.constData());
    QVERIFY(r.out.isEmpty());
}

ZK_TEST_GUILESS_MAIN(TstCliGetSet)
#include "tst_cligetset.moc"
