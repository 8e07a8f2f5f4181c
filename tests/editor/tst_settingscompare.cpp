// What a settings file would change in the linked mixers (and how two files
// differ), each value named and shown as the editor names and shows it.

#include "editor/settingscompare.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {

constexpr int Sys = SettingsGrid::SystemSection;

// Three linked mixers with a few values of their own, and the file a save
// of them writes.
struct System
{
    explicit System(int linked = 3)
    {
        mixers.MixerCount = qint16(linked);
        for (int m = 1; m <= linked; ++m) {
            mixers.Model[size_t(m)] = 1;
            mixers.MixerData[size_t(m)].setValue(48, 20 + m); // InputGain_8
        }
        resetFileTable(file);
        MixerStateSettings(mixers).capture(file, false, PanelRuntime{}, linked);
    }
    void setFile(int mixer, const char *key, const QString &text)
    {
        file.set(mixerKeyId(QLatin1String(key)), mixer - 1, text);
    }
    SettingsComparison load() const
    {
        return compareLoad(SystemValues::fromMixers(mixers), SystemValues::fromFile(file));
    }

    MixerState mixers;
    SettingsTable file;
};

QStringList keysOf(const SettingsComparison &c)
{
    QStringList out;
    for (const MixerChanges &m : c.mixers)
        for (const ValueChange &v : m.values)
            out << QStringLiteral("%1:%2").arg(m.mixer).arg(v.key);
    return out;
}

const ValueChange *find(const SettingsComparison &c, int mixer, const QString &key)
{
    for (const MixerChanges &m : c.mixers)
        for (const ValueChange &v : m.values)
            if (m.mixer == mixer && v.key == key)
                return &v;
    return nullptr;
}

} // namespace

class TstSettingsCompare : public QObject
{
    Q_OBJECT

private slots:
    void fiveChangedValuesAreListedInTheEditorsTerms()
    {
        System s;
        QVERIFY(s.load().same());
        QCOMPARE(s.load().mixers.size(), size_t(3));

        s.setFile(2, "InputGain_3", QStringLiteral("40"));          // MUTE -> -6.1 dB, channel 11
        s.setFile(1, "Phantom_1", QStringLiteral("0"));             // ON -> OFF
        s.setFile(1, "HoldTime", QStringLiteral("3"));              // 1.0 s -> 2.0 s
        s.setFile(1, "OutPeakLEDK", QStringLiteral("-150"));        // 0.0 dB -> -15.0 dB
        s.setFile(1, "ThresholdMaxDef", QStringLiteral("12000"));   // an initial value
        const SettingsComparison c = s.load();

        QCOMPARE(keysOf(c), (QStringList{"1:Phantom_1", "1:HoldTime", "1:OutPeakLEDK", "1:ThresholdMaxDef",
                                         "2:InputGain_3"}));
        QCOMPARE(c.total(), 5);
        QCOMPARE(c.perTab, (std::array<int, EditorTabCount>{2, 1, 1, 1}));
        QCOMPARE(c.mixers[0].perTab, (std::array<int, EditorTabCount>{1, 1, 1, 1}));
        QCOMPARE(c.mixers[1].values.size(), size_t(1));
        QVERIFY(c.mixers[2].values.empty());
        QCOMPARE(c.mixers[1].name, QStringLiteral("スレーブ1"));
        QVERIFY(!c.countsDiffer());
        QVERIFY(countNote(c).isEmpty());

        const ValueChange *gain = find(c, 2, "InputGain_3");
        QCOMPARE(gain->label, QStringLiteral("チャンネルレベル(dB)"));
        QCOMPARE(gain->channel, 11);
        QCOMPARE(gain->tab, TabChannels);
        QCOMPARE((std::pair{gain->fromCode, gain->toCode}), (std::pair{0, 40}));
        QCOMPARE((std::pair{gain->fromText, gain->toText}), (std::pair{QStringLiteral("MUTE"), QStringLiteral("-6.1dB")}));

        const ValueChange *phantom = find(c, 1, "Phantom_1");
        QCOMPARE((std::pair{phantom->label, phantom->channel}), (std::pair{QStringLiteral("ﾌｧﾝﾄﾑ電源"), 1}));
        QCOMPARE((std::pair{phantom->fromText, phantom->toText}), (std::pair{QStringLiteral("ON"), QStringLiteral("OFF")}));

        const ValueChange *hold = find(c, 1, "HoldTime");
        QCOMPARE((std::pair{hold->label, hold->tab}), (std::pair{QStringLiteral("ホールド時間"), TabSystem}));
        QCOMPARE(hold->channel, 0);
        QCOMPARE((std::pair{hold->fromText, hold->toText}), (std::pair{QStringLiteral("1.0秒"), QStringLiteral("2.0秒")}));

        const ValueChange *peak = find(c, 1, "OutPeakLEDK");
        QCOMPARE((std::pair{peak->label, peak->tab}), (std::pair{QStringLiteral("レベルメーター表示レベル"), TabExtended}));
        QCOMPARE((std::pair{peak->fromText, peak->toText}), (std::pair{QStringLiteral("0.0dB"), QStringLiteral("-15.0dB")}));

        const ValueChange *def = find(c, 1, "ThresholdMaxDef");
        QCOMPARE((std::pair{def->label, def->tab}), (std::pair{QStringLiteral("スレッショルド最大値(初期値)"), TabDefaults}));
        QCOMPARE((std::pair{def->fromText, def->toText}), (std::pair{QStringLiteral("16383"), QStringLiteral("12000")}));
    }

