#include "cli/statusreport.h"

#include "base/strings.h"

#include "cli/keynames.h"

#include <QStringList>

namespace {
constexpr int BlockSize = 84;
constexpr int HeaderSize = 3;
} // namespace

bool decodeDataBlocks(const QByteArray &reply, StatusReport &report)
{
    const int data = int(reply.size()) - HeaderSize;
    if (data < BlockSize || data % BlockSize != 0 || data / BlockSize > 16)
        return false;
    const int n = data / BlockSize;
    report.mixers.resize(size_t(n));
    for (int m = 0; m < n; ++m) {
        MixerStatus &s = report.mixers[size_t(m)];
        s.mixer = m + 1;
        for (int k = 0; k < BlockSize; ++k)
            s.block[size_t(k)] = quint8(reply[HeaderSize + m * BlockSize + k]);
    }
    return true;
}

bool decodeThresholds(const QByteArray &reply, StatusReport &report)
{
    const int data = int(reply.size()) - HeaderSize;
    if (data < 2 || data % 2 != 0)
        return false;
    const int n = data / 2;
    for (MixerStatus &s : report.mixers) {
        if (s.mixer > n)
            break;
        const int at = HeaderSize + 2 * (s.mixer - 1);
        s.threshold = ((quint8(reply[at]) << 8) | quint8(reply[at + 1])) & 0x7FFF;
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
