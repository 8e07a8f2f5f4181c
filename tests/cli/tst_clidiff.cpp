// zkvr340a-ctl diff and load --dry-run: two settings files compared without
// a link, a file compared with the virtual mixers over TCP, and a dry run
// that the virtual mixer sees no write from.

#include "clitesthelpers.h"
#include "tests/support/testmain.h"

#include "tests/support/settingstext.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <sys/stat.h>

class TstCliDiff : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void twoFiles();
    void unusableFilesAndUsage_data();
    void unusableFilesAndUsage();
    void againstTheMixersAndDryRunSendNothing();
    void oneLanguageThroughout();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

using settingstext::mixerSection;

// A system of `mixers` mixers: every value not given is the factory value;
// `panel` lines go into the master's button section.
QByteArray settingsFile(int mixers, const QByteArray &masterLines = {}, const QByteArray &panel = {})
{
    QByteArray out = mixerSection("Mixer_Master", masterLines);
    for (int m = 2; m <= mixers; ++m)
        out += mixerSection("Mixer_Slave" + QByteArray::number(m - 1));
    if (!panel.isEmpty())
        out += "[GUI_Master]\r\n" + panel;
    return out + "[SystemData]\r\nMixerCount=" + QByteArray::number(mixers) + "\r\n";
}

QProcessEnvironment inLanguage(const char *language)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZKVR340A_LANGUAGE", language);
    return env;
}

bool hasJapanese(const QByteArray &bytes)
{
    for (const QChar c : QString::fromUtf8(bytes))
        if ((c.unicode() >= 0x3000 && c.unicode() <= 0x30FF) || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            || (c.unicode() >= 0xFF01 && c.unicode() <= 0xFFEF))
            return true;
    return false;
}

QJsonObject json(const Run &r)
{
    return QJsonDocument::fromJson(r.out).object();
}

QStringList keysOf(const QJsonObject &o)
{
    QStringList out;
    for (const QJsonValue &m : o.value("mixers").toArray())
        for (const QJsonValue &v : m.toObject().value("values").toArray())
            out << QStringLiteral("%1:%2").arg(m.toObject().value("mixer").toInt()).arg(v.toObject().value("key").toString());
    return out;
}

// What the virtual mixer printed since the last look.
QByteArray simOutput(Sim &sim)
{
    QByteArray out;
    while (sim.process.waitForReadyRead(300))
        out += sim.process.readAllStandardOutput();
    return out + sim.process.readAllStandardOutput();
}

} // namespace