    // Only what a load sends counts: the editor's activity flag and the
    // model code never travel, the extended data go out once from the
    // master's section, and an older master takes ten registers only. An
    // empty cell is sent as the factory value, so it compares as that.
    void onlyWhatALoadSendsIsCompared()
    {
        System s;
        s.setFile(1, "Active", QStringLiteral("True"));
        s.setFile(2, "Model", QStringLiteral("0"));
        s.setFile(2, "ThresholdMax", QStringLiteral("9"));
        s.setFile(1, "Silent_Time", QStringLiteral("70"));
        s.setFile(3, "KeyLock", QString());
        s.setFile(3, "InputGain_8", QStringLiteral("not a number"));
        QCOMPARE(keysOf(s.load()), (QStringList{"1:Silent_Time", "3:InputGain_8"}));
        QCOMPARE(find(s.load(), 1, "Silent_Time")->toText, QStringLiteral("3.55秒"));
        QCOMPARE(find(s.load(), 3, "InputGain_8")->toText, QStringLiteral("MUTE")); // the factory value

        s.mixers.Model[1] = 0;
        QCOMPARE(keysOf(s.load()), (QStringList{"3:InputGain_8"}));
    }

    // Priority_1..8 and OnlyType are one choice in the editor.
    void simultaneousSelectionIsOneChoice()
    {
        System s;
        for (int n = 1; n <= 8; ++n)
            s.setFile(2, qPrintable(QStringLiteral("Priority_%1").arg(n)), QStringLiteral("0"));
        s.setFile(2, "OnlyType", QStringLiteral("1"));
        const SettingsComparison c = s.load();
        QCOMPARE(keysOf(c), QStringList{"2:Simultaneous"});
        const ValueChange *v = find(c, 2, "Simultaneous");
        QCOMPARE((std::pair{v->label, v->tab}), (std::pair{QStringLiteral("同時選択許可チャンネル数"), TabSystem}));
        QCOMPARE((std::pair{v->fromText, v->toText}), (std::pair{QStringLiteral("All OK"), QStringLiteral("2ch オンリー")}));

        // The mixer keeps the choice in its priority switch (Priority_1)
        // and OnlyType: the bytes that repeat the switch for channels 2..8
        // are never sent, so they never count, and a code behind an
        // unchanged choice does, under its own key.
        System t;
        t.setFile(1, "Priority_5", QStringLiteral("0"));
        t.setFile(1, "OnlyType", QStringLiteral("3"));
        QCOMPARE(keysOf(t.load()), QStringList{"1:OnlyType"});
        // A mixer that took "3ch オンリー" shows its switch off on channel 1
        // alone: the same choice as the file the editor stores.
        System u;
        u.mixers.MixerData[2].setValue(49, 0);
        u.mixers.MixerData[2].setValue(MixerKey::OnlyType, 2);
        for (int n = 1; n <= 8; ++n)
            u.setFile(2, qPrintable(QStringLiteral("Priority_%1").arg(n)), QStringLiteral("0"));
        u.setFile(2, "OnlyType", QStringLiteral("2"));
        QVERIFY(u.load().same());
    }

