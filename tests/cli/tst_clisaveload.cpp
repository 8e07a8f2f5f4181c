// zkvr340a-ctl save FILE and load FILE against the virtual mixer program over
// TCP: a saved system comes back by loading it, extended values travel both
// ways, a file that cannot be used sends nothing, the link-count rule, and
// the failures of the link and of the file system.

#include "clitesthelpers.h"
#include "base/strings.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

class TstCliSaveLoad : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void saveWritesEveryMixerTheSameEachTime();
    void loadBringsSavedValuesBack();
    void extendedValuesAreWrittenAndReadBack();
    void unusableFileSendsNothing_data();
    void unusableFileSendsNothing();
    void fileWithMoreMixersThanLinked();
    void fileWithFewerMixersThanLinked();
    void loadWithoutWriteAccess();
    void valueThatDoesNotTake_data();
    void valueThatDoesNotTake();
    void registerThatDoesNotTakeEndsTheTransfer();
    void olderModelUsesTenRegisters();
    void serialLinkSavesTheSameFile();
    void nothingAnswers();
    void saveToUnwritablePlace();
    void usageErrors();
    void loadOfWhatTheMixersHoldAndFullLoad();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Sim> m_unchanged; // the mixers the unusable files must leave alone
    QByteArray m_saved;
};

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The lines of one section of a written file, without the header.
QList<QByteArray> section(const QByteArray &file, const QByteArray &name)
{
    const QList<QByteArray> lines = file.split('\n');
    QList<QByteArray> out;
    bool inside = false;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inside = line == '[' + name + ']';
            continue;
        }
        if (inside)
            out << line;
    }
    return out;
}

// Replaces the value of `key` in `sectionName`.
QByteArray withValue(QByteArray file, const QByteArray &sectionName, const QByteArray &key, const QByteArray &value)
{
    const qsizetype start = file.indexOf('[' + sectionName + "]\r\n");
    const qsizetype at = file.indexOf("\r\n" + key + '=', start) + 2;
    const qsizetype end = file.indexOf("\r\n", at);
    return file.replace(at, end - at, key + '=' + value);
}

QByteArray getValue(const Sim &sim, const QString &mixer, const QString &key)
{
    return ctl(ethernet(sim) + QStringList{"get", mixer, key}).out.trimmed();
}

} // namespace

void TstCliSaveLoad::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstCliSaveLoad::saveWritesEveryMixerTheSameEachTime()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "2", "InputGain_3=40", "Threshold=16400"}).exitCode, 0);

    const Run first = ctl(ethernet(sim) + QStringList{"save", path("a.ini")});
    QCOMPARE(first.exitCode, 0);
    QVERIFY2(first.err.isEmpty(), first.err.constData());
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("b.ini")}).exitCode, 0);

    const QByteArray file = readFile(path("a.ini"));
    QCOMPARE(readFile(path("b.ini")), file);
    // Two mixers: their parameter and panel sections, then the system.
    QList<QByteArray> headers;
    for (const QByteArray &line : file.split('\n'))
        if (line.startsWith('['))
            headers << line.trimmed();
    QCOMPARE(headers, (QList<QByteArray>{"[Mixer_Master]", "[Mixer_Slave1]", "[GUI_Master]", "[GUI_Slave1]",
                                          "[SystemData]"}));
    QVERIFY(file.endsWith("\r\n"));
    QVERIFY(!file.contains("\r\n\r\n"));
    const QList<QByteArray> slave = section(file, "Mixer_Slave1");
    QVERIFY(slave.contains("InputGain_3=40"));
    QVERIFY(slave.contains("Threshold=16400"));
    QVERIFY(slave.contains("Model=1"));
    QVERIFY(section(file, "Mixer_Master").contains("InputGain_3=0"));
    QVERIFY(section(file, "SystemData").contains("MixerCount=2"));
    // The extension registers as the mixer holds them, in field form.
    QVERIFY(section(file, "Mixer_Master").contains("ThresholdMax=16383"));
    QVERIFY(section(file, "Mixer_Master").contains("Silent_Time=50"));
    QVERIFY(slave.contains("Silent_Time=50"));
}

