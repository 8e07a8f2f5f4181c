#include "settings/valuetext.h"

#include <QLocale>

#include <cmath>

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString doubleText(double value)
{
    if (value == 0)
        return QStringLiteral("0");      // never "-0"
    // Exponents in capitals (1E+20), as the files have always held them.
    return QString::number(value, 'g', 15).toUpper();
}

std::optional<double> parseDouble(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<qint64> parseWhole(const QString &text, qint64 lo, qint64 hi)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    qint64 v = t.toLongLong(&ok, 10);
    if (!ok) {
        const auto d = parseDouble(t);
        if (!d || std::fabs(*d) > 1e18)
            return std::nullopt;
        v = qint64(std::nearbyint(*d));   // default rounding: half to even
    }
    if (v < lo || v > hi)
        return std::nullopt;
    return v;
}

std::optional<bool> parseBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto d = parseDouble(t);
    if (!d)
        return std::nullopt;
    return *d != 0;
}
