#pragma once

// The program's one numbered string table. Every user-visible text and every
// appearance constant (font names, colours as "&H...") is looked up by id.
// The table itself is base/strings.tsv (id TAB text), compiled in as a resource.
// Ids below 9000 are the system's own numbering; 9000 and up are texts that
// have no number of their own, grouped by subsystem:
//   9000 app, 9100 link, 9200 mixer, 9300 settings, 9400 editor, 9500 panel,
//   9600 maintenance and print, 9700 virtual mixer and command-line tool.
// In the text, "\n" stands for a line break and "\t" for a tab.
//
// The table is Japanese. An English translation of it (translations/*.ts,
// compiled in as a resource) replaces the texts once setLanguage(English) has
// run; texts that must stay as they are (appearance constants, the tool's
// messages, tokens such as "MUTE") translate to themselves.

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace StrId {
// The handful of ids used all over the program.
constexpr int AppTitle = 1901;      // "ZK-VR340a"
constexpr int NoResponse = 1801;    // "応答がありません"
constexpr int AbnormalEnd = 1802;   // "異常終了しました"
constexpr int SetFailed = 1803;     // "ミキサーの設定に失敗しました"
constexpr int InvalidData = 2706;   // "無効なデータです"
constexpr int LinkKindFirst = 1910; // 1910 + LinkKind: "RS-232C", "USB", "オフライン", "Ethernet"
constexpr int WordPair = 10700;     // "%1%2": two words of one caption, see joinWords
constexpr int LineNumber = 10701;   // "%1行目": the n-th line of a caption
} // namespace StrId

enum class Language { Japanese, English };

// The language of every later str(). Japanese, the table itself, until this is
// called. False when the English translation is missing from the program (the
// texts then stay Japanese).
bool setLanguage(Language language);
Language language();

// The language a user asked for: `setting` (the environment variable
// ZKVR340A_LANGUAGE, "ja" or "en") wins; otherwise the first of the user's
// interface languages (QLocale::uiLanguages(), most preferred first) that is
// Japanese or English; otherwise Japanese.
Language languageFor(const QString &setting, const QStringList &uiLanguages);
// The same for this process: its environment and system locale.
Language systemLanguage();

// The text of `id`; an unknown id gives an empty text (and a warning on the
// "zkvr.app.strings" logging category).
QString str(int id);

// Whether the table has an entry for `id`.
bool hasStr(int id);

// Every id of the table, ascending.
QList<int> strIds();

// Two words that make one caption ("ON" and "背景色"): side by side in
// Japanese, a space apart in English.
QString joinWords(const QString &first, const QString &second);

// Converts a colour text of the table: "&H8000000F" (system colour 15, button
// face), "&HB5FFFF" or "&H80FF&" (0x00BBGGRR). Values from 0x80000000 up name a
// system colour, mapped onto the platform palette. Invalid text gives an
// invalid QColor.
QColor colorFromText(const QString &text);

// The same conversion on a number already parsed (0x00BBGGRR, or 0x800000nn).
QColor colorFromValue(quint32 value);

// The other way: a QColor as a 0x00BBGGRR value, the form the settings file stores.
quint32 colorToValue(const QColor &color);
