// The operator lock's stored digest, as a hand-edited or damaged per-user
// store may hold it, against a passphrase typed at the panel. The bytes are
// split at the first NUL into the stored text and the passphrase. Nothing
// may crash or hang, and a digest of the same passphrase must match.

#include "panel/operatorlock.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype nul = all.indexOf('\0');
    const QString stored = QString::fromUtf8(nul < 0 ? all : all.left(nul));
    const QString given = QString::fromUtf8(nul < 0 ? QByteArray() : all.mid(nul + 1));
    // A store that claims huge round counts is refused before any work;
    // keep each run short all the same.
    if (stored.size() > 4096)
        return 0;
    (void)passphraseMatches(stored, given);
    const QString made = passphraseDigest(given, QByteArrayLiteral("0123456789abcdef"), 1000);
    if (!passphraseMatches(made, given))
        __builtin_trap();
    if (passphraseMatches(made, given + QLatin1Char('x')))
        __builtin_trap();
    return 0;
}
