// zkvr340a-ctl save FILE and load FILE against the virtual mixer program over
// TCP: a saved system comes back by loading it, extended values travel both
// ways, a file that cannot be used sends nothing, the link-count rule, and
// the failures of the link and of the file system.

#include "clitesthelpers.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QTemporaryDir>

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

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
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
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "1", "Threshold=200", "KeyLock=0", "Noma=5"}).exitCode, 0);

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
    QTest::addColumn<QString>("said");          // part of the message
    QTest::newRow("blanks around =") << QByteArray("Active = True\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("header with tail") << QByteArray("[Mixer_Master]x\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("not a byte") << QByteArray("InputLevel_2=300\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("unknown key") << QByteArray("Volume=3\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("two =") << QByteArray("InputLevel_2=1=2\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("key as header") << QByteArray("[Active]\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("no CP932") << QByteArray("ImageFileName=\x82\r\n") << QByteArray() << QStringLiteral("line 4");
    QTest::newRow("link count 17") << QByteArray() << QByteArray("17") << QStringLiteral("MixerCount \"17\"");
    QTest::newRow("link count -1") << QByteArray() << QByteArray("-1") << QStringLiteral("MixerCount \"-1\"");
}

void TstCliSaveLoad::unusableFileSendsNothing()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, mixerCount);
    QFETCH(QString, said);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("good.ini")}).exitCode, 0);
    QByteArray file = withValue(readFile(path("good.ini")), "Mixer_Master", "InputLevel_1", "9");
    const QByteArray anchor = "InputLevel_1=9\r\n";
    file.insert(file.indexOf(anchor) + anchor.size(), line);
    if (!mixerCount.isEmpty())
        file = withValue(file, "SystemData", "MixerCount", mixerCount);
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
}

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
    // The warning the program asks with is shown, then the load goes on.
    QVERIFY2(errText(r).contains(QStringLiteral("保存されているミキサーのリンク台数は3台です")), r.err.constData());
    QVERIFY(errText(r).contains(QStringLiteral("現在のリンク台数を超えるミキサーの情報は破棄されます")));
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
    Sim two;
    QVERIFY(two.start({"--tcp", "0", "--mixers", "2"}));
    QCOMPARE(ctl(ethernet(two) + QStringList{"set", "2", "InputGain_1=55"}).exitCode, 0);
    const Run r = ctl(ethernet(two) + QStringList{"load", path("one.ini")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(errText(r).contains(QStringLiteral("情報が存在しないミキサーはデフォルト状態となります")),
             r.err.constData());
    // Only the mixer the file describes is filled; the other keeps its values.
    QCOMPARE(getValue(two, "1", "InputGain_1"), QByteArray("44"));
    QCOMPARE(getValue(two, "2", "InputGain_1"), QByteArray("55"));
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
    QTest::addColumn<QByteArray>("keyLock");
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("gaveUp");
    QTest::newRow("master, compared") << "1:KeyLock=1" << QByteArray("Mixer_Master") << QByteArray("0")
                                      << "load: mixer 1 KeyLock reads back 1, not 0" << true;
    // SetData does not compare a slave's KeyLock; the load still must not claim it took.
    QTest::newRow("slave, not compared") << "2:KeyLock=0" << QByteArray("Mixer_Slave1") << QByteArray("1")
                                         << "load: mixer 2 KeyLock reads back 0, not 1" << false;
}

void TstCliSaveLoad::valueThatDoesNotTake()
{
    QFETCH(QString, stuck);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, keyLock);
    QFETCH(QString, named);
    QFETCH(bool, gaveUp);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2", "--stuck", stuck}));
    QCOMPARE(ctl(ethernet(sim) + QStringList{"save", path("a.ini")}).exitCode, 0);
    QVERIFY(writeFile(path("b.ini"), withValue(readFile(path("a.ini")), section, "KeyLock", keyLock)));
    const Run r = ctl(ethernet(sim) + QStringList{"load", path("b.ini")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(errText(r).contains(named), r.err.constData());
    QCOMPARE(errText(r).count(QStringLiteral("reads back")), 1);
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
    QCOMPARE(ctl(ethernet(sim) + QStringList{"set", "2", "Priority_4=1"}).exitCode, 0);
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

ZK_TEST_GUILESS_MAIN(TstCliSaveLoad)
#include "tst_clisaveload.moc"