void TstCliDiff::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstCliDiff::twoFiles()
{
    QVERIFY(write("a.ini", settingsFile(2, "InputGain_3=40\r\nKeyLock=1\r\n")));
    QVERIFY(write("same.ini", settingsFile(2, "InputGain_3=40\r\nKeyLock=1\r\n")));
    QVERIFY(write("b.ini", settingsFile(2, "InputGain_3=0\r\nKeyLock=1\r\nHoldTime=5\r\n")));
    QVERIFY(write("three.ini", settingsFile(3, "InputGain_3=40\r\nKeyLock=1\r\n")));

    // No link option is needed for two files.
    const Run same = ctl({"diff", path("a.ini"), path("same.ini")});
    QCOMPARE(same.exitCode, 0);
    QVERIFY(QString::fromUtf8(same.out).endsWith(QStringLiteral("差異はありません\n")));

    const Run text = ctl({"diff", path("a.ini"), path("b.ini")});
    QCOMPARE(text.exitCode, 1);
    QVERIFY2(text.err.isEmpty(), text.err.constData());
    const QString out = QString::fromUtf8(text.out);
    QVERIFY2(out.contains(QStringLiteral("マスター (ミキサー 1): 差異 2 件 (チャンネル設定データ 1, システム設定データ 1)")), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("  チャンネル設定データ  チャンネルレベル(dB) ch 3: -6.1dB -> MUTE  (InputGain_3)")));
    QVERIFY(out.contains(QStringLiteral("  システム設定データ  ホールド時間: 1.0秒 -> 3.0秒  (HoldTime)")));
    QVERIFY(out.contains(QStringLiteral("スレーブ1 (ミキサー 2): 差異 0 件")));
    QVERIFY(out.endsWith(QStringLiteral("合計: 差異 2 件 (チャンネル設定データ 1, システム設定データ 1)\n")));

    const Run js = ctl({"diff", "--json", path("a.ini"), path("b.ini")});
    QCOMPARE(js.exitCode, 1);
    const QJsonObject o = json(js);
    QCOMPARE(o.value("differences").toInt(), 2);
    QCOMPARE(o.value("from").toObject().value("source").toString(), QStringLiteral("file"));
    QCOMPARE(o.value("to").toObject().value("mixer_count").toInt(), 2);
    QCOMPARE(o.value("per_kind").toObject().value("channel").toInt(), 1);
    QCOMPARE(keysOf(o), (QStringList{"1:InputGain_3", "1:HoldTime"}));
    const QJsonObject gain = o.value("mixers").toArray().at(0).toObject().value("values").toArray().at(0).toObject();
    QCOMPARE(gain.value("channel").toInt(), 3);
    QCOMPARE(gain.value("kind").toString(), QStringLiteral("channel"));
    QCOMPARE((std::pair{gain.value("from").toInt(), gain.value("to").toInt()}), (std::pair{40, 0}));
    QCOMPARE(gain.value("to_text").toString(), QStringLiteral("MUTE"));

    // Files whose mixers agree but whose panels do not are not the same.
    QVERIFY(write("panel.ini", settingsFile(2, "InputGain_3=40\r\nKeyLock=1\r\n", "IconEnable_1=True\r\n")));
    const Run panel = ctl({"diff", path("a.ini"), path("panel.ini")});
    QCOMPARE(panel.exitCode, 1);
    QVERIFY2(QString::fromUtf8(panel.out).endsWith(
                 QStringLiteral("ミキサーの値は同じです。コントロールパネルが異なります (ボタン 1 個、図形 0 個)\n")),
             panel.out.constData());
    const QJsonObject panels = json(ctl({"diff", "--json", path("a.ini"), path("panel.ini")})).value("panels").toObject();
    QCOMPARE((std::pair{panels.value("differ").toBool(), panels.value("buttons").toInt()}), (std::pair{true, 1}));
    const Run both = ctl({"diff", path("b.ini"), path("panel.ini")});
    QCOMPARE(both.exitCode, 1);
    QVERIFY2(QString::fromUtf8(both.out).endsWith(
                 QStringLiteral("合計: 差異 2 件 (チャンネル設定データ 1, システム設定データ 1)\n"
                                "コントロールパネルも異なります (ボタン 1 個、図形 0 個)\n")),
             both.out.constData());

    // A value the editor cannot show is compared only on purpose.
    QVERIFY(write("gain.ini", settingsFile(2, "InputGain_3=200\r\nKeyLock=1\r\n")));
    const Run raw = ctl({"diff", "--raw", path("a.ini"), path("gain.ini")});
    QCOMPARE(raw.exitCode, 1);
    QVERIFY2(QString::fromUtf8(raw.out).contains(QStringLiteral("-6.1dB -> 200  (InputGain_3)")), raw.out.constData());

    // Only the counts differ: still a difference, named at the top.
    const Run counts = ctl({"diff", "--json", path("a.ini"), path("three.ini")});
    QCOMPARE(counts.exitCode, 1);
    QVERIFY(json(counts).value("mixer_count_differs").toBool());
    QCOMPARE(json(counts).value("differences").toInt(), 0);
    QVERIFY(json(counts).value("note").toString().contains(QStringLiteral("次のファイルは 3 台")));
}

void TstCliDiff::unusableFilesAndUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said");
    QTest::newRow("bad line") << QStringList{"diff", "{a}", "{bad}"} << QStringLiteral("diff: {bad} は設定値ファイルではありません: 2 行目");
    // Files that are no whole system, or no files at all.
    QTest::newRow("empty") << QStringList{"diff", "{empty}", "{a}"}
                           << QStringLiteral("diff: {empty} は設定値ファイルではありません: [SystemData] に MixerCount がありません");
    QTest::newRow("cut short") << QStringList{"diff", "{a}", "{cut}"}
                               << QStringLiteral("diff: {cut} は設定値ファイルではありません: [Mixer_Master] が途中で切れています (ThresholdK2 がありません)");
    QTest::newRow("mixer missing") << QStringList{"diff", "{a}", "{half}"}
                                   << QStringLiteral("diff: {half} は設定値ファイルではありません: MixerCount は 2 ですが [Mixer_Slave1] がありません");
    QTest::newRow("gain the editor cannot set") << QStringList{"diff", "{a}", "{gain}"}
                                                << QStringLiteral("diff: {gain} は設定値ファイルではありません: 43 行目: InputGain_1=200 はエディターで設定できる範囲 0..64 の外");
    QTest::newRow("device") << QStringList{"diff", "/dev/zero", "{a}"}
                            << QStringLiteral("diff: /dev/zero は通常のファイルではありません");
    QTest::newRow("pipe without a writer") << QStringList{"diff", "{a}", "{fifo}"} << QStringLiteral("diff: {fifo} は通常のファイルではありません");
    QTest::newRow("missing") << QStringList{"diff", "{gone}", "{a}"} << QStringLiteral("diff: {gone} がありません");
    QTest::newRow("one file, no link") << QStringList{"diff", "{a}"} << QStringLiteral("接続オプション（--ethernet, --serial または --usb）が必要です");
    QTest::newRow("three files") << QStringList{"diff", "{a}", "{a}", "{a}"} << QStringLiteral("diff には FILE_A FILE_B");
    QTest::newRow("unknown option") << QStringList{"diff", "--all", "{a}", "{a}"} << QStringLiteral("diff: 不明なオプション「--all」");
    QTest::newRow("json without dry run") << QStringList{"--ethernet", "127.0.0.1:9", "load", "--json", "{a}"}
                                          << QStringLiteral("--json は --dry-run と一緒にだけ指定できます");
}

