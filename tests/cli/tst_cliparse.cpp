#include "cli/cliargs.h"
#include "cli/statusreport.h"
#include "tests/support/testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TstCliParse : public QObject
{
    Q_OBJECT
private slots:
    void arguments_data();
    void arguments();
    void decodeAndJson();
    void badLengthsAreRefused();
    void table();
};

void TstCliParse::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("where"); // host:port or device
    QTest::addColumn<QStringList>("rest");
    using K = CliLink::Kind;
    QTest::newRow("ethernet default port") << QStringList{"--ethernet", "127.0.0.1", "status"} << true
                                           << int(K::Ethernet) << "127.0.0.1:1001" << QStringList{};
    QTest::newRow("ethernet port, json") << QStringList{"--ethernet=127.0.0.1:4000", "status", "--json"} << true
                                         << int(K::Ethernet) << "127.0.0.1:4000" << QStringList{"--json"};
    QTest::newRow("link after command") << QStringList{"status", "--json", "--serial", "/dev/pts/9"} << true
                                        << int(K::Serial) << "/dev/pts/9" << QStringList{"--json"};
    QTest::newRow("usb") << QStringList{"--usb", "status"} << true << int(K::Usb) << "" << QStringList{};
    QTest::newRow("no link") << QStringList{"status"} << false << 0 << "" << QStringList{};
    QTest::newRow("two links") << QStringList{"--usb", "--serial", "/dev/x", "status"} << false << 0 << ""
                               << QStringList{};
    QTest::newRow("no command") << QStringList{"--usb"} << false << 0 << "" << QStringList{};
    QTest::newRow("port 0") << QStringList{"--ethernet", "h:0", "status"} << false << 0 << "" << QStringList{};
    QTest::newRow("port text") << QStringList{"--ethernet", "h:x", "status"} << false << 0 << ""
                               << QStringList{};
    QTest::newRow("missing value") << QStringList{"status", "--serial"} << false << 0 << "" << QStringList{};
    QTest::newRow("unknown option") << QStringList{"--fast", "status"} << false << 0 << "" << QStringList{};
    QTest::newRow("timeout") << QStringList{"--ethernet", "h", "--timeout", "2.5", "status"} << true
                             << int(K::Ethernet) << "h:1001" << QStringList{};
    QTest::newRow("timeout after command") << QStringList{"status", "--timeout=1", "--usb"} << true
                                           << int(K::Usb) << "" << QStringList{};
    for (const char *bad : {"0", "-1", "x", "nan", "86401"})
        QTest::addRow("timeout %s", bad) << QStringList{"--usb", "--timeout", bad, "status"} << false << 0
                                         << "" << QStringList{};
    QTest::newRow("timeout without value") << QStringList{"--usb", "status", "--timeout"} << false << 0 << ""
                                           << QStringList{};
}

void TstCliParse::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    const CliParseResult r = parseCliArguments(args);
    QCOMPARE(r.ok, ok);
    if (!ok) {
        QVERIFY(!r.error.isEmpty());
        return;
    }
    QFETCH(int, kind);
    QFETCH(QString, where);
    QFETCH(QStringList, rest);
    const CliLink &l = r.invocation.link;
    QCOMPARE(int(l.kind), kind);
    if (l.kind == CliLink::Kind::Ethernet)
        QCOMPARE(QStringLiteral("%1:%2").arg(l.host).arg(l.port), where);
    if (l.kind == CliLink::Kind::Serial)
        QCOMPARE(l.device, where);
    QCOMPARE(r.invocation.command, QStringLiteral("status"));
    QCOMPARE(r.invocation.commandArgs, rest);
    if (args.contains("2.5"))
        QCOMPARE(l.connectSeconds, 2.5);
    else if (!args.join(' ').contains("--timeout"))
        QCOMPARE(l.connectSeconds, 30.0);
}

namespace {
QByteArray dataReply(int mixers)
{
    QByteArray r("DR\0", 3);
    for (int m = 0; m < mixers; ++m)
        for (int k = 1; k <= 84; ++k)
            r.append(char(quint8(m * 100 + k)));
    return r;
}
} // namespace

void TstCliParse::decodeAndJson()
{
    StatusReport report;
    QVERIFY(decodeDataBlocks(dataReply(2), report));
    QByteArray tr("TR\0", 3);
    tr.append(char(0xC0)).append(char(0x10)); // top bit cleared: 0x4010
    tr.append(char(0x00)).append(char(0x64));
    QVERIFY(decodeThresholds(tr, report));
    report.mixers[1].model = 1;

    const QByteArray json = statusJson(report);
    QCOMPARE(json.count('\n'), 1); // one line, one object
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    QCOMPARE(err.error, QJsonParseError::NoError);
    const QJsonObject root = doc.object();
    QCOMPARE(root.value("mixer_count").toInt(), 2);
    const QJsonArray mixers = root.value("mixers").toArray();
    QCOMPARE(mixers.size(), 2);
    const QJsonObject second = mixers[1].toObject();
    QCOMPARE(second.value("mixer").toInt(), 2);
    QCOMPARE(second.value("model").toInt(), 1);
    const QJsonObject values = second.value("values").toObject();
    QCOMPARE(values.size(), 85);
    QCOMPARE(values.value("InputLevel_1").toInt(), 101);
    QCOMPARE(values.value("Override_3").toInt(), 159);
    QCOMPARE(values.value("KeyLock").toInt(), 184);
    QCOMPARE(values.value("Threshold").toInt(), 100);
    QCOMPARE(mixers[0].toObject().value("values").toObject().value("Threshold").toInt(), 0x4010);
    // Keys come in key-id order.
    QVERIFY(json.indexOf("\"InputLevel_8\"") < json.indexOf("\"Phantom_1\""));
    QVERIFY(json.indexOf("\"KeyLock\"") < json.indexOf("\"Threshold\""));
}

void TstCliParse::badLengthsAreRefused()
{
    StatusReport report;
    QVERIFY(!decodeDataBlocks(dataReply(3) + 'x', report));
    QVERIFY(!decodeDataBlocks(QByteArray("DR\0", 3), report));
    QVERIFY(!decodeDataBlocks(dataReply(17), report));
    QVERIFY(decodeDataBlocks(dataReply(3), report));
    QVERIFY(!decodeThresholds(QByteArray("TR\0\1", 4), report));
    // A threshold reply covering fewer mixers leaves the others without a value.
    QVERIFY(decodeThresholds(QByteArray("TR\0\0\5", 5), report));
    QCOMPARE(report.mixers[0].threshold.value_or(-1), 5);
    QVERIFY(!report.mixers[2].threshold.has_value());
    QVERIFY(statusJson(report).contains("\"Threshold\": null"));
}

void TstCliParse::table()
{
    StatusReport report;
    QVERIFY(decodeDataBlocks(dataReply(2), report));
    const QStringList lines = statusTable(report).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 1 + 85); // header, model, 85 values
    QVERIFY(lines[0].contains("Master") && lines[0].contains("Slave1"));
    QVERIFY(lines[2].startsWith("InputLevel_1"));
    QVERIFY(lines.last().startsWith("Threshold"));
    QVERIFY(lines.last().trimmed().endsWith("-"));
}

ZK_TEST_GUILESS_MAIN(TstCliParse)
#include "tst_cliparse.moc"
