// Arbitrary text typed into the hexadecimal boxes of the direct access window
// and given to the tool's peek and poke: whatever is accepted must come back
// as the same number in its eight-digit form, and only accepted text may
// reach a request.

#include "maintenance/directaccess.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

QString checkPeekArgs(const QStringList &args);
QString checkPokeArgs(const QStringList &args);

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The text as the window would hold it: UTF-8 with whatever it carries.
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<quint32> value = parseHex32(text);
    if (value) {
        const QString shown = hex8(*value);
        check(shown.size() == 8 && parseHex32(shown) == value && hex8(*parseHex32(shown)) == shown);
        const QByteArray read = directReadRequest(int(size % 3), *value);
        check(read.size() == 8);
        const QByteArray write = directWriteRequest(int(size % 3), *value, *value);
        check(write.size() == 12);
    }

    // The tool takes its arguments split at blanks.
    const QStringList words = text.split(u' ');
    const QString peek = checkPeekArgs(words.mid(0, 2));
    if (peek.isEmpty())
        check(parseHex32(words.at(0)).has_value());
    const QString poke = checkPokeArgs(words.mid(0, 3));
    if (poke.isEmpty())
        check(parseHex32(words.at(0)) && words.size() >= 2 && parseHex32(words.at(1)));
    return 0;
}
