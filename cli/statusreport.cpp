#include "cli/statusreport.h"

#include "base/strings.h"

#include "cli/keynames.h"
#include "mixer/statusreplies.h"

#include <QStringList>

#include <algorithm>

namespace {
constexpr int BlockSize = DataBlockSize;

const quint8 *bytes(const QByteArray &b)
{
    return reinterpret_cast<const quint8 *>(b.constData());
}
} // namespace

bool decodeDataBlocks(const QByteArray &reply, StatusReport &report)
{
    const std::optional<std::vector<DataBlock>> blocks = decodeDataReply(bytes(reply), int(reply.size()));
    // A chain of no mixers is nothing to report.
    if (!blocks || blocks->empty())
        return false;
    report.mixers.resize(blocks->size());
    for (size_t m = 0; m < blocks->size(); ++m) {
        report.mixers[m].mixer = int(m) + 1;
        report.mixers[m].block = (*blocks)[m];
    }
    return true;
}

bool decodeThresholds(const QByteArray &reply, StatusReport &report)
{
    const std::optional<std::vector<qint16>> thresholds = decodeThresholdReply(bytes(reply), int(reply.size()));
    if (!thresholds || thresholds->empty())
        return false;
    for (MixerStatus &s : report.mixers) {
        if (s.mixer > int(thresholds->size()))
            break;
        s.threshold = (*thresholds)[size_t(s.mixer - 1)];
    }
    return true;
}

QByteArray statusJson(const StatusReport &report)
{
    // Written by hand so that the values keep their key-id order (QJsonObject
    // sorts its keys); every key is plain ASCII and needs no escaping.
    QByteArray out = "{\"mixer_count\": " + QByteArray::number(report.mixerCount()) + ", \"mixers\": [";
    for (size_t i = 0; i < report.mixers.size(); ++i) {
        const MixerStatus &s = report.mixers[i];
        if (i)
            out += ", ";
        out += "{\"mixer\": " + QByteArray::number(s.mixer) + ", \"model\": " + QByteArray::number(s.model)
            + ", \"values\": {";
        for (int k = 1; k <= BlockSize; ++k)
            out += '"' + cliKeyName(k).toLatin1() + "\": " + QByteArray::number(s.block[size_t(k - 1)]) + ", ";
        out += '"' + cliKeyName(85).toLatin1() + "\": "
            + (s.threshold ? QByteArray::number(*s.threshold) : QByteArray("null")) + "}}";
    }
    out += "]}\n";
    return out;
}

namespace {

// Columns `text` takes on a terminal.
int displayWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Full-width forms and CJK take two terminal columns; half-width katakana one.
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF)
            || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F)
            || (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

} // namespace

QString statusTable(const StatusReport &report)
{
    // A column holds "スレーブ15" (ten columns on a terminal) and a blank.
    constexpr int KeyColumn = 28;
    constexpr int MixerColumn = 11;
    auto right = [](const QString &text) {
        return QString(std::max(1, MixerColumn - displayWidth(text)), u' ') + text;
    };
    QString header(KeyColumn, u' ');
    for (const MixerStatus &s : report.mixers)
        header += right(s.mixer == 1 ? str(9747) : str(9748).arg(s.mixer - 1));
    QStringList lines{header};
    auto row = [&](const QString &name, auto cell) {
        QString line = QStringLiteral("%1").arg(name, -KeyColumn);
        for (const MixerStatus &s : report.mixers)
            line += right(cell(s));
        lines << line;
    };
    row(QStringLiteral("Model"), [](const MixerStatus &s) { return QString::number(s.model); });
    for (int k = 1; k <= BlockSize; ++k)
        row(cliKeyName(k), [k](const MixerStatus &s) { return QString::number(s.block[size_t(k - 1)]); });
    row(cliKeyName(85), [](const MixerStatus &s) {
        return s.threshold ? QString::number(*s.threshold) : QStringLiteral("-");
    });
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
