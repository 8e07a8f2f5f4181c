// The settings dialogs' and the parameter grid's rules without widgets:
// titles, where a dialog opens, and what the grid lists for each item.

#include "editor/parametergrid.h"
#include "editor/settingsdialogs.h"
#include "tests/support/englishtexts.h"
#include "recordedsync.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {

QStringList labels(const ParameterGrid &g)
{
    QStringList out;
    for (const auto &row : g.rows)
        out << row.first;
    return out;
}

QStringList values(const ParameterGrid &g)
{
    QStringList out;
    for (const auto &row : g.rows)
        out << row.second;
    return out;
}

} // namespace

class TestDialogRules : public QObject
{
    Q_OBJECT

private slots:
    void titlesNameMixerAndChannel()
    {
        QCOMPARE(settingsDialogTitle(0, 2), QStringLiteral("マスター  ch 3"));
        QCOMPARE(settingsDialogTitle(3, 0), QStringLiteral("スレーブ 3  ch 25"));
        QCOMPARE(settingsDialogTitle(3, OutputSlot), QStringLiteral("スレーブ 3"));
    }

    void dialogOpensAtThePointerWithinThePanel_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("place");
        // Panel 12000 × 9000 twips with a 600-twip toolbar, dialog 3000 × 4000:
        // at most 12000 − 3000 − 420 = 8580 right and 9000 − 600 − 4000 − 980
        // = 3420 down.
        QTest::newRow("inside") << QPoint(1000, 2000) << QPoint(1000, 2000);
        QTest::newRow("right edge") << QPoint(11000, 500) << QPoint(8580, 500);
        QTest::newRow("bottom edge") << QPoint(500, 8000) << QPoint(500, 3420);
        QTest::newRow("corner") << QPoint(11900, 8900) << QPoint(8580, 3420);
    }
    void dialogOpensAtThePointerWithinThePanel()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, place);
        QCOMPARE(settingsDialogPlace(pointer, {3000, 4000}, {12000, 9000}, 600), place);
        // A panel smaller than the dialog puts it at the corner, not above
        // or left of the screen.
        QCOMPARE(settingsDialogPlace(pointer, {3000, 4000}, {2000, 3000}, 600), QPoint(0, 0));
    }

    void gridListsEveryChannelOfEveryMixer()
    {
        MixerState s;
        s.MixerCount = 1;
        s.MixerData[1].InputGain(2) = 32;
        s.MixerData[1].InputLevel(3) = 0;
        s.MixerData[1].InputLevel(4) = 7; // no caption stands for it
        const ParameterGrid gain = parameterGrid(4, s, 0);
        QCOMPARE(gain.title, QStringLiteral("チャンネルレベル(dB)"));
        QCOMPARE(gain.mixerHeader, QStringLiteral("ミキサー番号"));
        QCOMPARE(labels(gain), QStringList({"マスター    ch 1", "マスター    ch 2", "マスター    ch 3",
                                            "マスター    ch 4", "マスター    ch 5", "マスター    ch 6",
                                            "マスター    ch 7", "マスター    ch 8"}));
        QCOMPARE(values(gain).mid(0, 2), QStringList({"-96.0dB", "-10.0dB"}));
        QCOMPARE(values(parameterGrid(0, s, 0)).mid(0, 4),
                 QStringList({"0dB　(Mic)", "0dB　(Mic)", "-50dB　(Line)", "7"}));
        QCOMPARE(parameterGrid(7, s, 0).title, QStringLiteral("ｽﾚｯｼｮﾙﾄﾞ　計算対象"));
        QCOMPARE(values(parameterGrid(2, s, 0)).first(), QStringLiteral("0dB"));
        QCOMPARE(values(parameterGrid(6, s, 0)).first(), QStringLiteral("OFF"));

        s.MixerCount = 3;
        const QStringList slaves = labels(parameterGrid(1, s, 0));
        QCOMPARE(slaves.size(), 24);
        QCOMPARE(slaves[8], QStringLiteral("スレーブ1  ch 9"));
        QCOMPARE(slaves[23], QStringLiteral("スレーブ2  ch 24"));
    }

    // Each row says how the value written there stands, so the open grid
    // can mark what waits or failed.
    void gridRowsCarryTheWrittenValuesState()
    {
        MixerState s;
        s.MixerCount = 2;
        RecordedSync sync(s);
        sync.states[{2, channelKeyId(ChannelFamily::InputGain, 3)}] = ValueState::Waiting;
        sync.states[{1, channelKeyId(ChannelFamily::InputGain, 1)}] = ValueState::Failed;
        sync.states[{1, channelKeyId(ChannelFamily::HeadAmp, 1)}] = ValueState::Failed; // another item
        sync.states[{2, MixerKey::OutputGain}] = ValueState::Verified;
        const ParameterGrid gain = parameterGrid(4, s, 0, &sync);
        QCOMPARE(gain.states.size(), gain.rows.size());
        for (size_t r = 0; r < gain.states.size(); ++r) {
            const ValueState want = r == 0 ? ValueState::Failed : r == 8 + 2 ? ValueState::Waiting : ValueState::Settled;
            QCOMPARE(gain.states[r], want);
        }
        QCOMPARE(parameterGrid(9, s, 0, &sync).states, (std::vector<ValueState>{ValueState::Settled, ValueState::Verified}));
        QCOMPARE(parameterGrid(9, s, 0).states, (std::vector<ValueState>{ValueState::Settled, ValueState::Settled}));
    }

    void gridListsEveryMixer()
    {
        MixerState s;
        s.MixerCount = 2;
        s.MixerData[1].OutputLevel() = 1;
        s.MixerData[1].Threshold = 4000;
        s.MixerData[1].MuteChange() = 1; // manual: the chosen attenuation
        s.MixerData[1].MuteAtt() = 2;
        s.MixerData[2].MuteChange() = 0; // automatic: the mixer's ambient level
        const ParameterGrid att = parameterGrid(11, s, 12.5);
        QCOMPARE(att.title, QStringLiteral("ゲート減衰量設定"));
        QCOMPARE(labels(att), QStringList({"マスター", "スレーブ1"}));
        QCOMPARE(values(att), QStringList({"-20dB", "12.5"}));
        QCOMPARE(values(parameterGrid(8, s, 0)).first(), QStringLiteral("0dB　(Mic)"));
        QCOMPARE(values(parameterGrid(9, s, 0)).first(), QStringLiteral("-96.0dB"));
        QCOMPARE(values(parameterGrid(10, s, 0)).first(), QStringLiteral("4000"));
        QVERIFY(parameterGrid(12, s, 0).rows.empty());
    }

    // The editor's captions break lines at runs of spaces; the grid shows
    // them on one line, English words still a space apart.
    void gridInEnglish()
    {
        EnglishTexts english;
        QVERIFY(english.loaded);
        MixerState s;
        s.MixerCount = 2;
        QCOMPARE(parameterGrid(4, s, 0).title, QStringLiteral("Channel level (dB)"));
        QCOMPARE(parameterGrid(7, s, 0).title, QStringLiteral("In threshold calculation"));
        QCOMPARE(parameterGrid(0, s, 0).mixerHeader, QStringLiteral("Mixer"));
        const QStringList rows = labels(parameterGrid(0, s, 0));
        QCOMPARE(rows.first(), QStringLiteral("Master    ch 1"));
        QCOMPARE(rows[8], QStringLiteral("Slave 1  ch 9"));
        QCOMPARE(values(parameterGrid(0, s, 0)).first(), QStringLiteral("0dB　(Mic)"));
        QCOMPARE(settingsDialogTitle(3, 0), QStringLiteral("Slave 3  ch 25"));
    }
};

ZK_TEST_MAIN(TestDialogRules)
#include "tst_dialogrules.moc"
