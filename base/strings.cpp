#include "strings.h"
#include "languagescope.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QLocale>
#include <QLoggingCategory>
#include <QPalette>
#include <QTranslator>

#include <algorithm>

Q_LOGGING_CATEGORY(lcStrings, "zkvr.app.strings", QtWarningMsg)

namespace {

QString unescape(const QString &raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == u'\\' && i + 1 < raw.size()) {
            const QChar n = raw.at(i + 1);
            if (n == u'n') { out += u'\n'; ++i; continue; }
            if (n == u't') { out += u'\t'; ++i; continue; }
            if (n == u'\\') { out += u'\\'; ++i; continue; }
        }
        out += c;
    }
    return out;
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> t = [] {
        QHash<int, QString> h;
        QFile f(QStringLiteral(":/zk/strings.tsv"));
        if (!f.open(QIODevice::ReadOnly)) {
            qCWarning(lcStrings) << "string table resource missing";
            return h;
        }
        const QString all = QString::fromUtf8(f.readAll());
        for (QString line : all.split(u'\n')) {
            // A line saved with a Windows line end must not carry the CR into the text.
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const qsizetype tab = line.indexOf(u'\t');
            bool ok = false;
            const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
            if (!ok) {
                qCWarning(lcStrings) << "malformed string table line" << line;
                continue;
            }
            if (h.contains(id))
                qCWarning(lcStrings) << "string" << id << "defined twice; the later text wins";
            h.insert(id, unescape(line.mid(tab + 1)));
        }
        return h;
    }();
    return t;
}

// The context of the table's messages in the translation; each message carries
// its id as the disambiguation, so that equal Japanese texts ("-40dB", "印刷")
// can translate differently.
constexpr char TranslationContext[] = "StringTable";
const QString EnglishTranslation = QStringLiteral(":/zk/i18n/zkvr340a_en.qm");

Language g_language = Language::Japanese;

// The table in the chosen language; built once, so str() stays a plain lookup.
QHash<int, QString> &translatedTable()
{
    static QHash<int, QString> t;
    return t;
}

const QHash<int, QString> &activeTable()
{
    return g_language == Language::Japanese ? table() : translatedTable();
}

// System colour indexes as the appearance constants number them.
QColor systemColor(int index)
{
    // A plain QCoreApplication (the command-line tool) has no palette to ask;
    // QPalette() then gives the default colours instead of crashing.
    const QPalette pal = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                             ? QGuiApplication::palette()
                             : QPalette();
    switch (index) {
    case 0:  return pal.color(QPalette::Window);          // scroll bar
    case 1:  return pal.color(QPalette::Dark);            // desktop
    case 2:  return pal.color(QPalette::Highlight);       // active caption
    case 3:  return pal.color(QPalette::Mid);             // inactive caption
    case 4:  return pal.color(QPalette::Window);          // menu bar
    case 5:  return pal.color(QPalette::Base);            // window background
    case 6:  return pal.color(QPalette::Shadow);          // window frame
    case 7:  return pal.color(QPalette::WindowText);      // menu text
    case 8:  return pal.color(QPalette::Text);            // window text
    case 9:  return pal.color(QPalette::HighlightedText); // caption text
    case 10: return pal.color(QPalette::Mid);             // active border
    case 11: return pal.color(QPalette::Midlight);        // inactive border
    case 12: return pal.color(QPalette::Dark);            // application workspace
    case 13: return pal.color(QPalette::Highlight);       // highlight
    case 14: return pal.color(QPalette::HighlightedText); // highlight text
    case 15: return pal.color(QPalette::Button);          // button face
    case 16: return pal.color(QPalette::Dark);            // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return pal.color(QPalette::ButtonText);      // button text
    case 19: return pal.color(QPalette::Disabled, QPalette::WindowText); // inactive caption text
    case 20: return pal.color(QPalette::Light);           // 3-D highlight
    case 21: return pal.color(QPalette::Shadow);          // 3-D dark shadow
    case 22: return pal.color(QPalette::Midlight);        // 3-D light
    case 23: return pal.color(QPalette::ToolTipText);     // info text
    case 24: return pal.color(QPalette::ToolTipBase);     // info background
    default: return {};
    }
}

} // namespace

