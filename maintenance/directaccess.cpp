#include "maintenance/directaccess.h"

#include "link/protocol.h"

std::optional<quint32> parseHex32(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0u;
    constexpr int MaxDigits = 8;
    if (t.size() > MaxDigits)
        return std::nullopt;
    quint32 v = 0;
    for (QChar c : t) {
        const int d = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (d < 0)
            return std::nullopt;
        v = v << 4 | quint32(d);
    }
    return v;
}

QString hex8(quint32 value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

int directAccessSize(int sizeIndex)
{
    switch (sizeIndex) {
    case 0: return 1;
    case 1: return 2;
    default: return 4;
    }
}

QByteArray directReadRequest(int sizeIndex, quint32 address)
{
    return memoryReadRequest(directAccessSize(sizeIndex), address);
}

QByteArray directWriteRequest(int sizeIndex, quint32 address, quint32 data)
{
    return memoryWriteRequest(directAccessSize(sizeIndex), address, data);
}
