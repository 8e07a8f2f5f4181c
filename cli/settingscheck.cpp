#include "cli/settingscheck.h"

#include "base/strings.h"
#include "settings/cp932text.h"
#include "settings/keytable.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

namespace Msg {
constexpr int Missing = 9763;
constexpr int Unreadable = 9764;
constexpr int BadLine = 9765;
constexpr int BadCount = 9766;
constexpr int TooLarge = 9768;
constexpr int NotCp932 = 13209; // "%1: %2 is not CP932 text (...); nothing was sent"
} // namespace Msg

// The reader refuses larger files; a file that big is not one of ours.
constexpr qint64 MaxSettingsFileBytes = 16 * 1024 * 1024;

// Byte offsets just past each line end (CR LF, CR or LF), as the reader
// splits lines. Neither CR nor LF occurs inside a two-byte CP932 character,
// so every such prefix decodes on its own.
std::vector<qsizetype> lineEnds(const QByteArray &bytes)
{
    std::vector<qsizetype> ends;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        if (bytes[i] == '\r' || bytes[i] == '\n')
            ends.push_back(i + 1);
    }
    if (ends.empty() || ends.back() != n)
        ends.push_back(n);
    return ends;
}

// The number (from 1) of the first line the reader refuses. A prefix of the
// file reads when all its lines do, so the first bad line is found by
// halving.
int firstBadLine(const QByteArray &bytes, const SetDataKeyTable &keys)
{
    const std::vector<qsizetype> ends = lineEnds(bytes);
    auto prefixReads = [&](size_t lines) {
        SettingsTable scratch;
        return readSettingsBytes(bytes.left(ends[lines - 1]), keys, scratch);
    };
    size_t good = 0, bad = ends.size(); // prefixes of `good` lines read, of `bad` lines do not
    while (bad - good > 1) {
        const size_t mid = good + (bad - good) / 2;
        (prefixReads(mid) ? good : bad) = mid;
    }
    return int(bad);
}

} // namespace

QString readSettingsForCommand(const QString &command, const QString &path, SettingsTable &table)
{
    const QString shown = QFileInfo(path).absoluteFilePath();
    const SetDataKeyTable keys = SetDataKeyTable::build();
    resetFileTable(table);
    if (!ReadSettingsFile(path, keys, table)) {
        QFile file(path);
        if (!file.exists())
            return str(Msg::Missing).arg(command, shown);
        if (!file.open(QIODevice::ReadOnly))
            return str(Msg::Unreadable).arg(command, shown, file.errorString());
        if (file.size() > MaxSettingsFileBytes)
            return str(Msg::TooLarge).arg(command, shown);
        const QByteArray bytes = file.readAll();
        if (isOtherEncoding(bytes))
            return str(Msg::NotCp932).arg(command, shown);
        return str(Msg::BadLine).arg(command, shown).arg(firstBadLine(bytes, keys));
    }
    // A file in another encoding may read by chance, its Japanese turned
    // into other characters: refused as well, before anything uses it.
    if (QFile file(path); file.open(QIODevice::ReadOnly) && isOtherEncoding(file.read(MaxSettingsFileBytes)))
        return str(Msg::NotCp932).arg(command, shown);
    const QString &count = table.at(0, SettingsGrid::SystemSection);
    if (!count.isEmpty() && !parseWhole(count, 0, SettingsGrid::MaxMixers))
        return str(Msg::BadCount).arg(command, shown, count);
    return {};
}
