#include "base/clock.h"
#include "base/languagescope.h"
#include "base/strings.h"
#include "cli/cliargs.h"
#include "cli/clicontext.h"
#include "cli/manpage.h"
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
    void toolArguments_data();
    void toolArguments();
    void manualAgreesWithTheReadme();
    void manPageKeepsTheManualAsText();
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
    QVERIFY(lines[0].contains(str(9747)) && lines[0].contains(str(9748).arg(1)));
    QVERIFY(lines[2].startsWith("InputLevel_1"));
    QVERIFY(lines.last().startsWith("Threshold"));
    QVERIFY(lines.last().trimmed().endsWith("-"));
    // The columns line up on a terminal, where the Japanese headings take
    // two columns a character: the heading is as wide as every row.
    auto columns = [](const QString &line) {
        int width = 0;
        for (const QChar c : line)
            width += (c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF) ? 2 : 1;
        return width;
    };
    for (const QString &line : lines)
        QCOMPARE(columns(line), columns(lines[0]));
}

// Help and usage errors of the whole tool, run in-process: all of them come
// before any link opens (a link option names a port nobody listens on).
void TstCliParse::toolArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out"); // a text stdout holds
    QTest::addColumn<QString>("err"); // a text stderr holds
    const QStringList link{"--ethernet", "127.0.0.1:1", "--timeout", "0.1"};
    const QString noLink = str(9745);
    // Every command answers its own --help and -h, with or without a link.
    QTest::newRow("save --help") << link + QStringList{"save", "--help"} << 0 << "save FILE" << "";
    QTest::newRow("save -h") << link + QStringList{"save", "-h"} << 0 << "save FILE" << "";
    QTest::newRow("load -h after the file") << link + QStringList{"load", "x.ini", "-h"} << 0 << "--dry-run" << "";
    QTest::newRow("status --help, no link") << QStringList{"status", "--help"} << 0 << "status [--json]" << "";
    QTest::newRow("--help before the command") << QStringList{"--help", "diff"} << 0 << "FILE_A FILE_B" << "";
    QTest::newRow("firmware -h") << QStringList{"firmware", "-h"} << 0 << "--power-cycled" << "";
    QTest::newRow("the manual") << QStringList{"--help"} << 0 << "--quiet" << "";
    // A word that looks like an option is one of the command's or refused.
    QTest::newRow("unknown option of save")
        << link + QStringList{"save", "--force", "x.ini"} << 2 << "" << "./--force";
    QTest::newRow("unknown short option") << link + QStringList{"load", "-x", "x.ini"} << 2 << "" << "./-x";
    QTest::newRow("json on save") << link + QStringList{"save", "--json", "x.ini"} << 2 << "" << "--json";
    QTest::newRow("dhcp value is no help") << link + QStringList{"ip", "set", "10.0.0.5", "hall", "--dhcp", "-h"}
                                           << 2 << "" << "--dhcp";
    // Usage errors name the real problem.
    QTest::newRow("unknown command, no link") << QStringList{"frobnicate"} << 2 << "" << "frobnicate";
    QTest::newRow("negative mixer") << link + QStringList{"get", "-1", "KeyLock"} << 2 << "" << "MIXER";
    QTest::newRow("bad key before the link") << QStringList{"get", "1", "Bogus"} << 2 << "" << "Bogus";
    QTest::newRow("two files need no link") << QStringList{"diff", "--bogus", "a", "b"} << 2 << "" << "--bogus";
    // Every command that talks to the mixers says so before it tries.
    const QList<QStringList> needLink{{"status"}, {"get", "1", "KeyLock"}, {"set", "1", "KeyLock=1"},
                                      {"save", "x.ini"}, {"load", "x.ini"}, {"ip", "get"},
                                      {"peek", "100"}, {"poke", "100", "1"}, {"firmware", "1", "x.bin"}};
    for (const QStringList &command : needLink)
        QTest::addRow("%s without a link", qPrintable(command.first())) << command << 2 << "" << noLink;
}

