#include "mixer/mixerdata.h"
#include "mixer/parametertable.h"
#include "tests/support/testmain.h"

#include <QTest>

class TestParameterTable : public QObject
{
    Q_OBJECT

private slots:
    void keyListTextHasTheStoredForm()
    {
        const QString t = mixerKeyListText();
        QVERIFY(t.startsWith("0,Active,11,1,InputLevel_1,17,2,InputLevel_2,17,"));
        QVERIFY(t.contains(",72,Mute_8,17,73,OutputLevel,17,"));
        QVERIFY(t.contains(",85,Threshold,2,86,Model,2,"));
        QVERIFY(t.contains(",98,Noise_Detection_Reference,3,"));
        QVERIFY(t.endsWith(",15,Mixer_Slave15,-1,"));
        const auto entries = splitKeyList(t);
        QCOMPARE(int(entries.size()), MixerKey::Count + MixerKey::Sections);
        QCOMPARE(entries[104].key, QString("Mixer_Master"));
        QCOMPARE(entries[104].kind, KeyKind::Section);
    }

    void lookUps_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("id");
        QTest::newRow("Override_3 is RemoteOn(3)") << "Override_3" << 59;
        QTest::newRow("Mute_8 is RemoteOff(8)") << "Mute_8" << 72;
        QTest::newRow("first") << "InputLevel_1" << 1;
        QTest::newRow("KeyLock ends the block") << "KeyLock" << 84;
        QTest::newRow("ThresholdK2") << "ThresholdK2" << 103;
        QTest::newRow("case matters") << "keylock" << -1;
        QTest::newRow("section names are no keys") << "Mixer_Master" << -1;
    }
    void lookUps()
    {
        QFETCH(QString, key);
        QFETCH(int, id);
        QCOMPARE(mixerKeyId(key), id);
        if (id >= 0)
            QCOMPARE(mixerKey(id), key);
    }

    void keyIdsAddressTheNamedFields()
    {
        MixerDataRecord r;
        r.setValue(59, 7);
        QCOMPARE(int(r.RemoteOn(3)), 7);
        r.setValue(72, 9);
        QCOMPARE(int(r.RemoteOff(8)), 9);
        r.setValue(channelKeyId(ChannelFamily::InputGain, 2), 33);
        QCOMPARE(int(r.InputGain(2)), 33);
        r.setValue(MixerKey::KeyLock, 300); // a byte keeps its low byte
        QCOMPARE(int(r.KeyLock()), 300 & 0xFF);
        r.setValue(MixerKey::Threshold, 16400);
        QCOMPARE(r.value(MixerKey::Threshold), 16400);
        // Active says whether an editor shows the mixer: no value of the mixer.
        r.setValue(MixerKey::Active, 1);
        QCOMPARE(r.value(MixerKey::Active), 0);
        // The wire block is the record's bytes in key order.
        QCOMPARE(int(r.block[58]), 7);
    }

    // Offline the counts follow the mixers the panel is laid out for: they
    // grow together and never fall.
    void offlineCountsOnlyGrow()
    {
        MixerState s;
        s.MixerCount = 3;
        s.FileMixerCount = 2;
        s.takeInOfflineMixers(5);
        QCOMPARE(s.MixerCount, qint16(5));
        QCOMPARE(s.FileMixerCount, qint16(5));
        s.takeInOfflineMixers(1);
        QCOMPARE(s.MixerCount, qint16(5));
        QCOMPARE(s.FileMixerCount, qint16(5));
    }

    void startValuesAndFactoryTexts()
    {
        MixerState s;
        s.MixerSetData[4].InputGain(1) = 50;
        s.takeLoadedValue(4, 41, 50);
        s.resetToStartValues();
        for (int m = 1; m <= MaxMixers; ++m) {
            QCOMPARE(s.Model[size_t(m)], qint16(-1));
            QVERIFY(!s.anyPending(m));
        }
        MixerDataRecord &r = s.MixerData[3];
        QCOMPARE(int(r.HeadAmp(8)), 2);
        QCOMPARE(int(r.InputGain(1)), 0);
        QCOMPARE(int(r.Noma()), 1);
        QCOMPARE(r.Threshold, qint16(100));
        QCOMPARE(s.MixerSetData[4], MixerDataRecord::startValues());
        QCOMPARE(s.ExtendedData[2].ThresholdK2, qint16(8));
        QCOMPARE(s.ExtendedData[2].value(88), 100);

        QStringList tail;
        for (int id = 73; id <= 103; ++id)
            tail << factoryDefaultText(id);
        QCOMPARE(tail.join(','), QString("1,0,1,1,1,0,0,1,1,1,0,0,100,1,16383,100,100,10,0,1,"
                                         "16383,100,1,1,0,0,0,0,50,50,8"));
        QCOMPARE(factoryDefaultText(17), QString("2"));
        QVERIFY(factoryDefaultText(104).isEmpty());
    }

    void extendedValuesKeepTheirWidth()
    {
        ExtendedRecord e;
        e.setValue(98, 70000); // 32-bit field
        QCOMPARE(e.value(98), 70000);
        e.setValue(91, -6);    // OutPeakLEDK may be negative
        QCOMPARE(e.value(91), -6);
        e.setValue(87, 70000); // 16-bit field keeps its low 16 bits
        QCOMPARE(e.value(87), qint32(qint16(70000)));
        QCOMPARE(e.value(50), 0);
    }
};

ZK_TEST_GUILESS_MAIN(TestParameterTable)
#include "tst_parametertable.moc"