void TstCliSaveLoad::loadBringsSavedValuesBack()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "2", "InputGain_3=40", "Mute_8=1"}).exitCode, 0);
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "1", "Threshold=16400", "KeyLock=1"}).exitCode, 0);
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);

    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "2", "InputGain_3=7", "Mute_8=0"}).exitCode, 0);
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "--raw", "1", "Threshold=200", "KeyLock=0", "Noma=5"}).exitCode, 0);

    const Run load = ctl(ethernet(sim) + QStringList{"load", path("a.ini")});
    QCOMPARE(load.exitCode, 0);
    QVERIFY2(load.err.isEmpty(), load.err.constData());
    QCOMPARE(getValue(sim, "2", "InputGain_3"), QByteArray("40"));
    QCOMPARE(getValue(sim, "2", "Mute_8"), QByteArray("1"));
    QCOMPARE(getValue(sim, "1", "Threshold"), QByteArray("16400"));
    QCOMPARE(getValue(sim, "1", "KeyLock"), QByteArray("1"));
    QVERIFY(section(readFile(path("a.ini")), "Mixer_Master").contains("Noma=" + getValue(sim, "1", "Noma")));
    // And the mixers now save to the same file again.
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("b.ini")}).exitCode, 0);
    QCOMPARE(readFile(path("b.ini")), readFile(path("a.ini")));
}

void TstCliSaveLoad::extendedValuesAreWrittenAndReadBack()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    // Negative and 32-bit fields take the register conversions both ways;
    // the extended values of every mixer come from the master's section.
    QByteArray file = readFile(path("a.ini"));
    file = withValue(file, "Mixer_Master", "ThresholdMax", "12000");
    file = withValue(file, "Mixer_Master", "OutPeakLEDK", "-150");
    file = withValue(file, "Mixer_Master", "Noise_Detection_Reference", "-5");
    file = withValue(file, "Mixer_Master", "Hold_Time2", "77");
    file = withValue(file, "Mixer_Slave1", "ThresholdMax", "9");
    QVERIFY(writeFile(path("ext.ini"), file));

    const Run load = ctl(ethernet(sim) + QStringList{"load", path("ext.ini")});
    QCOMPARE(load.exitCode, 0);
    QVERIFY2(load.err.isEmpty(), load.err.constData());

    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("back.ini")}).exitCode, 0);
    const QByteArray back = readFile(path("back.ini"));
    for (const QByteArray &name : {QByteArray("Mixer_Master"), QByteArray("Mixer_Slave1")}) {
        const QList<QByteArray> s = section(back, name);
        QVERIFY2(s.contains("ThresholdMax=12000"), name.constData());
        QVERIFY(s.contains("OutPeakLEDK=-150"));
        QVERIFY(s.contains("Noise_Detection_Reference=-5"));
        QVERIFY(s.contains("Hold_Time2=77"));
    }
}

