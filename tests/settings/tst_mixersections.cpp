#include "mixer/mixerdata.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"
#include "tests/support/testmain.h"

#include <QTest>

class TstMixerSections : public QObject
{
    Q_OBJECT

private slots:
    void captureReadsReportedValues()
    {
        MixerState state;
        state.MixerCount = 2;
        MixerDataRecord &slave = state.MixerData[2];
        state.EditorOpen[2] = true; // written as the slave's Active
        slave.InputLevel(3) = 2;
        slave.RemoteOn(1) = 1;
        slave.KeyLock() = 1;
        slave.Threshold = -5;
        state.MixerSetData[2].InputLevel(3) = 0;     // wanted values are not captured
        state.Model[2] = 1;
        state.ExtendedData[2].Noise_Detection_Reference = 70000;
        PanelRuntime panel;
        panel.recordedRemoteOn[1][0] = 0;
        panel.recordedRemoteOff[1][7] = 1;

        MixerStateSettings mixers(state);
        SettingsTable t;
        mixers.capture(t, false, panel, 2);
        QCOMPARE(t.at(0, 1), QStringLiteral("True"));
        QCOMPARE(t.at(0, 0), QStringLiteral("False"));
        QCOMPARE(t.at(3, 1), QStringLiteral("2"));
        QCOMPARE(t.at(57, 1), QStringLiteral("1"));
        QCOMPARE(t.at(84, 1), QStringLiteral("1"));
        QCOMPARE(t.at(85, 1), QStringLiteral("-5"));
        QCOMPARE(t.at(86, 1), QStringLiteral("1"));
        QCOMPARE(t.at(98, 1), QStringLiteral("70000"));
        QCOMPARE(t.at(103, 1), QStringLiteral("8"));
        QCOMPARE(t.at(0, 2), QString());                 // not linked
        QCOMPARE(t.at(0, 32), QStringLiteral("2"));

        // From the panel: the remote values recorded when it took the
        // channels over, for the mixers it recorded; a mixer counted since
        // keeps its own.
        mixers.capture(t, true, panel, 2);
        QCOMPARE(t.at(57, 1), QStringLiteral("1"));
        panel.remoteRecord[1] = RemoteRecord::Held;
        mixers.capture(t, true, panel, 2);
        QCOMPARE(t.at(57, 1), QStringLiteral("0"));
        QCOMPARE(t.at(72, 1), QStringLiteral("1"));
        QCOMPARE(t.at(3, 1), QStringLiteral("2"));
    }

    // A mixer gone from the link is captured from what it last reported; its
    // model, no longer known, stays as the table had it.
    void captureKeepsMixersGoneFromTheLink()
    {
        MixerState state;
        state.MixerCount = 3;
        state.Model = {};
        state.Model[3] = 1;
        state.MixerData[3].InputGain(2) = 77;
        MixerStateSettings mixers(state);
        SettingsTable t;
        mixers.capture(t, false, {}, 3);

        state.MixerCount = 2;
        state.Model[3] = -1;
        mixers.capture(t, false, {}, 3);
        QCOMPARE(t.at(MixerKey::FirstBlock + 41, 2), QStringLiteral("77"));   // InputGain_2
        QCOMPARE(t.at(MixerKey::Model, 2), QStringLiteral("1"));
        QCOMPARE(t.at(0, 32), QStringLiteral("3"));
    }

    void applyMarksEveryValuePending()
    {
        MixerState state;
        SettingsTable t;
        t.set(0, 0, QStringLiteral("True"));
        t.set(1, 0, QStringLiteral("3"));
        t.set(85, 0, QStringLiteral("250"));
        t.set(97, 0, QStringLiteral("1"));               // Noise_Detection, master
        t.set(1, 1, QStringLiteral("2"));
        t.set(97, 1, QStringLiteral("0"));               // a slave's own extended value
        state.MixerSetData[3].InputLevel(1) = 0;

        MixerStateSettings mixers(state);
        mixers.apply(t, 2);
        QCOMPARE(state.MixerSetData[1].InputLevel(1), quint8(3));
        QCOMPARE(state.MixerSetData[1].Threshold, qint16(250));
        QVERIFY(!state.EditorOpen[1]); // a file's Active opens no editor
        QCOMPARE(state.MixerSetData[2].InputLevel(1), quint8(2));
        // Empty cells take the factory default (Threshold 100, HeadAmp 2).
        QCOMPARE(state.MixerSetData[2].Threshold, qint16(100));
        QCOMPARE(state.MixerSetData[2].HeadAmp(4), quint8(2));
        for (int m = 1; m <= 2; ++m)
            for (int k = 1; k <= 85; ++k)
                QVERIFY(state.waiting(m, k));
        QVERIFY(!state.waiting(1, 0));
        // Extended values come from the master's section for every mixer.
        QCOMPARE(state.ExtendedData[1].Noise_Detection, qint16(1));
        QCOMPARE(state.ExtendedData[2].Noise_Detection, qint16(1));
        QCOMPARE(state.ExtendedData[2].Silent_Time, qint16(50));
        // Mixer 3 was not applied.
        QVERIFY(!state.anyPending(3));
        QCOMPARE(state.MixerSetData[3].InputLevel(1), quint8(0));

        // A save takes the reported values, except those still waiting to be
        // sent: a save during SetData must not turn an edit into a no-op.
        state.MixerCount = 1;
        state.MixerData[1].InputLevel(1) = 1;
        state.MixerData[1].InputLevel(2) = 9;
        state.clearPending();                               // InputLevel_2 sent and verified,
        state.takeLoadedValue(1, 1, 3);                     // InputLevel_1 not yet
        mixers.takeReported();
        QCOMPARE(state.MixerSetData[1].InputLevel(1), quint8(3));
        QVERIFY(state.waiting(1, 1));
        QCOMPARE(state.MixerSetData[1].InputLevel(2), quint8(9));
        QCOMPARE(state.MixerSetData[2].InputLevel(1), quint8(2));
    }
};

ZK_TEST_GUILESS_MAIN(TstMixerSections)
#include "tst_mixersections.moc"
