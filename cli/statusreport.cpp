#include "cli/statusreport.h"

#include "base/strings.h"

#include "cli/keynames.h"
#include "mixer/statusreplies.h"

#include <QStringList>

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

QString statusTable(const StatusReport &report)
{
    QStringList header{QStringLiteral("%1").arg(QString(), -28)};
    for (const MixerStatus &s : report.mixers)
        header << QStringLiteral("%1").arg(s.mixer == 1 ? str(9747)
                                                        : str(9748).arg(s.mixer - 1), 8);
    QStringList lines{header.join(QString())};
    auto row = [&](const QString &name, auto cell) {
        QString line = QStringLiteral("%1").arg(name, -28);
        for (const MixerStatus &s : report.mixers)
            line += QStringLiteral("%1").arg(cell(s), 8);
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