void TstCliSaveLoad::unusableFileSendsNothing_data()
{
    QTest::addColumn<QByteArray>("line");       // put after the master's InputLevel_1 line (line 3)
    QTest::addColumn<QByteArray>("mixerCount"); // replaces MixerCount when not empty
    QTest::addColumn<QByteArray>("cutFrom");    // the file loses what lies from here ...
    QTest::addColumn<QByteArray>("cutTo");      // ... to here (to its end when empty)
    QTest::addColumn<QString>("said");          // part of the message
    auto row = [](const char *name, const QByteArray &line, const QString &said, const QByteArray &count = {},
                  const QByteArray &from = {}, const QByteArray &to = {}) {
        QTest::newRow(name) << line << count << from << to << said;
    };
    row("blanks around =", "Active = True\r\n", QStringLiteral("4 行目"));
    row("header with tail", "[Mixer_Master]x\r\n", QStringLiteral("4 行目"));
    row("not a byte", "InputLevel_2=300\r\n", QStringLiteral("4 行目: InputLevel_2=300 はエディターで設定できる範囲 0..3 の外"));
    row("unknown key", "Volume=3\r\n", QStringLiteral("4 行目"));
    row("two =", "InputLevel_2=1=2\r\n", QStringLiteral("4 行目"));
    row("key as header", "[Active]\r\n", QStringLiteral("4 行目"));
    row("no CP932", "ImageFileName=\x82\r\n", QStringLiteral("4 行目"));
    row("link count 17", {}, QStringLiteral("MixerCount「17」"), "17");
    row("link count -1", {}, QStringLiteral("MixerCount「-1」"), "-1");
    // Values no register or parameter holds whole, and values the editor
    // cannot set: refused with the line and the range, not cut and sent.
    row("gain the editor cannot set", "InputGain_2=200\r\n", QStringLiteral("4 行目: InputGain_2=200 はエディターで設定できる範囲 0..64 の外"));
    row("silent time of a byte", "Silent_Time=300\r\n", QStringLiteral("4 行目: Silent_Time=300 はエディターで設定できる範囲 0..119 の外"));
    row("negative register", "ThresholdMin=-1\r\n", QStringLiteral("4 行目: ThresholdMin=-1 はエディターで設定できる範囲 0..32767 の外"));
    row("negative hold time", "Hold_Time2=-2\r\n", QStringLiteral("4 行目: Hold_Time2=-2 はエディターで設定できる範囲 0..119 の外"));
    row("negative threshold", "Threshold=-5\r\n", QStringLiteral("4 行目: Threshold=-5 はエディターで設定できる範囲 0..32767 の外"));
    // Files that are no whole system.
    row("empty", {}, QStringLiteral("[SystemData] に MixerCount がありません"), {}, "[Mixer_Master]");
    row("cut in the panel", {}, QStringLiteral("[SystemData] に MixerCount がありません"), {}, "[GUI_Slave1]");
    row("mixer missing", {}, QStringLiteral("MixerCount は 2 ですが [Mixer_Slave1] がありません"), {}, "[Mixer_Slave1]", "[GUI_Master]");
    row("section cut short", {}, QStringLiteral("[Mixer_Master] が途中で切れています (Hold_Time2 がありません)"), {}, "Hold_Time2=",
        "[Mixer_Slave1]");
}

