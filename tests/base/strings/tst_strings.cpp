#include "base/strings.h"
#include "tests/support/englishtexts.h"
#include "tests/support/testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QGuiApplication>
#include <QPalette>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct TranslatedText
{
    QString source;
    QString translation;
    bool unfinished = false;
    bool keptOnPurpose = false; // a developer's note says why it stays as it is
};

// The messages of the Qt Linguist file by id.
QHash<int, TranslatedText> englishTranslation()
{
    QFile f(QStringLiteral(ZK_SOURCE_DIR "/translations/zkvr340a_en.ts"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QHash<int, TranslatedText> out;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"message")
            continue;
        TranslatedText t;
        int id = 0;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"source") {
                t.source = xml.readElementText();
            } else if (xml.name() == u"comment") {
                id = xml.readElementText().toInt();
            } else if (xml.name() == u"extracomment") {
                t.keptOnPurpose = xml.readElementText().startsWith(QLatin1String("Kept as is"));
            } else if (xml.name() == u"translation") {
                t.unfinished = xml.attributes().hasAttribute(QStringLiteral("type"));
                t.translation = xml.readElementText();
            } else {
                xml.skipCurrentElement();
            }
        }
        out.insert(id, t);
    }
    return out;
}

// Kana, kanji, full-width forms and Japanese punctuation: what an English
// reader cannot read.
bool hasJapanese(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF01 && u <= 0xFFEF))
            return true;
    }
    return false;
}

QStringList placeMarkers(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d"));
    QStringList out;
    for (auto m = marker.globalMatch(text); m.hasNext();)
        out << m.next().captured();
    out.sort();
    return out;
}

struct SourceLine
{
    int lineNo;
    QString raw;
};

// The table's source file, line by line, without comments and blank lines.
QList<SourceLine> sourceLines()
{
    QFile f(QStringLiteral(ZK_STRINGS_TSV));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<SourceLine> out;
    int n = 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        ++n;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        out.push_back({n, QString::fromUtf8(line)});
    }
    return out;
}

} // namespace

class TestStrings : public QObject
{
    Q_OBJECT

private slots:
    // Other helpers append to the file concurrently; a clash of ids would make
    // one of two texts silently disappear, and a malformed line would be skipped.
    void sourceFileIsWellFormedAndIdsAreUnique()
    {
        const auto lines = sourceLines();
        QVERIFY2(lines.size() > 100, "string table source not found or nearly empty");
        QHash<int, int> firstLine;
        QStringList problems;
        for (const auto &l : lines) {
            const qsizetype tab = l.raw.indexOf(u'\t');
            bool ok = false;
            const int id = tab > 0 ? l.raw.left(tab).toInt(&ok) : 0;
            if (!ok) {
                problems << QStringLiteral("line %1: not id<TAB>text").arg(l.lineNo);
                continue;
            }
            if (l.raw.endsWith(u'\r'))
                problems << QStringLiteral("line %1: carriage return").arg(l.lineNo);
            if (l.raw.mid(tab + 1).contains(u'\t'))
                problems << QStringLiteral("line %1: a second tab (write \\t)").arg(l.lineNo);
            if (firstLine.contains(id))
                problems << QStringLiteral("id %1 on lines %2 and %3")
                                .arg(id).arg(firstLine.value(id)).arg(l.lineNo);
            else
                firstLine.insert(id, l.lineNo);
            if (!hasStr(id))
                problems << QStringLiteral("id %1 not loaded from the resource").arg(id);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // A text the program asks for by number but the table lacks shows up as an
    // empty caption or an empty message box.
    void everyLiteralIdTheProgramUsesExists()
    {
        static const QRegularExpression call(QStringLiteral(R"(\bstr\((\d+)\))"));
        const QStringList folders{"base", "app", "link", "mixer", "settings", "editor", "panel",
                                  "maintenance", "print", "sim", "cli"};
        QStringList missing;
        int calls = 0;
        for (const QString &folder : folders) {
            QDirIterator it(QStringLiteral(ZK_SOURCE_DIR "/") + folder, {"*.cpp", "*.h"},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile f(path);
                if (!f.open(QIODevice::ReadOnly))
                    continue;
                const QString source = QString::fromUtf8(f.readAll());
                for (auto m = call.globalMatch(source); m.hasNext();) {
                    ++calls;
                    const int id = m.next().captured(1).toInt();
                    if (!hasStr(id))
                        missing << QStringLiteral("%1 in %2").arg(id).arg(path);
                }
            }
        }
        QVERIFY(calls > 0);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    }

    void spotValuesExactlyAsShown_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("no response") << 1801 << QStringLiteral("応答がありません");
        QTest::newRow("title") << 1901 << QStringLiteral("ZK-VR340a");
        QTest::newRow("invalid data") << 2706 << QStringLiteral("無効なデータです");
        QTest::newRow("link choice") << 1101
            << QStringLiteral("ZK-VR340aとの接続インターフェイスを選択して下さい。");
        // Half-width katakana, full-width letters and full-width spaces must survive as typed.
        QTest::newRow("half-width menu") << 1201 << QStringLiteral("ﾌｧｲﾙ(&F)");
        QTest::newRow("full-width letters") << 1222 << QStringLiteral("ＦＰＧＡ(&F)");
        QTest::newRow("full-width dots") << 1301 << QStringLiteral("転送中．．．．");
        QTest::newRow("full-width space inside") << 2108
            << QStringLiteral("ｽﾚｯｼｮﾙﾄﾞ\u3000       計算対象");
        QTest::newRow("leading blanks kept") << 2112 << QStringLiteral("   0dB  \u3000(Mic)");
        QTest::newRow("font name") << 521 << QStringLiteral("ＭＳ Ｐゴシック");
    }
    void spotValuesExactlyAsShown()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(str(id), text);
    }