void TstCliDiff::unusableFilesAndUsage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    QVERIFY(write("a.ini", settingsFile(1)));
    QVERIFY(write("bad.ini", "[Mixer_Master]\r\nActive = True\r\n"));
    QVERIFY(write("empty.ini", {}));
    const QByteArray whole = settingsFile(1);
    QVERIFY(write("cut.ini", whole.left(whole.indexOf("ThresholdK2=")) + "[SystemData]\r\nMixerCount=1\r\n"));
    QVERIFY(write("half.ini", mixerSection("Mixer_Master") + "[SystemData]\r\nMixerCount=2\r\n"));
    QVERIFY(write("gain.ini", settingsFile(1, "InputGain_1=200\r\n")));
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo.ini")).constData(), 0600), 0);
    for (QString &a : args)
        if (a.startsWith('{'))
            a = path(a.mid(1, a.size() - 2) + ".ini");
    for (const char *name : {"bad", "gone", "empty", "cut", "half", "gain", "fifo"})
        said.replace(QStringLiteral("{%1}").arg(QLatin1String(name)), path(QStringLiteral("%1.ini").arg(QLatin1String(name))));
    const Run r = ctl(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(QString::fromUtf8(r.err).contains(said), r.err.constData());
}

void TstCliDiff::againstTheMixersAndDryRunSendNothing()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "3", "--log-writes"}));
    const QStringList link{"--ethernet", sim.endpoints.value("tcp")};
    QCOMPARE(ctl(link + QStringList{"set", "2", "InputGain_3=40"}).exitCode, 0);
    // "3ch オンリー", as the editor stores it: the priority switch off.
    QCOMPARE(ctl(link + QStringList{"set", "1", "Phantom_1=0", "HoldTime=3", "KeyLock=1", "Priority_1=0", "OnlyType=2"})
                 .exitCode,
             0);
    QCOMPARE(ctl(link + QStringList{"set", "3", "Threshold=16400"}).exitCode, 0);
    QCOMPARE(ctl(link + QStringList{"save", path("saved.ini")}).exitCode, 0);
    QVERIFY(ctl(link + QStringList{"diff", path("saved.ini")}).exitCode == 0);
    QCOMPARE(ctl(link + QStringList{"set", "2", "InputGain_3=0"}).exitCode, 0);
    QCOMPARE(ctl(link + QStringList{"set", "1", "Phantom_1=1", "HoldTime=1", "KeyLock=0", "Priority_1=1", "OnlyType=0"})
                 .exitCode,
             0);
    QCOMPARE(ctl(link + QStringList{"set", "3", "Threshold=100"}).exitCode, 0);
    QVERIFY(simOutput(sim).contains("write DS 02 2B 00")); // the log sees writes

    const Run diff = ctl(link + QStringList{"diff", "--json", path("saved.ini")});
    QCOMPARE(diff.exitCode, 1);
    QCOMPARE(json(diff).value("from").toObject().value("source").toString(), QStringLiteral("mixers"));
    QCOMPARE(keysOf(json(diff)), (QStringList{"1:Phantom_1", "1:HoldTime", "1:Simultaneous", "1:KeyLock", "2:InputGain_3",
                                              "3:Threshold"}));

    const Run dry = ctl(link + QStringList{"load", "--dry-run", path("saved.ini")});
    QCOMPARE(dry.exitCode, 0);
    QVERIFY2(QString::fromUtf8(dry.out).startsWith(QStringLiteral("load --dry-run: 何も送信していません")), dry.out.constData());
    QVERIFY(QString::fromUtf8(dry.out).contains(QStringLiteral("キーロック: OFF -> ON  (KeyLock)")));
    // The simultaneous choice is one value of the mixer: one line, not one per channel.
    QCOMPARE(QString::fromUtf8(dry.out).count(QStringLiteral("同時選択許可チャンネル数: All OK -> 3ch オンリー")), 1);
    const Run dryJson = ctl(link + QStringList{"load", "--dry-run", "--json", path("saved.ini")});
    QCOMPARE(dryJson.exitCode, 0);
    QCOMPARE(json(dryJson).value("differences").toInt(), 6);
    // Neither the diff nor the dry runs wrote anything.
    QCOMPARE(simOutput(sim), QByteArray());

    // The load itself then makes the mixers hold the file, every value of
    // it, the simultaneous choice included, writing just what the diff
    // listed: the simultaneous choice is Priority_1 and OnlyType.
    const Run load = ctl(link + QStringList{"load", path("saved.ini")});
    QCOMPARE(load.exitCode, 0);
    QVERIFY2(load.err.isEmpty(), load.err.constData());
    // First the access check, which writes InputLevel_1 back as it is.
    QCOMPARE(simOutput(sim).trimmed().split('\n'),
             (QList<QByteArray>{"write DS 01 01 01", "write DS 01 09 00", "write DS 01 31 00", "write DS 01 52 03", "write DS 01 53 02",
                                "write DS 01 54 01", "write DS 02 2B 28", "write TS 03 40 10"}));
    const Run after = ctl(link + QStringList{"diff", path("saved.ini")});
    QCOMPARE(after.exitCode, 0);
    QVERIFY(QString::fromUtf8(after.out).endsWith(QStringLiteral("差異はありません\n")));

    // A link that cannot be opened is an error of the comparison.
    sim.stop();
    QCOMPARE(ctl(link + QStringList{"--timeout", "1", "diff", path("saved.ini")}).exitCode, 2);
}

