#include "settings/cp932text.h"
#include "settings/keytable.h"
#include "settings/settingsfile.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

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
                    default: v = QString::number((k.id * 7 + s.id) % 200); break;
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
        QTest::newRow("leading zeros") << m + "InputLevel_1=007\r\n" << true << 1 << 0 << "7";
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

    void unwritablePathFailsTheSave()
    {
        QVERIFY(!WriteSettingsFile(m_dir.filePath(QStringLiteral("no/such/dir/x.ini")), fullTable(0), m_keys, 0));
    }
};

ZK_TEST_GUILESS_MAIN(TstSettingsFile)
#include "tst_settingsfile.moc"