    // Windows compute these ids from a code; a text one place off shows the
    // wrong caption on every button of its row.
    void computedIdsGiveTheirCaptions()
    {
        const QStringList linkKinds{"RS-232C", "USB", QStringLiteral("オフライン"), "Ethernet"};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(str(StrId::LinkKindFirst + k), linkKinds.at(k));
        const QStringList groups{QStringLiteral("出力関連"), QStringLiteral("スレッショルド関連"),
                                 QStringLiteral("ゲート処理関連")};
        for (int target = 9; target <= 11; ++target)
            QCOMPARE(str(2192 + target), groups.at(target - 9));

        auto captions = [](int base, int count, int sign) {
            QStringList out;
            for (int c = 0; c < count; ++c)
                out << str(base + sign * c);
            return out;
        };
        QCOMPARE(captions(2113, 4, -1),
                 (QStringList{QStringLiteral("-50dB\u3000(Line)"), QStringLiteral("   0dB  \u3000(Mic)"),
                              "-30dB", "-40dB"}));
        QCOMPARE(captions(2123, 5, -1),
                 (QStringList{"-20dB", "-10dB", "   0dB", "-25dB", "-30dB"}));
        QCOMPARE(captions(2913, 2, -1), (QStringList{"OFF", "ON"}));
        QCOMPARE(captions(2963, 4, -1),
                 (QStringList{"-50dB(Mic)", "   0dB(Line)", "-30dB", "-40dB"}));
        QCOMPARE(captions(2943, 2, -1), (QStringList{QStringLiteral("オート"), QStringLiteral("マニュアル")}));
        QCOMPARE(captions(2953, 2, -1), (QStringList{QStringLiteral("単体"), QStringLiteral("全体(Link時)")}));
        QCOMPARE(captions(2921, 3, 1), (QStringList{"-60dB", "-40dB", "-20dB"}));
        QCOMPARE(captions(2901, 4, 1),
                 (QStringList{QStringLiteral("チャンネル設定データ"), QStringLiteral("システム設定データ"),
                              QStringLiteral("拡張データ"), QStringLiteral("各種初期値")}));
    }

