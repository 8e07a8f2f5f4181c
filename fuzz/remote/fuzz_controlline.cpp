// A room controller's bytes as any client may send them: framed into lines
// whole and cut small, each line parsed as a command, and asked whether it
// is a browser's HTTP.

#include "remote/controlline.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    LineFraming whole;
    LineFraming cut;
    const QList<QByteArray> lines = whole.feed(all);
    QList<QByteArray> cutLines;
    for (qsizetype i = 0; i < all.size(); i += 5)
        cutLines += cut.feed(all.mid(i, 5));
    // Cutting the bytes differently frames them the same.
    if (whole.verdict() != cut.verdict() || lines != cutLines)
        __builtin_trap();
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line.size() > Control::MaxLineBytes || line.contains('\r') || line.contains('\n'))
            __builtin_trap();
        const ControlCommand c = parseControlLine(line);
        if ((c.verb == ControlVerb::Malformed) == c.problem.isEmpty())
            __builtin_trap(); // a command or a reason, never both
        if (c.mixer < 0 || c.mixer > 99 || c.channel < 0 || c.channel > 99)
            __builtin_trap();
        if (c.verb == ControlVerb::Login && (c.token.isEmpty() || c.token.contains(' ')))
            __builtin_trap();
        (void)looksLikeHttp(line);
    }
    return 0;
}
