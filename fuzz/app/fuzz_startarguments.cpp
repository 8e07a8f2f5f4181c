// The program's command line as anyone may type it: the bytes, split at NUL
// into words after the program name, go through the start's reading
// (--operate, --link, --fullscreen, then --virtual and --model). Nothing may
// crash, and the answer is either a reading or a reason, never both.

#include "app/operatestart.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList words{QStringLiteral("zkvr340a")};
    for (const QByteArray &w : QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0'))
        words << QString::fromUtf8(w);
    const StartRequest r = parseStartArguments(words);
    if (r.ok() == !r.error().isEmpty())
        __builtin_trap();
    if (r.ok() && r.operate.operate() && r.operate.file.trimmed().isEmpty())
        __builtin_trap();
    if (r.ok() && r.operate.link && *r.operate.link == LinkKind::Offline)
        __builtin_trap();
    if (r.ok() && (r.virtualChain.mixers < 0 || r.virtualChain.mixers > 16))
        __builtin_trap();
    return 0;
}