    // Every text of the table has an English one, or a note why it stays as
    // it is; a text changed in the table since it was translated shows up
    // here, not as a Japanese caption in the English program. What the
    // program shows is the compiled translation, so that is compared too.
    void everyTextIsTranslatedOrKeptOnPurpose()
    {
        const auto ts = englishTranslation();
        QVERIFY2(!ts.isEmpty(), "translations/zkvr340a_en.ts not found or empty");
        QHash<int, QString> japanese;
        for (const int id : strIds())
            japanese.insert(id, str(id));
        EnglishTexts english;
        QVERIFY(english.loaded);
        QStringList problems;
        for (const int id : strIds()) {
            const auto it = ts.constFind(id);
            const QString ja = japanese.value(id);
            auto problem = [&](const QString &what) { problems << QStringLiteral("%1 %2: %3").arg(id).arg(ja, what); };
            if (it == ts.constEnd() || it->unfinished || it->source != ja) {
                problem(QStringLiteral("not translated (run the target zk_update_translations, then Qt Linguist)"));
                continue;
            }
            const QString en = it->translation;
            if (it->keptOnPurpose ? en != ja : (en.isEmpty() || hasJapanese(en)))
                problem(QStringLiteral("\"%1\" is no English text or differs from the kept one").arg(en));
            if (placeMarkers(en) != placeMarkers(ja) || en.count(u'&') != ja.count(u'&')
                || en.count(u'\n') != ja.count(u'\n'))
                problem(QStringLiteral("\"%1\" lost or gained a place marker, accelerator or line break").arg(en));
            if (str(id) != en)
                problem(QStringLiteral("the program shows \"%1\"").arg(str(id)));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // English reads as English: a menu's key is a letter of its words, not
    // the Japanese "(&K)" after them, and a count of one is not "1 passes".
    void englishTextsReadAsEnglish()
    {
        const auto ts = englishTranslation();
        QVERIFY(!ts.isEmpty());
        static const QRegularExpression bracketedKey(QStringLiteral("[(（]&[^&][)）]"));
        static const QRegularExpression marker(QStringLiteral("%\\d"));
        // The things this program counts, in the plural after a count that
        // may be one (a verb after a name, "%1 needs", is no such plural).
        static const QRegularExpression pluralOfOne(QStringLiteral(
            "\\b1 (passes|entries|mixers|values|buttons|channels|seconds|attempts|clients|connections)\\b"));
        QStringList problems;
        for (auto it = ts.cbegin(); it != ts.cend(); ++it) {
            if (it->keptOnPurpose)
                continue;
            const QString en = it->translation;
            if (en.contains(bracketedKey))
                problems << QStringLiteral("%1 \"%2\": a Japanese key in brackets").arg(it.key()).arg(en);
            const QString one = QString(en).replace(marker, QStringLiteral("1"));
            if (one.contains(pluralOfOne))
                problems << QStringLiteral("%1 \"%2\": reads \"%3\"").arg(it.key()).arg(en, one);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    void languageChoice_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<bool>("english");
        QTest::newRow("C locale") << "" << QStringList{"C"} << false;
        QTest::newRow("nothing known") << "" << QStringList{} << false;
        QTest::newRow("en_US") << "" << QStringList{"en-US", "en-Latn-US", "en"} << true;
        QTest::newRow("en_GB") << "" << QStringList{"en-GB", "en-Latn-GB"} << true;
        QTest::newRow("underscore form") << "" << QStringList{"en_AU"} << true;
        QTest::newRow("ja_JP") << "" << QStringList{"ja-JP", "ja"} << false;
        QTest::newRow("German, then English") << "" << QStringList{"de", "de-DE", "en", "en-US"} << true;
        QTest::newRow("German only") << "" << QStringList{"de-DE", "de"} << false;
        QTest::newRow("Japanese before English") << "" << QStringList{"ja", "en"} << false;
        QTest::newRow("variable says en") << " EN " << QStringList{"ja-JP"} << true;
        QTest::newRow("variable says ja") << "ja" << QStringList{"en-US"} << false;
    }
    void languageChoice()
    {
        QFETCH(QString, setting);
        QFETCH(QStringList, uiLanguages);
        QFETCH(bool, english);
        QCOMPARE(languageFor(setting, uiLanguages) == Language::English, english);
    }

    void unknownLanguageSettingFallsBackToTheLocale()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ZKVR340A_LANGUAGE"));
        QCOMPARE(languageFor(QStringLiteral("fr"), {QStringLiteral("en-US")}), Language::English);
    }

    // Japanese is the table itself and comes back after English.
    void englishAndBack()
    {
        QCOMPARE(language(), Language::Japanese);
        {
            EnglishTexts english;
            QVERIFY(english.loaded);
            QCOMPARE(language(), Language::English);
            QCOMPARE(str(StrId::NoResponse), QStringLiteral("No response"));
            QCOMPARE(str(StrId::AppTitle), QStringLiteral("ZK-VR340a"));
            QCOMPARE(joinWords(str(2912), str(10348)), QStringLiteral("ON Colour"));
            QCOMPARE(str(StrId::LineNumber).arg(2), QStringLiteral("Line 2"));
            QCOMPARE(str(9117).arg(1002), QStringLiteral("Cannot open UDP port 1002 for the mixer search."));
        }
        QCOMPARE(language(), Language::Japanese);
        QCOMPARE(str(StrId::NoResponse), QStringLiteral("応答がありません"));
        QCOMPARE(joinWords(str(2912), str(10348)), QStringLiteral("ON背景色"));
        QCOMPARE(str(StrId::LineNumber).arg(2), QStringLiteral("2行目"));
    }

    void unknownIdIsEmpty()
    {
        QVERIFY(!hasStr(8999));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no string"));
        QVERIFY(str(8999).isEmpty());
    }

    void colourTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("Long literal, red in the low byte") << "&H80FF&" << QColor(255, 128, 0);
        QTest::newRow("window colour") << "&HB5FFFF" << QColor(255, 255, 181);
        QTest::newRow("lower case, eight digits") << "&h00c0c0c0" << QColor(192, 192, 192);
        QTest::newRow("blue only") << "&HFF0000" << QColor(0, 0, 255);
        QTest::newRow("no prefix") << "80FF" << QColor();
        QTest::newRow("prefix only") << "&H" << QColor();
        QTest::newRow("not hex") << "&HXYZ" << QColor();
        QTest::newRow("blank inside") << "&H 12" << QColor();
        QTest::newRow("sign") << "&H-12" << QColor();
        QTest::newRow("C prefix") << "&H0x12" << QColor();
        QTest::newRow("nine digits") << "&H100000000" << QColor();
        QTest::newRow("beyond 24 bits") << "&H1000000" << QColor();
        QTest::newRow("system form with stray bits") << "&H8000010F" << QColor();
        QTest::newRow("empty") << "" << QColor();
    }
    void colourTexts()
    {
        QFETCH(QString, text);
        QFETCH(QColor, expected);
        const QColor got = colorFromText(text);
        QCOMPARE(got.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(got.rgb(), expected.rgb());
    }

    void systemColoursFollowThePalette()
    {
        const QPalette pal = QGuiApplication::palette();
        QCOMPARE(colorFromText("&H8000000F"), pal.color(QPalette::Button));
        QCOMPARE(colorFromText("&H80000005"), pal.color(QPalette::Base));
        QCOMPARE(colorFromText("&H80000008"), pal.color(QPalette::Text));
        QVERIFY(!colorFromText("&H800000FF").isValid());
    }

    void colourValueRoundTrip()
    {
        for (const quint32 v : {0x000000u, 0x0080FFu, 0xB5FFFFu, 0x123456u, 0xFFFFFFu})
            QCOMPARE(colorToValue(colorFromValue(v)), v);
        QCOMPARE(colorToValue(QColor(255, 128, 0)), 0x0080FFu);
    }

    // Every appearance constant of the table that is written as a colour must
    // convert, or its window would come up with an invalid (black) colour.
    void everyColourConstantConverts()
    {
        QStringList bad;
        for (const auto &l : sourceLines()) {
            const qsizetype tab = l.raw.indexOf(u'\t');
            const QString text = l.raw.mid(tab + 1);
            if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) && !colorFromText(text).isValid())
                bad << l.raw;
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(u'\n')));
    }
};

ZK_TEST_MAIN(TestStrings)
#include "tst_strings.moc"
