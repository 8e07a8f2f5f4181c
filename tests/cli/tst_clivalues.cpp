// zkvr340a-ctl get and set against the virtual mixer program over TCP.

#include "clitesthelpers.h"

#include "cli/valuecommands.h"

class TstCliValues : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void setThenGet();
    void setThatDoesNotTakeFails();
    void setRefusedWithoutWriteAccess();
};

void TstCliValues::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("wantValue");
    QTest::addColumn<int>("keyId"); // 0: refused
    QTest::addColumn<int>("mixer");
    QTest::newRow("get") << QStringList{"InputGain_3"} << false << 43 << 1;
    QTest::newRow("get mixer") << QStringList{"--mixer", "16", "KeyLock"} << false << 84 << 16;
    QTest::newRow("get threshold") << QStringList{"Threshold", "--json"} << false << 85 << 1;
    QTest::newRow("get extended key") << QStringList{"ThresholdMax"} << false << 0 << 1;
    QTest::newRow("get mixer 17") << QStringList{"KeyLock", "--mixer=17"} << false << 0 << 1;
    QTest::newRow("set") << QStringList{"Mute_8", "1", "--mixer=2"} << true << 72 << 2;
    QTest::newRow("set byte 256") << QStringList{"Mute_8", "256"} << true << 0 << 1;
    QTest::newRow("set threshold 32767") << QStringList{"Threshold", "32767"} << true << 85 << 1;
    QTest::newRow("set threshold 32768") << QStringList{"Threshold", "32768"} << true << 0 << 1;
    QTest::newRow("set without value") << QStringList{"Mute_8"} << true << 0 << 1;
    QTest::newRow("set --json") << QStringList{"Mute_8", "1", "--json"} << true << 0 << 1;
}

void TstCliValues::parse()
{
    QFETCH(QStringList, args);
    QFETCH(bool, wantValue);
    QFETCH(int, keyId);
    QFETCH(int, mixer);
    ValueArgs v;
    const QString error = parseValueArgs(args, wantValue, v);
    QCOMPARE(error.isEmpty(), keyId != 0);
    if (keyId) {
        QCOMPARE(v.keyId, keyId);
        QCOMPARE(v.mixer, mixer);
    }
}

void TstCliValues::setThenGet()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "3"}));
    const QStringList link{"--ethernet", sim.endpoints.value("tcp")};
    QCOMPARE(ctl(link + QStringList{"set", "InputGain_3", "40", "--mixer", "3"}).exitCode, 0);
    QCOMPARE(ctl(link + QStringList{"get", "InputGain_3", "--mixer", "3"}).out, QByteArray("40\n"));
    QCOMPARE(ctl(link + QStringList{"get", "InputGain_3", "--mixer", "2"}).out, QByteArray("0\n"));
    QCOMPARE(ctl(link + QStringList{"set", "Threshold", "16400", "--mixer", "2"}).exitCode, 0);
    QCOMPARE(ctl(link + QStringList{"get", "Threshold", "--mixer", "2", "--json"}).out,
             QByteArray("{\"mixer\": 2, \"key\": \"Threshold\", \"value\": 16400}\n"));
    // A mixer that is not linked does not answer DR M.
    const Run missing = ctl(link + QStringList{"get", "KeyLock", "--mixer", "4"});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(QString::fromUtf8(missing.err).contains(QStringLiteral("応答がありません")));
}

void TstCliValues::setThatDoesNotTakeFails()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--stuck", "1:KeyLock=1"}));
    const Run r = ctl({"--ethernet", sim.endpoints.value("tcp"), "set", "KeyLock", "0"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(QString::fromUtf8(r.err).contains(QStringLiteral("ミキサーの設定に失敗しました")));
}

void TstCliValues::setRefusedWithoutWriteAccess()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--deny-write"}));
    const Run r = ctl({"--ethernet", sim.endpoints.value("tcp"), "set", "KeyLock", "1"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(QString::fromUtf8(r.err).contains(QStringLiteral("アクセス権限がありません")));
}

QTEST_GUILESS_MAIN(TstCliValues)
#include "tst_clivalues.moc"
