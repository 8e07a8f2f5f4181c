// Reads a settings file from arbitrary bytes. Whatever loads must save, and
// what it saves must load again and save to the very same bytes.

#include "settings/keytable.h"
#include "settings/settingsfile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const SetDataKeyTable keys = SetDataKeyTable::build();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // The line syntax on its own, line by line.
    for (const QByteArray &line : bytes.split('\n'))
        (void)ParseLine(QString::fromLatin1(line));

    // The tables live across inputs: a fresh 367 x 33 table per input costs
    // more than the parsing under test.
    static SettingsTable first;
    static SettingsTable second;
    resetFileTable(first);
    if (!readSettingsBytes(bytes, keys, first))
        return 0;

    for (int mixers : {0, 1, 16}) {
        const auto saved = settingsBytes(first, keys, mixers);
        if (!saved)
            std::abort();          // a table that loaded must be writable
        resetFileTable(second);
        if (!readSettingsBytes(*saved, keys, second))
            std::abort();          // a written file must load
        const auto again = settingsBytes(second, keys, mixers);
        if (!again || *again != *saved)
            std::abort();          // and write the same bytes
    }
    return 0;
}
