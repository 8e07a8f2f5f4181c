#include "settings/cp932text.h"
#include "settings/keytable.h"
#include "settings/panelcompare.h"
#include "settings/panelsections.h"
#include "settings/settingsfile.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray cp932(const QString &text)
{
    QStringEncoder enc("CP932");
    QByteArray b = enc.encode(text);
    Q_ASSERT(!enc.hasError());
    return b;
}

// Section headers of a written file, in order.
QStringList headers(const QByteArray &bytes)
{
    QStringList out;
    for (const QByteArray &line : bytes.split('\n'))
        if (line.startsWith('['))
            out << QString::fromLatin1(line.trimmed());
    return out;
}

} // namespace

class TstSettingsFile : public QObject
{
    Q_OBJECT

    SetDataKeyTable m_keys = SetDataKeyTable::build();
    QTemporaryDir m_dir;

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write test file");
        f.write(bytes);
        return path;
    }

    // A table as a full save leaves it: every written cell filled.
    SettingsTable fullTable(int mixers)
    {
        SettingsTable t;
        resetFileTable(t);
        for (int l = 0; l < SetDataKeyTable::ListCount; ++l) {
            const KeyList &list = m_keys.list(l);
            for (const KeyEntry &s : list.sections)
                for (const KeyEntry &k : list.keys) {
                    QString v;
                    switch (k.kind) {
                    case KeyKind::Boolean: v = (k.id + s.id) % 2 ? "True" : "False"; break;
                    case KeyKind::Text: v = QStringLiteral("名前%1").arg(k.id); break;
                    case KeyKind::Real: v = QString::number(k.id * 1.5); break;
                    default: {
                        qint64 n = (k.id * 7 + s.id) % 200;
                        // Mixer values within what the editor sets.
                        if (const auto r = l == SetDataKeyTable::MixerList ? editorRange(k.id) : std::nullopt)
                            n = r->low + n % (r->high - r->low + 1);
                        v = QString::number(n);
                        break;
                    }
                    }
                    t.set(k.id, s.id, v);
                }
        }
        t.set(0, SettingsGrid::SystemSection, QString::number(mixers));
        return t;
    }