void TstCliSaveLoad::unusableFileSendsNothing()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, mixerCount);
    QFETCH(QByteArray, cutFrom);
    QFETCH(QByteArray, cutTo);
    QFETCH(QString, said);
    // Every row leaves the mixers as they were: one virtual mixer and one
    // saved file serve them all.
    if (!m_unchanged) {
        m_unchanged = std::make_unique<Sim>();
        QVERIFY(m_unchanged->start({"--tcp", "0", "--mixers", "2"}));
        QCOMPARE(ctl(ethernet(*m_unchanged) + QStringList{"save", path("good.ini")}).exitCode, 0);
        m_saved = readFile(path("good.ini"));
    }
    Sim &sim = *m_unchanged;
    QByteArray file = withValue(m_saved, "Mixer_Master", "InputLevel_1", "3");
    const QByteArray anchor = "InputLevel_1=3\r\n";
    file.insert(file.indexOf(anchor) + anchor.size(), line);
    if (!mixerCount.isEmpty())
        file = withValue(file, "SystemData", "MixerCount", mixerCount);
    if (!cutFrom.isEmpty())
        file = file.left(file.indexOf(cutFrom)) + (cutTo.isEmpty() ? QByteArray() : file.mid(file.indexOf(cutTo)));
    QVERIFY(writeFile(path("bad.ini"), file));

    const Run r = ctl(ethernet(sim) + QStringList{"load", path("bad.ini")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(errText(r).contains(path("bad.ini")), r.err.constData());
    QVERIFY2(errText(r).contains(said), r.err.constData());
    QCOMPARE(getValue(sim, "1", "InputLevel_1"), QByteArray("1"));
    // The file is judged before the link is opened: where nothing listens,
    // the only message is still the one about the file.
    const Run nowhere = ctl(QStringList{"--ethernet", "127.0.0.1:9", "load", path("bad.ini")});
    QCOMPARE(nowhere.exitCode, 1);
    QCOMPARE(nowhere.err, r.err);
    QCOMPARE(r.err.count('\n'), 1);
    // A dry run refuses the file in the same words, before any link too.
    const Run dry = ctl(QStringList{"--ethernet", "127.0.0.1:9", "load", "--dry-run", path("bad.ini")});
    QCOMPARE(dry.exitCode, 1);
    QCOMPARE(dry.err, r.err);
    QVERIFY(dry.out.isEmpty());
}

// The tool says in its own words what a load of another link count does and
// never prints the program's question: the file's extra mixers are not sent;
// linked mixers the file lacks keep their values, which a script accepts
// with --yes and a person at the terminal is asked about.
void TstCliSaveLoad::fileWithMoreMixersThanLinked()
{
    {
        Sim three;
        QVERIFY(three.start({"--tcp", "0", "--mixers", "3"}));
        for (const char *m : {"1", "2", "3"})
            QCOMPARE(ctl(ethernet(three) + QStringList{"set", m, QStringLiteral("InputGain_1=%1").arg(m)}).exitCode,
                     0);
        QCOMPARE(ctl(ethernet(three) + QStringList{"save", path("three.ini")}).exitCode, 0);
    }
    Sim two;
    QVERIFY(two.start({"--tcp", "0", "--mixers", "2"}));
    const Run r = ctl(ethernet(two) + QStringList{"load", path("three.ini")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(errText(r), QStringLiteral("load: %1 にはミキサー 3 台分の値があり、接続されているのは 2 台です: ファイルのミキサー 3 は送信しません\n")
                             .arg(path("three.ini")));
    QCOMPARE(getValue(two, "1", "InputGain_1"), QByteArray("1"));
    QCOMPARE(getValue(two, "2", "InputGain_1"), QByteArray("2"));
}

void TstCliSaveLoad::fileWithFewerMixersThanLinked()
{
    {
        Sim one;
        QVERIFY(one.start({"--tcp", "0", "--mixers", "1"}));
        QCOMPARE(ctl(ethernet(one) + QStringList{"set", "1", "InputGain_1=44"}).exitCode, 0);
        QCOMPARE(ctl(ethernet(one) + QStringList{"save", path("one.ini")}).exitCode, 0);
    }
    Sim three;
    QVERIFY(three.start({"--tcp", "0", "--mixers", "3"}));
    QCOMPARE(ctl(ethernet(three) + QStringList{"set", "2", "InputGain_1=55"}).exitCode, 0);
    const QString told = QStringLiteral("load: %1 にはミキサー 1 台分の値があり、接続されているのは 3 台です: ミキサー 2..3 は今の値のままです\n")
                             .arg(path("one.ini"));

    // A script that did not say --yes is refused before anything is sent.
    const Run script = ctl(ethernet(three) + QStringList{"load", path("one.ini")});
    QCOMPARE(script.exitCode, 1);
    QCOMPARE(errText(script), told + QStringLiteral("load: このまま読み込むには --yes を指定してください。何も送信していません\n"));
    QCOMPARE(getValue(three, "1", "InputGain_1"), QByteArray("0"));

    // At a terminal the tool asks (stdin a real pty), and an answer other
    // than yes sends nothing.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    QProcess p;
    p.setStandardInputFile(QString::fromLocal8Bit(::ptsname(master)));
    p.start(bin("zkvr340a-ctl"), ethernet(three) + QStringList{"load", path("one.ini")});
    QCOMPARE(::write(master, "n\n", 2), ssize_t(2));
    QVERIFY(p.waitForFinished(60000));
    ::close(master);
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
             told + QStringLiteral("このまま読み込みますか？ [y/N] load: このまま読み込むには --yes を指定してください。何も送信していません\n"));
    QCOMPARE(getValue(three, "1", "InputGain_1"), QByteArray("0"));

    // With --yes the tool says what it does and does it: only the mixer the
    // file describes is filled, the others keep their values.
    const Run r = ctl(ethernet(three) + QStringList{"load", "--yes", path("one.ini")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(errText(r), told);
    QCOMPARE(getValue(three, "1", "InputGain_1"), QByteArray("44"));
    QCOMPARE(getValue(three, "2", "InputGain_1"), QByteArray("55"));
}

void TstCliSaveLoad::loadWithoutWriteAccess()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--deny-write"}));
    // Saving only reads, so it works without write access.
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    QVERIFY(writeFile(path("b.ini"), withValue(readFile(path("a.ini")), "Mixer_Master", "InputGain_1", "9")));
    const Run r = ctl(ethernet(sim) + QStringList{"load", path("b.ini")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(errText(r).contains(QStringLiteral("アクセス権限がありません。データ閲覧モードで動作します。")));
    QVERIFY(!errText(r).contains(QStringLiteral("ミキサーの設定に失敗しました"))); // no write was tried
    QVERIFY(!errText(r).contains(QStringLiteral("応答がありません")));
    QCOMPARE(getValue(sim, "1", "InputGain_1"), QByteArray("0"));
}

void TstCliSaveLoad::valueThatDoesNotTake_data()
{
    QTest::addColumn<QString>("stuck");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("gaveUp");
    QTest::newRow("master, compared") << "1:KeyLock=1" << QByteArray("Mixer_Master") << QByteArray("KeyLock")
                                      << QByteArray("0") << QStringLiteral("load: ミキサー 1 の KeyLock は 0 ではなく 1 と読み返されました") << true;
    // SetData does not compare a slave's KeyLock; the load still must not claim it took.
    QTest::newRow("slave, not compared") << "2:KeyLock=0" << QByteArray("Mixer_Slave1") << QByteArray("KeyLock")
                                         << QByteArray("1") << QStringLiteral("load: ミキサー 2 の KeyLock は 1 ではなく 0 と読み返されました") << false;
    // The threshold is compared whole, all 15 bits of it.
    QTest::newRow("slave's threshold") << "2:Threshold=100" << QByteArray("Mixer_Slave1") << QByteArray("Threshold")
                                       << QByteArray("16484") << QStringLiteral("load: ミキサー 2 の Threshold は 16484 ではなく 100 と読み返されました")
                                       << true;
}

void TstCliSaveLoad::valueThatDoesNotTake()
{
    QFETCH(QString, stuck);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QString, named);
    QFETCH(bool, gaveUp);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2", "--stuck", stuck}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    QVERIFY(writeFile(path("b.ini"), withValue(readFile(path("a.ini")), section, key, value)));
    const Run r = ctl(ethernet(sim) + QStringList{"load", path("b.ini")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(errText(r).contains(named), r.err.constData());
    QCOMPARE(errText(r).count(QStringLiteral("と読み返されました")), 1);
    QCOMPARE(errText(r).contains(QStringLiteral("ミキサーの設定に失敗しました")), gaveUp);
}

void TstCliSaveLoad::registerThatDoesNotTakeEndsTheTransfer()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--stuck", "1:ThresholdMin=100"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    QByteArray file = withValue(readFile(path("a.ini")), "Mixer_Master", "ThresholdMin", "300");
    file = withValue(file, "Mixer_Master", "InputGain_1", "33");
    QVERIFY(writeFile(path("b.ini"), file));
    const Run r = ctl(ethernet(sim) + QStringList{"load", path("b.ini")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(errText(r).contains(QStringLiteral("応答がありません")), r.err.constData());
    QVERIFY2(errText(r).endsWith(QStringLiteral("load: ミキサーは ThresholdMin=300 (レジスタ 2) を反映しませんでした: 読み返しで"
                                                "確かめられなかったため、そのあとの値は送信していません\n")),
             r.err.constData());
    // The transfer ended at the register: no parameter was sent after it.
    QCOMPARE(getValue(sim, "1", "InputGain_1"), QByteArray("0"));
}

void TstCliSaveLoad::olderModelUsesTenRegisters()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--model", "0"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    const QList<QByteArray> master = section(readFile(path("a.ini")), "Mixer_Master");
    QVERIFY(master.contains("Model=0"));
    QVERIFY(master.contains("ThresholdActDef=1"));   // register 10: read
    QVERIFY(master.contains("Silent_Time=0"));       // register 15 holds 50 but is not read
    // Loading writes registers 1..10 only: a stuck register 15 does not matter.
    Sim stuck;
    QVERIFY(stuck.start({"--tcp", "0", "--model", "0", "--stuck", "1:Silent_Time=50"}));
    const Run r = ctl(ethernet(stuck) + QStringList{"load", path("a.ini")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
}

void TstCliSaveLoad::serialLinkSavesTheSameFile()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--serial", "--mixers", "2"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "2", "Priority_1=0", "OnlyType=3"}).exitCode, 0);
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("tcp.ini")}).exitCode, 0);
    const Run r = ctl({"--serial", sim.endpoints.value("serial"), "save", path("serial.ini")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(readFile(path("serial.ini")), readFile(path("tcp.ini")));
}

void TstCliSaveLoad::nothingAnswers()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--drop", "1"}));
    const Run save = ctl(ethernet(sim) + QStringList{"save", path("a.ini")});
    QCOMPARE(save.exitCode, 1);
    QVERIFY(errText(save).contains(QStringLiteral("応答がありません")));
    QVERIFY(!QFile::exists(path("a.ini")));

    QVERIFY(writeFile(path("sys.ini"), "[SystemData]\r\nMixerCount=0\r\n"));
    const Run load = ctl(ethernet(sim) + QStringList{"load", path("sys.ini")});
    QCOMPARE(load.exitCode, 1);
    QVERIFY(errText(load).contains(QStringLiteral("応答がありません")));
}

void TstCliSaveLoad::saveToUnwritablePlace()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0"}));
    const QString target = path("no-such-folder/a.ini");
    const Run r = ctl(ethernet(sim) + QStringList{"save", target});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(errText(r).contains(QStringLiteral("設定値ファイルを保存できませんでした")));
    QVERIFY2(errText(r).contains(target), r.err.constData());

    // A failed save keeps the file that was there whole: a folder cannot be
    // replaced by a file.
    QVERIFY(QDir().mkpath(path("taken.ini")));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("taken.ini")}).exitCode, 1);
    QVERIFY(QFileInfo(path("taken.ini")).isDir());
    // Nor is a pipe (or a device) replaced by a file written beside it.
    QCOMPARE(::mkfifo(QFile::encodeName(path("pipe.ini")).constData(), 0600), 0);
    const Run pipe = ctl(ethernet(sim) + QStringList{"save", path("pipe.ini")});
    QCOMPARE(pipe.exitCode, 1);
    QVERIFY2(errText(pipe).contains(QStringLiteral("通常のファイルではないため")), pipe.err.constData());
    QVERIFY(!QFileInfo(path("pipe.ini")).isFile());

    const Run missing = ctl(ethernet(sim) + QStringList{"load", path("none.ini")});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(errText(missing).contains(path("none.ini")));
}

void TstCliSaveLoad::usageErrors()
{
    // Found before any link is opened: nothing listens at this address.
    const QStringList nowhere{"--ethernet", "127.0.0.1:9"};
    for (const QStringList &command : {QStringList{"save"}, QStringList{"load"}, QStringList{"save", "a", "b"},
                                       QStringList{"load", ""}}) {
        const Run r = ctl(nowhere + command);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
    }
}

// A file the mixers hold: nothing written, every value counted as held.
// --full writes them all the same: the 78 values of the mixer, then the
// older model's ten registers.
void TstCliSaveLoad::loadOfWhatTheMixersHoldAndFullLoad()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--model", "0", "--log-writes"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    // Each run begins with the access check, which writes InputLevel_1 back as it is.
    const auto writeLines = [&sim] {
        QByteArray out;
        while (sim.process.waitForReadyRead(300))
            out += sim.process.readAllStandardOutput();
        out += sim.process.readAllStandardOutput();
        return out.startsWith("write DS 01 01 ") ? int(out.count("write ")) - 1 : -1;
    };
    const Run same = ctl(ethernet(sim) + QStringList{"--verbose", "load", path("a.ini")});
    QCOMPARE(same.exitCode, 0);
    QVERIFY2(errText(same).contains(str(14300).arg(0).arg(88)), same.err.constData());
    QCOMPARE(writeLines(), 0);

    const Run full = ctl(ethernet(sim) + QStringList{"--verbose", "load", "--full", path("a.ini")});
    QCOMPARE(full.exitCode, 0);
    QVERIFY2(errText(full).contains(str(14300).arg(88).arg(0)), full.err.constData());
    QCOMPARE(writeLines(), 88);
}

ZK_TEST_GUILESS_MAIN(TstCliSaveLoad)
#include "tst_clisaveload.moc"
