#include "scales.h"

#include "base/strings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int MuteTextId = 9400; // "MUTE"

// Whole units of 10^-decimals as text, exactly: no binary fraction is
// involved, so -0.2 never prints as -0.19 and 0 never as -0.0.
QString fixedText(long long units, int decimals)
{
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const bool negative = units < 0;
    const long long magnitude = negative ? -units : units;
    QString text = QString::number(magnitude / scale);
    if (decimals > 0)
        text += u'.' + QStringLiteral("%1").arg(magnitude % scale, decimals, 10, QLatin1Char('0'));
    return negative ? u'-' + text : text;
}

int saturatingFloor(double v)
{
    if (std::isnan(v))
        return std::numeric_limits<int>::min();
    const double f = std::floor(v);
    if (f >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (f <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(f);
}

bool isEntryChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || u == u'.' || u == u'-';
}

} // namespace

QString levelNumberText(int code)
{
    if (code < LevelCodeMin || code > LevelCodeMax)
        return {};
    return fixedText(-LevelTable[std::size_t(code)], 1);
}

QString displayCode(Scale scale, int code)
{
    switch (scale) {
    case Scale::Level:
        return code == 0 ? str(MuteTextId) : levelNumberText(code);
    case Scale::Tenths:
        return fixedText(code, 1);
    case Scale::Hundredths:
        return fixedText(code, 2);
    case Scale::HalfSeconds:
        return fixedText((static_cast<long long>(code) + 1) * 5, 1); // c * 0.5 + 0.5
    case Scale::Twentieths:
        return fixedText((static_cast<long long>(code) + 1) * 5, 2); // (c + 1) * 0.05
    case Scale::Count:
        return QString::number(code);
    }
    return {};
}

double shownNumber(Scale scale, int code)
{
    return scale == Scale::Level ? levelDb(code) : displayCode(scale, code).toDouble();
}

int nearestLevel(double dB)
{
    int i = LevelCodeMin;
    while (i <= LevelCodeMax && levelDb(i) < dB)
        ++i;
    if (i > LevelCodeMax)
        return LevelCodeMax + 1;
    if (i == LevelCodeMin)
        return dB < levelDb(LevelCodeMin) ? LevelCodeMin - 1 : LevelCodeMin;
    // dB lies in (L(i-1), L(i)]. Comparing against the midpoint, computed from
    // the integer table, keeps an exactly half-way value (typed as such) from
    // being decided by rounding noise in two separate subtractions. The top
    // step (-0.2 .. 0.0) is judged like every other one.
    const double midpoint = -(LevelTable[std::size_t(i - 1)] + LevelTable[std::size_t(i)]) / 20.0;
    return dB < midpoint ? i - 1 : i;
}

int codeFromValue(Scale scale, double value)
{
    switch (scale) {
    case Scale::Level:
        return nearestLevel(value);
    case Scale::Tenths:
        return saturatingFloor(value * 10);
    case Scale::Hundredths:
        return saturatingFloor(value * 100 + 0.001);
    case Scale::HalfSeconds:
        return saturatingFloor(value * 2 - 1);
    case Scale::Twentieths:
        return saturatingFloor(value * 20 - 1);
    case Scale::Count:
        return saturatingFloor(value);
    }
    return 0;
}

double leadingDecimal(QStringView text)
{
    qsizetype end = 0;
    if (end < text.size() && text[end] == u'-')
        ++end;
    qsizetype digits = 0;
    while (end < text.size() && text[end].unicode() >= u'0' && text[end].unicode() <= u'9') {
        ++end;
        ++digits;
    }
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && text[end].unicode() >= u'0' && text[end].unicode() <= u'9') {
            ++end;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    bool ok = false;
    const double v = text.first(end).toDouble(&ok);
    if (ok)
        return v;
    // Only a number too large for a double fails to convert here.
    return text[0] == u'-' ? -std::numeric_limits<double>::infinity()
                           : std::numeric_limits<double>::infinity();
}

CommitResult commitEntry(const QString &text, Scale scale, int min, int max)
{
    CommitResult result;
    QString t = text.toUpper();
    if (scale == Scale::Level) {
        const QString mute = str(MuteTextId).toUpper();
        if (t.isEmpty()) {
            t = mute;
            result.textToWriteBack = str(MuteTextId);
        }
        if (t == mute) {
            result.code = LevelCodeMin;
            result.valid = result.code >= min && result.code <= max;
            return result;
        }
    }
    bool charactersOk = true;
    for (const QChar c : t) {
        if (!isEntryChar(c)) {
            charactersOk = false;
            break;
        }
    }
    result.code = codeFromValue(scale, leadingDecimal(t));
    result.valid = charactersOk && result.code >= min && result.code <= max;
    return result;
}

int levelPicture(int code)
{
    return std::clamp(code / 2, 0, 31);
}

int thresholdPicture(int threshold, int thresholdMin, int thresholdMax)
{
    const long long step = (static_cast<long long>(thresholdMax) - thresholdMin + 1) / 32;
    if (step <= 0)
        return 0;
    return int(std::clamp<long long>((static_cast<long long>(threshold) - thresholdMin) / step, 0, 31));
}