private slots:
    void keyTableHasEveryListInOrder()
    {
        QVERIFY(m_keys.valid());
        const KeyList &mixer = m_keys.list(SetDataKeyTable::MixerList);
        const KeyList &panel = m_keys.list(SetDataKeyTable::PanelList);
        const KeyList &system = m_keys.list(SetDataKeyTable::SystemList);
        QCOMPARE(mixer.keys.size(), size_t(104));
        QCOMPARE(mixer.sections.size(), size_t(16));
        QCOMPARE(panel.keys.size(), size_t(124));
        QCOMPARE(panel.sections.size(), size_t(16));
        QCOMPARE(system.keys.size(), size_t(367));
        QCOMPARE(system.sections.size(), size_t(1));
        for (const KeyList *l : {&mixer, &panel, &system})
            for (size_t i = 0; i < l->keys.size(); ++i)
                QCOMPARE(int(l->keys[i].id), int(i));   // ids run in list order

        QCOMPARE(mixer.sections.front().key, QStringLiteral("Mixer_Master"));
        QCOMPARE(panel.sections.back().key, QStringLiteral("GUI_Slave15"));
        QCOMPARE(int(panel.sections.back().id), 31);
        QCOMPARE(int(system.sections.front().id), 32);

        struct Expect { const char *key; int id; int kind; };
        const Expect expect[] = {
            {"Override_3", 59, 17}, {"Mute_8", 72, 17}, {"Threshold", 85, 2},
            {"Noise_Detection_Reference", 98, 3}, {"ThresholdK2", 103, 2},
            {"IconWidth_1", 27, 5}, {"IconText_9", 53, 4}, {"IconOnOff_8", 114, 11},
            {"CellHeight_9", 123, 3}, {"MixerCount", 0, 2}, {"CircleNum", 76, 2},
            {"LineDirection_10", 227, 2}, {"ArcNum", 309, 2}, {"FigureNum", 350, 2},
            {"TableTop", 359, 3}, {"ImageVisible", 360, 11}, {"ImageFileName", 361, 4},
            {"ImageStretch", 362, 2}, {"ImageYScale", 366, 3},
        };
        for (const Expect &e : expect) {
            const KeyEntry *k = m_keys.find(QString::fromLatin1(e.key));
            QVERIFY2(k, e.key);
            QCOMPARE(int(k->id), e.id);
            QCOMPARE(int(k->kind), e.kind);
        }
        QVERIFY(!m_keys.find(QStringLiteral("active")));   // exact case
    }

    void idsPastTheTablesAreRefused()
    {
        const auto t = SetDataKeyTable::fromTexts(QStringLiteral("400,Big,2,"), QStringLiteral(""),
                                                  QStringLiteral("40,Sec,-1,"));
        QVERIFY(!t.valid());     // ids past the text tables
    }

    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("section") << "[Mixer_Master]" << 1 << "Mixer_Master" << "";
        QTest::newRow("text after ]") << "[Mixer_Master]x" << -1 << "" << "";
        QTest::newRow("no [") << "Mixer_Master]" << -1 << "" << "";
        QTest::newRow("two [") << "[[Mixer]" << -1 << "" << "";
        QTest::newRow("= in header") << "[a=b]" << -1 << "" << "";
        QTest::newRow("key") << "Active=True" << 2 << "Active" << "True";
        QTest::newRow("nothing trimmed") << "Active = True" << 2 << "Active " << " True";
        QTest::newRow("empty value") << "IconText_1=" << 2 << "IconText_1" << "";
        QTest::newRow("= in value") << "a=b=c" << 2 << "a" << "b=c";
        QTest::newRow("] in value") << "IconText_1=[1]" << 2 << "IconText_1" << "[1]";
        QTest::newRow("] before =") << "Icon]Text=1" << -1 << "" << "";
        QTest::newRow("[ in value") << "IconText_1=[a" << 2 << "IconText_1" << "[a";
        QTest::newRow("plain text") << "; a comment" << 0 << "" << "";
    }

    void parseLine()
    {
        QFETCH(QString, line);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, value);
        const ParsedLine p = ParseLine(line);
        QCOMPARE(int(p.kind), kind);
        if (kind > 0) {
            QCOMPARE(p.name, name);
            QCOMPARE(p.value, value);
        }
    }

    // These lines go in, the load succeeds or fails, this text is stored.
    void readLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("stored");
        const QString m = QStringLiteral("[Mixer_Master]\r\n");
        QTest::newRow("spaces round =") << m + "Active = True\r\n" << false << 0 << 0 << "";
        QTest::newRow("bad header") << "[Mixer_Master]x\r\nActive=True\r\n" << false << 0 << 0 << "";
        QTest::newRow("byte too big") << m + "InputLevel_1=300\r\n" << false << 1 << 0 << "";
        QTest::newRow("byte negative") << m + "InputLevel_1=-1\r\n" << false << 1 << 0 << "";
        QTest::newRow("leading zeros") << m + "InputLevel_1=003\r\n" << true << 1 << 0 << "3";
        QTest::newRow("bool from number") << m + "Active=1\r\n" << true << 0 << 0 << "True";
        QTest::newRow("bool from zero") << m + "Active=0\r\n" << true << 0 << 0 << "False";
        QTest::newRow("bool word") << m + "Active=yes\r\n" << false << 0 << 0 << "";
        QTest::newRow("int16 range") << m + "Threshold=40000\r\n" << false << 85 << 0 << "";
        QTest::newRow("int32 holds it") << m + "Noise_Detection_Reference=40000\r\n" << true << 98 << 0 << "40000";
        QTest::newRow("text for number") << m + "Threshold=abc\r\n" << false << 85 << 0 << "";
        QTest::newRow("double") << "[GUI_Slave2]\r\nIconWidth_3=1500.50\r\n" << true << 29 << 18 << "1500.5";
        QTest::newRow("text kept") << "[GUI_Master]\r\nIconText_1= A\tB \r\n" << true << 45 << 16 << " A\tB ";
        QTest::newRow("empty value") << m + "InputLevel_1=\r\n" << true << 1 << 0 << "";
        QTest::newRow("before section ignored") << "Threshold=abc\r\nMixerCount=1\r\n[SystemData]\r\nMixerCount=2\r\n" << true << 0 << 32 << "2";
        // A key of another list is left out: at its number SystemData holds
        // IconNum (an int16) and CircleStartX_3 (an int32), which it would
        // be written back as.
        QTest::newRow("mixer key under SystemData") << "[SystemData]\r\nInputLevel_2=9\r\n" << true << 2 << 32 << "";
        QTest::newRow("panel key under SystemData") << "[SystemData]\r\nIconEnable_9=True\r\n" << true << 8 << 32 << "";
        QTest::newRow("unknown key") << m + "Volume=3\r\n" << false << 0 << 0 << "";
        QTest::newRow("unknown section") << "[Mixer_Slave16]\r\n" << false << 0 << 0 << "";
        QTest::newRow("key name as section") << "[ImageYScale]\r\nActive=True\r\n" << false << 0 << 0 << "";
        QTest::newRow("system data only") << "[SystemData]\r\nMixerCount=0\r\n" << true << 0 << 32 << "0";
        QTest::newRow("blank lines skipped") << "\r\n[SystemData]\r\n\r\nMixerCount=0\r\n\r\n" << true << 0 << 32 << "0";
        QTest::newRow("line of blanks") << m + "  \r\n" << false << 0 << 0 << "";
        QTest::newRow("LF line ends") << "[SystemData]\nMixerCount=3\n" << true << 0 << 32 << "3";
        QTest::newRow("no final line end") << "[SystemData]\r\nMixerCount=4" << true << 0 << 32 << "4";
    }

    void readLines()
    {
        QFETCH(QString, text);
        QFETCH(bool, loads);
        QFETCH(int, key);
        QFETCH(int, section);
        QFETCH(QString, stored);
        SettingsTable t;
        resetFileTable(t);
        const QString path = writeFile(QStringLiteral("lines.ini"), cp932(text));
        QCOMPARE(ReadSettingsFile(path, m_keys, t), loads);
        if (loads)
            QCOMPARE(t.at(key, section), stored);
    }

    void missingFileAndBadBytesFail()
    {
        SettingsTable t;
        QVERIFY(!ReadSettingsFile(m_dir.filePath(QStringLiteral("none.ini")), m_keys, t));
        // 0x82 0x20 is a lead byte without a valid trail byte.
        const QByteArray bad = QByteArray("[GUI_Master]\r\nIconText_1=\x82\x20x\r\n");
        QVERIFY(!ReadSettingsFile(writeFile(QStringLiteral("bad.ini"), bad), m_keys, t));
        QVERIFY(!readSettingsBytes(QByteArray("[SystemData]\r\nImageFileName=\xFF\r\n"), m_keys, t));
        // A lead byte whose trail byte never came, at the very end.
        QVERIFY(!readSettingsBytes(QByteArray("[SystemData]\r\nImageFileName=a\x82"), m_keys, t));
    }

    void resetPresetsImageKeys()
    {
        SettingsTable t;
        t.set(1, 0, QStringLiteral("5"));
        resetFileTable(t);
        QCOMPARE(t.at(1, 0), QString());
        QCOMPARE(t.at(360, 32), QStringLiteral("False"));
        QCOMPARE(t.at(361, 32), QString());
        QCOMPARE(t.at(362, 32), QStringLiteral("0"));
        QCOMPARE(t.at(364, 32), QStringLiteral("0"));
        QCOMPARE(t.at(365, 32), QStringLiteral("100"));
        QCOMPARE(t.at(366, 32), QStringLiteral("100"));
    }

    void sectionsComeInListOrder()
    {
        const auto two = settingsBytes(fullTable(2), m_keys, 2);
        QVERIFY(two);
        QCOMPARE(headers(*two), QStringList({"[Mixer_Master]", "[Mixer_Slave1]", "[GUI_Master]",
                                             "[GUI_Slave1]", "[SystemData]"}));
        QVERIFY(two->startsWith("[Mixer_Master]\r\nActive="));
        const QList<QByteArray> lines = two->split('\n');
        QVERIFY(lines.at(lines.size() - 2).startsWith("ImageYScale="));
        QVERIFY(!two->contains("\r\n\r\n"));               // no blank lines
        QCOMPARE(two->count("\r\n"), 2 * (1 + 104) + 2 * (1 + 124) + 1 + 367);
        QCOMPARE(two->count('\n'), two->count("\r\n"));    // every line ends CR LF

        const auto none = settingsBytes(fullTable(0), m_keys, 0);
        QVERIFY(none);
        QCOMPARE(headers(*none), QStringList({"[SystemData]"}));
        QCOMPARE(none->count("\r\n"), 368);

        const auto all = settingsBytes(fullTable(16), m_keys, 99);   // held to 16 mixers
        QVERIFY(all);
        QCOMPARE(headers(*all).size(), 33);
    }

    void saveLoadSaveIsByteIdentical()
    {
        const QString path = m_dir.filePath(QStringLiteral("round.ini"));
        const SettingsTable original = fullTable(3);
        QVERIFY(WriteSettingsFile(path, original, m_keys, 3));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray first = f.readAll();
        f.close();

        SettingsTable back;
        resetFileTable(back);
        QVERIFY(ReadSettingsFile(path, m_keys, back));
        const auto second = settingsBytes(back, m_keys, 3);
        QVERIFY(second);
        QCOMPARE(*second, first);
    }

    void japaneseTextRoundTrips()
    {
        // Written with the encoder as the platform's own programs would;
        // 0x8160 (～) and ① are code-page-932 specific.
        const QString caption = QStringLiteral("議長①\t会議室～");
        const QString path = writeFile(QStringLiteral("jp.ini"),
                                       cp932(QStringLiteral("[GUI_Master]\r\nIconText_1=") + caption
                                             + QStringLiteral("\r\nIconFontName_1=ＭＳ ゴシック\r\n[SystemData]\r\nMixerCount=1\r\n")));
        SettingsTable t;
        resetFileTable(t);
        QVERIFY(ReadSettingsFile(path, m_keys, t));
        QCOMPARE(t.at(45, 16), caption);
        QCOMPARE(t.at(54, 16), QStringLiteral("ＭＳ ゴシック"));
        const auto bytes = settingsBytes(t, m_keys, 1);
        QVERIFY(bytes);
        QVERIFY(bytes->contains(cp932(QStringLiteral("IconText_1=") + caption + QStringLiteral("\r\n"))));
    }

    // The look-alikes are stored as the Windows converters store them; what
    // CP932 cannot hold at all is named, each character once.
    void cp932BestFitAndUnstorableCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("unstorable");
        QTest::newRow("plain") << QStringLiteral("議長①～") << cp932(QStringLiteral("議長①～")) << QString();
        QTest::newRow("wave dash") << QStringLiteral("1\u301C2") << QByteArray("1\x81\x60" "2") << QString();
        QTest::newRow("minus") << QStringLiteral("\u22125") << QByteArray("\x81\x7C" "5") << QString();
        QTest::newRow("yen") << QStringLiteral("\u00A5100") << QByteArray("\\100") << QString();
        QTest::newRow("dashes, bars, cent, not") << QStringLiteral("\u2014\u2016\u00A2\u00AC")
                                                 << QByteArray("\x81\x5C\x81\x61\x81\x91\x81\xCA") << QString();
        QTest::newRow("accent and emoji, each once") << QStringLiteral("café é \U0001F600!")
                                                     << QByteArray("caf? ? ?!")
                                                     << QStringLiteral("é\U0001F600");
    }

    void cp932BestFitAndUnstorableCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, unstorable);
        QCOMPARE(toCp932(text), bytes);
        QCOMPARE(unstorableCharacters(text), unstorable);
        if (!unstorable.isEmpty())
            QVERIFY(unstorableCharactersMessage(unstorable).contains(QStringLiteral("é \U0001F600")));
    }

    // Whatever a caption or a path holds, the save succeeds and the value
    // comes back as the format allows.
    void awkwardValuesSaveAndReadBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("=") << QStringLiteral("A=B") << QStringLiteral("A=B");
        QTest::newRow("brackets") << QStringLiteral("[1]") << QStringLiteral("[1]");
        QTest::newRow("path") << QStringLiteral("C:\\会議[2]\\a=b.bmp") << QStringLiteral("C:\\会議[2]\\a=b.bmp");
        QTest::newRow("wave dash") << QStringLiteral("9\u301C17") << QStringLiteral("9～17");
        QTest::newRow("line break") << QStringLiteral("two\r\nlines") << QStringLiteral("two lines");
        QTest::newRow("emoji") << QStringLiteral("emoji \U0001F600") << QStringLiteral("emoji ?");
    }

    void awkwardValuesSaveAndReadBack()
    {
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        const QString path = m_dir.filePath(QStringLiteral("awkward.ini"));
        SettingsTable t = fullTable(1);
        t.set(361, 32, value);
        t.set(45, 16, value);
        QVERIFY(WriteSettingsFile(path, t, m_keys, 1));
        SettingsTable back;
        resetFileTable(back);
        QVERIFY(ReadSettingsFile(path, m_keys, back));
        QCOMPARE(back.at(361, 32), readBack);
        QCOMPARE(back.at(45, 16), readBack);
        QCOMPARE(back.at(44, 16), t.at(44, 16));        // the neighbours are untouched
    }

    // A mixer value must be one the editor can set, or, asked for on
    // purpose, one the mixer can hold whole; anything else is refused with
    // its line, key and range.
    void valuesOutsideTheirRangeAreRefused_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("raw");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<qint64>("low");
        QTest::addColumn<qint64>("high");
        auto row = [](const char *name, const char *line, bool raw, bool loads, qint64 low = 0, qint64 high = 0) {
            QTest::newRow(name) << QString::fromLatin1(line) << raw << loads << low << high;
        };
        row("gain at 0 dB", "InputGain_3=64", false, true);
        row("gain past the level table", "InputGain_3=65", false, false, 0, 64);
        row("gain 200 on purpose", "InputGain_3=200", true, true);
        row("no byte even on purpose", "InputGain_3=256", true, false, 0, 255);
        row("head amp", "HeadAmp_1=9", false, false, 0, 4);
        row("priority switch", "Priority_1=2", false, false, 0, 1);
        row("priority echo is a byte", "Priority_3=2", false, true);
        row("only type", "OnlyType=4", false, false, 0, 3);
        row("hold time", "HoldTime=6", false, false, 0, 5);
        row("negative threshold", "Threshold=-5", false, false, 0, 32767);
        row("threshold of 15 bits", "Threshold=32767", false, true);
        row("threshold minimum", "ThresholdMin=-1", false, false, 0, 32767);
        row("silent time", "Silent_Time=300", false, false, 0, 119);
        row("silent time at 6 s", "Silent_Time=119", false, true);
        row("hold time 2", "Hold_Time2=-2", false, false, 0, 119);
        row("silent time of its byte register", "Silent_Time=300", true, false, 0, 255);
        row("meter level at -20 dB", "OutPeakLEDK=-200", false, true);
        row("meter level below", "OutPeakLEDK=-201", false, false, -200, 60);
        row("meter level the register cannot hold", "OutPeakLEDK=-32768", true, false, -32767, 32767);
        row("threshold factor 0", "ThresholdK=0", false, false, 1, 1000);
        row("noise field of 32 bits", "Noise_Detection_Reference=-5", false, true);
        row("model is no setting", "Model=-1", false, true);
    }

    void valuesOutsideTheirRangeAreRefused()
    {
        QFETCH(QString, line);
        QFETCH(bool, raw);
        QFETCH(bool, loads);
        QFETCH(qint64, low);
        QFETCH(qint64, high);
        SettingsTable t;
        resetFileTable(t);
        const QByteArray bytes = "[SystemData]\r\nMixerCount=1\r\n[Mixer_Master]\r\n" + line.toLatin1() + "\r\n";
        const SettingsReadResult r
            = readSettingsBytes(bytes, m_keys, t, raw ? ValueLimits::Mixer : ValueLimits::Editor);
        if (loads) {
            QVERIFY(r.ok());
            return;
        }
        QCOMPARE(int(r.problem), int(SettingsProblem::OutOfRange));
        QCOMPARE(r.line, 4);
        QCOMPARE(r.name + u'=' + r.value, line);
        QCOMPARE((std::pair{r.range.low, r.range.high}), (std::pair{low, high}));
        QVERIFY2(settingsProblemText(r).contains(QStringLiteral("%1～%2").arg(low).arg(high)),
                 qPrintable(settingsProblemText(r)));
    }

    // What is no whole settings file, or no file at all, is refused with
    // the reason before anything is taken from it, and a save never puts
    // a file where a device, pipe, socket or folder is.
    void filesThatAreNoWholeSystem_data()
    {
        QTest::addColumn<QString>("what");     // how the path is made
        QTest::addColumn<QByteArray>("bytes"); // for "file"
        QTest::addColumn<int>("problem");      // reading: SettingsProblem; saving: -1 refused, 0 saved
        QTest::addColumn<QString>("named");    // name and value the reason names
        const QByteArray two = *settingsBytes(fullTable(2), m_keys, 2);
        const QByteArray master = two.left(two.indexOf("[Mixer_Slave1]"));
        const QByteArray system = two.mid(two.indexOf("[SystemData]"));
        auto problem = [](SettingsProblem p) { return int(p); };
        QTest::newRow("empty") << "file" << QByteArray() << problem(SettingsProblem::NoMixerCount) << "";
        QTest::newRow("cut in the panel sections") << "file" << two.left(two.indexOf("[GUI_Slave1]") + 27)
                                                   << problem(SettingsProblem::NoMixerCount) << "";
        QTest::newRow("no MixerCount") << "file" << master + "[SystemData]\r\nGridOnOff=True\r\n"
                                       << problem(SettingsProblem::NoMixerCount) << "";
        QTest::newRow("a counted mixer missing") << "file" << master + system
                                                 << problem(SettingsProblem::MissingSection) << "Mixer_Slave1 2";
        QTest::newRow("section cut short") << "file" << master.left(master.indexOf("Hold_Time2=")) + system
                                           << problem(SettingsProblem::CutShort) << "Mixer_Master Hold_Time2";
        QTest::newRow("no mixers at all") << "file" << QByteArray("[SystemData]\r\nMixerCount=0\r\n")
                                          << problem(SettingsProblem::None) << "";
        QTest::newRow("whole") << "file" << two << problem(SettingsProblem::None) << "";
        QTest::newRow("endless device") << "/dev/zero" << QByteArray() << problem(SettingsProblem::NotRegular) << "";
        QTest::newRow("pipe without a writer") << "fifo" << QByteArray() << problem(SettingsProblem::NotRegular) << "";
        QTest::newRow("folder") << "dir" << QByteArray() << problem(SettingsProblem::NotRegular) << "";
        QTest::newRow("save onto a pipe") << "fifo" << QByteArray() << -1 << "";
        QTest::newRow("save onto a socket") << "socket" << QByteArray() << -1 << "";
        QTest::newRow("save onto a folder") << "dir" << QByteArray() << -1 << "";
        QTest::newRow("save through a link") << "link" << QByteArray() << 0 << "";
    }

    void filesThatAreNoWholeSystem()
    {
        QFETCH(QString, what);
        QFETCH(QByteArray, bytes);
        QFETCH(int, problem);
        QFETCH(QString, named);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("x.ini"));
        int socketFd = -1;
        if (what == "file") {
            path = writeFile(QStringLiteral("whole.ini"), bytes);
        } else if (what == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (what == "dir") {
            QVERIFY(QDir().mkpath(path));
        } else if (what == "socket") {
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            qstrncpy(addr.sun_path, QFile::encodeName(path).constData(), sizeof addr.sun_path);
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
        } else if (what == "link") {
            writeFile(QStringLiteral("target.ini"), "old");
            QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("target.ini")), path));
        } else {
            path = what;
        }
        const bool isFile = QFileInfo(path).isFile();
        if (problem < 0 || what == "link") {
            QCOMPARE(WriteSettingsFile(path, fullTable(1), m_keys, 1), problem == 0);
            // The node is left as it was; the link still points at its file.
            QCOMPARE(QFileInfo(path).isFile(), isFile);
            QCOMPARE(QFileInfo(path).isSymLink(), what == "link");
            if (what == "link")
                QVERIFY(QFile(m_dir.filePath(QStringLiteral("target.ini"))).size() > 100);
        } else {
            SettingsTable t;
            resetFileTable(t);
            const SettingsReadResult r = openSettingsFile(path, m_keys, t);
            QCOMPARE(int(r.problem), problem);
            QCOMPARE(QStringList({r.name, r.value}).join(u' ').trimmed(), named);
            QCOMPARE(settingsProblemText(r).isEmpty(), r.ok());
        }
        if (socketFd >= 0)
            ::close(socketFd);
    }

    // Two panels differ by the buttons and figures a user would see differ,
    // and by their panel-wide values; a disabled slot's leftovers and a
    // figure no list counts do not count.
    void panelsDiffer_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("figures");
        QTest::addColumn<bool>("panelWide");
        QTest::newRow("nothing") << 0 << 0 << 0 << false;
        QTest::newRow("a button's caption") << 1 << 1 << 0 << false;
        QTest::newRow("a disabled slot's caption") << 2 << 0 << 0 << false;
        QTest::newRow("a button more") << 3 << 1 << 0 << false;
        QTest::newRow("a line's end") << 4 << 0 << 1 << false;
        QTest::newRow("a line's direction") << 5 << 0 << 1 << false;
        QTest::newRow("a circle more") << 6 << 0 << 1 << false;
        QTest::newRow("an uncounted figure") << 7 << 0 << 0 << false;
        QTest::newRow("grid colour") << 8 << 0 << 0 << true;
        QTest::newRow("image scale") << 9 << 0 << 0 << true;
        QTest::newRow("a table row") << 10 << 0 << 0 << true;
    }

    void panelsDiffer()
    {
        QFETCH(int, change);
        QFETCH(int, buttons);
        QFETCH(int, figures);
        QFETCH(bool, panelWide);
        PanelState panel;
        qint16 fileMixers = 2;
        ResetPanel(panel, fileMixers, PanelContext{});
        panel.slot(1, 3).IconEnable = true;
        panel.count(FigureKind::Line) = 2;
        auto stored = [&] {
            SettingsTable t;
            resetFileTable(t);
            StorePanel(panel, t, 2);
            t.set(0, SettingsGrid::SystemSection, QStringLiteral("2"));
            return t;
        };
        const SettingsTable first = stored();
        switch (change) {
        case 1: panel.slot(1, 3).IconText = QStringLiteral("議長"); break;
        case 2: panel.slot(0, 5).IconText = QStringLiteral("unseen"); break;
        case 3: panel.slot(0, 8).IconEnable = true; break;
        case 4: panel.list(FigureKind::Line)[1].EndX = 900; break;
        case 5: panel.list(FigureKind::Line)[0].Direction = 1; break;
        case 6: panel.count(FigureKind::Circle) = 1; break;
        case 7: panel.list(FigureKind::Arc)[0].EndX = 900; break;
        case 8: panel.GridColor = 0x123456; break;
        case 9: panel.image.ImageYScale = 50; break;
        case 10: panel.table.rowHeights[3] = 500; break;
        default: break;
        }
        const PanelDifference d = comparePanels(first, stored());
        QCOMPARE((std::pair{d.buttons, d.figures}), (std::pair{buttons, figures}));
        QCOMPARE(d.panelWide, panelWide);
        QCOMPARE(d.any(), change != 0 && change != 2 && change != 7);
    }

    void unwritablePathFailsTheSave()
    {
        QVERIFY(!WriteSettingsFile(m_dir.filePath(QStringLiteral("no/such/dir/x.ini")), fullTable(0), m_keys, 0));
    }
};

ZK_TEST_GUILESS_MAIN(TstSettingsFile)
#include "tst_settingsfile.moc"