bool setLanguage(Language language)
{
    if (language == Language::Japanese) {
        g_language = language;
        return true;
    }
    // The translated table is built once; switching back and forth (a
    // LanguageScope) then costs nothing.
    if (!translatedTable().isEmpty()) {
        g_language = language;
        return true;
    }
    QTranslator english;
    if (!english.load(EnglishTranslation)) {
        qCWarning(lcStrings).noquote()
            << QStringLiteral("no English translation in %1; the texts stay Japanese").arg(EnglishTranslation);
        return false;
    }
    QHash<int, QString> &t = translatedTable();
    t = table();
    int missing = 0;
    for (auto it = t.begin(); it != t.end(); ++it) {
        const QString text = english.translate(TranslationContext, it.value().toUtf8().constData(),
                                               QByteArray::number(it.key()).constData());
        // A text added or changed since the translation was made stays Japanese.
        if (text.isEmpty())
            ++missing;
        else
            it.value() = text;
    }
    if (missing)
        qCInfo(lcStrings) << missing << "texts have no English translation";
    g_language = language;
    return true;
}

Language language()
{
    return g_language;
}

LanguageScope::LanguageScope(Language language) : m_before(g_language)
{
    if (language != m_before)
        setLanguage(language);
}

LanguageScope::~LanguageScope()
{
    if (g_language != m_before)
        setLanguage(m_before);
}

Language languageFor(const QString &setting, const QStringList &uiLanguages)
{
    const QString chosen = setting.trimmed().toLower();
    if (chosen == u"ja")
        return Language::Japanese;
    if (chosen == u"en")
        return Language::English;
    if (!chosen.isEmpty())
        qCWarning(lcStrings).noquote()
            << QStringLiteral("ZKVR340A_LANGUAGE is \"%1\"; expected ja or en").arg(setting);
    for (const QString &tag : uiLanguages) {
        // "en", "en-GB", "en_US", "en-Latn-US"; "C" and "POSIX" state no preference.
        const QString lang = tag.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (lang == u"ja")
            return Language::Japanese;
        if (lang == u"en")
            return Language::English;
    }
    return Language::Japanese;
}

Language systemLanguage()
{
    return languageFor(qEnvironmentVariable("ZKVR340A_LANGUAGE"), QLocale::system().uiLanguages());
}

QString str(int id)
{
    const auto &t = activeTable();
    const auto it = t.constFind(id);
    if (it == t.constEnd()) {
        qCWarning(lcStrings) << "no string" << id;
        return {};
    }
    return *it;
}

bool hasStr(int id)
{
    return table().contains(id);
}

QList<int> strIds()
{
    QList<int> ids = table().keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString joinWords(const QString &first, const QString &second)
{
    return str(StrId::WordPair).arg(first, second);
}

QColor colorFromValue(quint32 value)
{
    // System colours are 0x800000nn; anything else with the top bit set is no colour.
    if (value >= 0x80000000u)
        return (value & 0x7FFFFF00u) ? QColor() : systemColor(int(value & 0xFFu));
    if (value > 0xFFFFFFu)
        return {};
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor colorFromText(const QString &text)
{
    QString t = text.trimmed();
    if (!t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        return {};
    t = t.mid(2);
    if (t.endsWith(u'&'))
        t.chop(1);
    if (t.isEmpty() || t.size() > 8)
        return {};
    // Only hex digits: toUInt alone would also take "0x", a sign or blanks.
    for (const QChar c : t) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return {};
    }
    bool ok = false;
    const quint32 v = t.toUInt(&ok, 16);
    return ok ? colorFromValue(v) : QColor();
}

quint32 colorToValue(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}
