// zkvr340a-ctl against the virtual mixer program, over TCP and over its
// pseudo-terminal: exit codes, and the shape of the JSON report.

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include "clitesthelpers.h"
#include "tests/support/testmain.h"

class TstCliStatus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void statusJson_data();
    void statusJson();
    void statusTable();
    void statusOverUsb();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
    void silentMixerExitsOne();
    void noListenerExitsOne();
    void missingDevicesExitOne();
};

void TstCliStatus::initTestCase()
{
    QVERIFY(QFileInfo(bin("zkvr340a-ctl")).isExecutable());
    QVERIFY(QFileInfo(bin("zkvr340a-sim")).isExecutable());
}

void TstCliStatus::statusJson_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("ethernet") << QStringLiteral("tcp");
    QTest::newRow("serial") << QStringLiteral("serial");
}

void TstCliStatus::statusJson()
{
    QFETCH(QString, link);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--serial", "--mixers", "3", "--model", "1",
                       "--stuck", "2:InputGain_3=40", "--stuck", "3:Threshold=16400"}));
    const QStringList linkArgs = link == QLatin1String("tcp")
        ? QStringList{"--ethernet", sim.endpoints.value("tcp")}
        : QStringList{"--serial", sim.endpoints.value("serial")};
    const Run r = ctl(linkArgs + QStringList{"status", "--json"});
    QVERIFY2(r.exitCode == 0, r.err.constData());

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(doc.isObject());
    const QJsonObject root = doc.object();
    QCOMPARE(root.keys(), (QStringList{"mixer_count", "mixers"}));
    QCOMPARE(root.value("mixer_count").toInt(), 3);
    const QJsonArray mixers = root.value("mixers").toArray();
    QCOMPARE(mixers.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject m = mixers[i].toObject();
        QCOMPARE(m.keys(), (QStringList{"mixer", "model", "values"}));
        QCOMPARE(m.value("mixer").toInt(), i + 1);
        QCOMPARE(m.value("model").toInt(), 1);
        const QJsonObject values = m.value("values").toObject();
        QCOMPARE(values.size(), 85);
        QCOMPARE(values.value("HeadAmp_1").toInt(), 2);
        QCOMPARE(values.value("KeyLock").toInt(), 0);
    }
    QCOMPARE(mixers[1].toObject().value("values").toObject().value("InputGain_3").toInt(), 40);
    QCOMPARE(mixers[0].toObject().value("values").toObject().value("Threshold").toInt(), 100);
    QCOMPARE(mixers[2].toObject().value("values").toObject().value("Threshold").toInt(), 16400);
}

void TstCliStatus::statusTable()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2", "--model", "0"}));
    const Run r = ctl({"status", "--ethernet", sim.endpoints.value("tcp")});
    QCOMPARE(r.exitCode, 0);
    const QString text = QString::fromUtf8(r.out);
    QVERIFY(text.contains(QStringLiteral("マスター")) && text.contains(QStringLiteral("スレーブ1")));
    QVERIFY(text.contains(QRegularExpression("\\nModel +0 +0\\n")));
    QVERIFY(text.contains(QRegularExpression("\\nThreshold +100 +100\\n")));
}

void TstCliStatus::statusOverUsb()
{
    QTemporaryDir devices;
    Sim sim;
    QVERIFY(sim.start({"--usb", devices.path(), "--mixers", "2"}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DEVBRIDGE_DEVICE_ROOT", devices.path());
    const Run r = ctl({"--usb", "status", "--json"}, env);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(root.value("mixer_count").toInt(), 2);
    QCOMPARE(root.value("mixers").toArray()[1].toObject().value("values").toObject().value("Threshold").toInt(), 100);
}

void TstCliStatus::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("no link") << QStringList{"status"};
    QTest::newRow("unknown command") << QStringList{"--ethernet", "127.0.0.1", "reboot"};
    QTest::newRow("bad status option") << QStringList{"--ethernet", "127.0.0.1", "status", "--yaml"};
    QTest::newRow("bad port") << QStringList{"--ethernet", "127.0.0.1:99999", "status"};
}

void TstCliStatus::usageErrorsExitTwo()
{
    QFETCH(QStringList, args);
    const Run r = ctl(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(QString::fromUtf8(r.err).contains(QStringLiteral("使い方: zkvr340a-ctl")));
    QVERIFY(r.out.isEmpty());
}

void TstCliStatus::silentMixerExitsOne()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--drop", "1"}));
    const Run r = ctl({"--ethernet", sim.endpoints.value("tcp"), "status", "--json"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(QString::fromUtf8(r.err).contains(QStringLiteral("応答がありません")));
    QVERIFY(r.out.isEmpty());
}

void TstCliStatus::noListenerExitsOne()
{
    // A port nobody listens on: take one from a closed listener.
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    // --timeout bounds the connect wait (30 s without it).
    QElapsedTimer elapsed;
    elapsed.start();
    const Run r = ctl({"--ethernet", QStringLiteral("127.0.0.1:%1").arg(port), "--timeout", "1", "status"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());
    QVERIFY2(elapsed.elapsed() < 10000, qPrintable(QString::number(elapsed.elapsed())));
}

void TstCliStatus::missingDevicesExitOne()
{
    const Run serial = ctl({"--serial", "/dev/zkvr340a-no-such-port", "status", "--json"});
    QCOMPARE(serial.exitCode, 1);
    QVERIFY(QString::fromUtf8(serial.err).contains(QStringLiteral("シリアルポートの初期化に失敗しました。")));
    QVERIFY(serial.out.isEmpty());

    QTemporaryDir empty;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DEVBRIDGE_DEVICE_ROOT", empty.path());
    const Run usb = ctl({"--usb", "status"}, env);
    QCOMPARE(usb.exitCode, 1);
    QVERIFY(QString::fromUtf8(usb.err).contains(QStringLiteral("応答がありません")));
}

ZK_TEST_GUILESS_MAIN(TstCliStatus)
#include "tst_clistatus.moc"