void TstCliDiff::oneLanguageThroughout()
{
    // Every line the tool prints is in one language, the locale's; what
    // --json prints is the same in both.
    QVERIFY(write("a.ini", settingsFile(2, "InputGain_3=40\r\n")));
    QVERIFY(write("b.ini", settingsFile(2, "InputGain_3=0\r\n")));
    const QStringList diff{"diff", path("a.ini"), path("b.ini")};
    const Run en = ctl(diff, inLanguage("en"));
    QCOMPARE(en.exitCode, 1);
    QVERIFY2(!hasJapanese(en.out) && en.out.contains("Master (mixer 1): 1 difference ("), en.out.constData());
    QVERIFY2(en.out.endsWith("total: 1 difference (Channels 1)\n"), en.out.constData());
    const Run ja = ctl(diff, inLanguage("ja"));
    QVERIFY2(QString::fromUtf8(ja.out).endsWith(QStringLiteral("合計: 差異 1 件 (チャンネル設定データ 1)\n")),
             ja.out.constData());
    QVERIFY(!ja.out.contains("total") && !ja.out.contains("mixer 1"));

    const QStringList diffJson{"diff", "--json", path("a.ini"), path("b.ini")};
    const Run jsonEn = ctl(diffJson, inLanguage("en"));
    QCOMPARE(jsonEn.exitCode, 1);
    QCOMPARE(jsonEn.out, ctl(diffJson, inLanguage("ja")).out);
    const QJsonObject gain = json(jsonEn).value("mixers").toArray().at(0).toObject().value("values").toArray().at(0).toObject();
    QCOMPARE(gain.value("label").toString(), QStringLiteral("チャンネルレベル(dB)"));
    QVERIFY2(!gain.value("label_en").toString().isEmpty() && !hasJapanese(gain.value("label_en").toString().toUtf8()),
             jsonEn.out.constData());

    // Failures and usage errors speak the same language, and a link that
    // does not open is named.
    const Run refused = ctl({"--ethernet", "127.0.0.1:1", "--timeout", "1", "status"}, inLanguage("en"));
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("127.0.0.1:1") && !hasJapanese(refused.err), refused.err.constData());
    const Run usage = ctl({"status", "--bogus"}, inLanguage("en"));
    QCOMPARE(usage.exitCode, 2);
    QVERIFY2(!hasJapanese(usage.err), usage.err.constData());

    // A file in another encoding is said to be one, whether or not its
    // lines happened to read.
    QVERIFY(write("utf8.ini", settingsFile(1) + QStringLiteral("[GUI_Master]\r\nIconText_1=議場\r\n").toUtf8()));
    QVERIFY(write("bom.ini", "\xEF\xBB\xBF" + settingsFile(1)));
    for (const char *name : {"utf8.ini", "bom.ini"}) {
        const Run r = ctl({"diff", path(name), path("a.ini")}, inLanguage("en"));
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("is not CP932 text"), r.err.constData());
    }
}

ZK_TEST_GUILESS_MAIN(TstCliDiff)
#include "tst_clidiff.moc"