void TstCliParse::toolArguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir; // where "save --help" once wrote a file named "--help"
    QVERIFY(QDir::setCurrent(dir.path()));
    QString outText, errText;
    QTextStream o(&outText), e(&errText);
    SystemClock clock;
    QCOMPARE(int(runCli(args, o, e, clock)), exit);
    QVERIFY2(outText.contains(out), qPrintable(outText));
    QVERIFY2(errText.contains(err), qPrintable(errText));
    QCOMPARE(outText.isEmpty(), exit != 0);
    if (exit == 0)
        QVERIFY(errText.isEmpty());
    // The unknown command is named as such, not taken for a missing link.
    if (QTest::currentDataTag() == QByteArray("unknown command, no link"))
        QVERIFY(!errText.contains(str(9745)));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

namespace {
// The words of one kind a text names: options, environment variables, JSON keys.
QSet<QString> wordsOf(const QString &text, const QString &pattern)
{
    QSet<QString> words;
    const QRegularExpression re(pattern);
    for (auto m = re.globalMatch(text); m.hasNext();)
        words.insert(m.next().captured(1));
    return words;
}
} // namespace

// The manual --help prints and cli/README.md, installed beside it, name the
// same options, environment variables and JSON keys.
void TstCliParse::manualAgreesWithTheReadme()
{
    const LanguageScope english(Language::English);
    const QString manual = cliManual();
    QFile readmeFile(QStringLiteral(ZK_SOURCE_DIR "/cli/README.md"));
    QVERIFY(readmeFile.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(readmeFile.readAll());
    const QStringList patterns{QStringLiteral(R"re((?<![\w-])(--[a-z][a-z-]+))re"),
                               QStringLiteral(R"re(\b((?:ZKVR340A|DEVBRIDGE)_[A-Z_]+))re"),
                               QStringLiteral(R"re("([a-z_]+)":)re")};
    for (const QString &pattern : patterns) {
        const QSet<QString> inManual = wordsOf(manual, pattern);
        const QSet<QString> inReadme = wordsOf(readme, pattern);
        QVERIFY2(!inManual.isEmpty(), qPrintable(pattern));
        QVERIFY2(inManual == inReadme, qPrintable(QStringLiteral("%1: only in --help: %2; only in README: %3")
                                                       .arg(pattern, QStringList((inManual - inReadme).values()).join(' '),
                                                            QStringList((inReadme - inManual).values()).join(' '))));
    }
    // The man page reads the layout: headings alone stand at the margin.
    for (const QString &line : manual.split('\n'))
        QVERIFY2(line.isEmpty() || line.startsWith("    ") || line == line.toUpper(), qPrintable(line));
    // The example sets InputGain_3 to code 40 and calls it what the editor calls it.
    QVERIFY(manual.contains("-6.1dB (code 40)") && manual.contains("InputGain_3=40"));
}

void TstCliParse::manPageKeepsTheManualAsText()
{
    const QString page = manPageFromManual(QStringLiteral(
        "NAME\n    zk - a tool\n\nEXIT STATUS\n.not a request\n'nor this\n    a\\b --c\n"));
    const QStringList lines = page.split('\n');
    QVERIFY(lines.first().startsWith(".TH "));
    QVERIFY(lines.contains(".SH \"NAME\""));
    QVERIFY(lines.contains(".SH \"EXIT STATUS\""));
    QVERIFY(lines.contains("    zk \\- a tool"));
    QVERIFY(lines.contains("\\&.not a request"));
    QVERIFY(lines.contains("\\&'nor this"));
    QVERIFY(lines.contains("    a\\eb \\-\\-c"));
    // Requests are only the page's own: no text line begins with a control character.
    for (const QString &l : lines)
        if (l.startsWith('.') || l.startsWith('\''))
            QVERIFY2(QRegularExpression("^\\.(TH|SH|nf|fi|nh|ad) ?").match(l).hasMatch(), qPrintable(l));
    QCOMPARE(page.count(".nf"), page.count(".fi"));
}

ZK_TEST_GUILESS_MAIN(TstCliParse)
#include "tst_cliparse.moc"
