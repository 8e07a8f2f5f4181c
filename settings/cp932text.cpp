#include "settings/cp932text.h"

#include <algorithm>

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Unicode characters with a CP932 look-alike, mapped the way the Windows
// converters map them (the JIS forms of the code points CP932 assigns to
// its full-width and Microsoft variants).
char32_t bestFit(char32_t c)
{
    switch (c) {
    case U'\u301C': return U'\uFF5E';   // wave dash → full-width tilde (0x8160)
    case U'\u2212': return U'\uFF0D';   // minus sign → full-width hyphen-minus (0x817C)
    case U'\u00A5': return U'\\';       // yen sign → 0x5C
    case U'\u2014': return U'\u2015';   // em dash → horizontal bar (0x815C)
    case U'\u2016': return U'\u2225';   // double vertical line → parallel to (0x8161)
    case U'\u00A2': return U'\uFFE0';   // cent sign → full-width cent (0x8191)
    case U'\u00A3': return U'\uFFE1';   // pound sign → full-width pound (0x8192)
    case U'\u00AC': return U'\uFFE2';   // not sign → full-width not (0x81CA)
    default: return c;
    }
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// The converter's error flag cannot be reset, so each character gets an
// encoder of its own; only text that failed as a whole comes here.
bool storable(char32_t c)
{
    if (c < 0x80)
        return true;
    QStringEncoder encoder("CP932", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(fromCodePoint(c));
    return encoder.isValid() && !encoder.hasError() && !bytes.isEmpty();
}

// The text after the best-fit mapping, with every character CP932 still
// lacks replaced by `replacement` (or left as it is when that is 0) and
// collected in `missing`.
QString mapped(const QString &text, char32_t replacement, QString *missing)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t m = bestFit(c);
        if (storable(m)) {
            out += fromCodePoint(m);
            continue;
        }
        const QString original = fromCodePoint(c);
        if (missing && !missing->contains(original))
            *missing += original;
        out += fromCodePoint(replacement ? replacement : c);
    }
    return out;
}

} // namespace

QString unstorableCharacters(const QString &text)
{
    // encode() converts lazily: the error flag is set once the bytes exist.
    QStringEncoder whole("CP932", QStringConverter::Flag::Stateless);
    const QByteArray bytes = whole.encode(text);
    if (whole.isValid() && !whole.hasError())
        return {};      // the common case, one pass over the text
    QString missing;
    (void)mapped(text, 0, &missing);
    return missing;
}

QByteArray toCp932(const QString &text)
{
    QStringEncoder encoder("CP932", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    QStringEncoder again("CP932", QStringConverter::Flag::Stateless);
    return again.encode(mapped(text, U'?', nullptr));
}

bool isOtherEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")
        || bytes.contains('\0'))
        return true;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return quint8(c) < 0x80; });
    if (ascii)
        return false;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes); // decode() converts only when taken as a string
    return !utf8.hasError();
}