    void mixerCountsThatDiffer_data()
    {
        QTest::addColumn<int>("linked");
        QTest::addColumn<int>("inFile");
        QTest::addColumn<bool>("twoFiles");
        QTest::addColumn<int>("compared");
        QTest::addColumn<QString>("note");
        QTest::newRow("file holds more") << 2 << 3 << false << 2
            << QStringLiteral("接続されているミキサーは 2 台、ファイルのミキサーは 3 台です。3 台目から先のファイルの値は送信されません。");
        QTest::newRow("file holds fewer") << 3 << 2 << false << 2
            << QStringLiteral("接続されているミキサーは 3 台、ファイルのミキサーは 2 台です。3 台目から先のミキサーはファイルになく、変わりません。");
        QTest::newRow("two files") << 3 << 2 << true << 2
            << QStringLiteral("最初のファイルのミキサーは 3 台、次のファイルは 2 台です。3 台目から先は片方のファイルにしかなく、比べていません。");
    }
    void mixerCountsThatDiffer()
    {
        QFETCH(int, linked);
        QFETCH(int, inFile);
        QFETCH(bool, twoFiles);
        QFETCH(int, compared);
        QFETCH(QString, note);
        System s(linked);
        System other(inFile);
        const SystemValues from = twoFiles ? SystemValues::fromFile(s.file) : SystemValues::fromMixers(s.mixers);
        const SystemValues to = SystemValues::fromFile(other.file);
        const SettingsComparison c = twoFiles ? compareFiles(from, to) : compareLoad(from, to);
        QVERIFY(c.countsDiffer());
        QVERIFY(!c.same());
        QCOMPARE(c.comparedMixers, compared);
        QCOMPARE(int(c.mixers.size()), compared);
        QCOMPARE(countNote(c), note);
        QCOMPARE(c.total(), 0); // the mixers both hold are alike
    }

    void valuesAsTheEditorShowsThem_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("attenuator") << "InputLevel_2" << 0 << QStringLiteral("-50dB　(Line)") /* the caption's full-width space stays */;
        QTest::newRow("head amp") << "HeadAmp_1" << 4 << QStringLiteral("-30dB");
        QTest::newRow("no such choice") << "HeadAmp_1" << 9 << QStringLiteral("9");
        QTest::newRow("output level") << "OutputLevel" << 1 << QStringLiteral("0dB(Line)");
        QTest::newRow("gate attenuation") << "MuteAtt" << 2 << QStringLiteral("-20dB");
        QTest::newRow("threshold unit") << "ThresholdUnit" << 1 << QStringLiteral("全体(Link時)");
        QTest::newRow("master level") << "OutputGain" << 64 << QStringLiteral("0.0dB");
        QTest::newRow("level beyond the table") << "OutputGain" << 65 << QStringLiteral("65");
        QTest::newRow("factor") << "ThresholdK" << 125 << QStringLiteral("1.25");
        QTest::newRow("threshold") << "Threshold" << 16400 << QStringLiteral("16400");
    }
    void valuesAsTheEditorShowsThem()
    {
        QFETCH(QString, key);
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(editorValueText(mixerKeyId(key), code), text);
    }
};

ZK_TEST_GUILESS_MAIN(TstSettingsCompare)
#include "tst_settingscompare.moc"
