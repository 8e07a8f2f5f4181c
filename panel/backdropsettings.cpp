#include "panel/backdropsettings.h"

#include <QLocale>

#include <cmath>
#include <limits>

std::optional<qint32> gridIntervalFromText(const QString &text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double whole = std::round(v);
    if (whole < MinGridInterval || whole > MaxGridInterval)
        return std::nullopt;
    return qint32(whole);
}

ImageDialogEnabling imageDialogEnabling(bool show, int mode)
{
    ImageDialogEnabling e;
    e.file = show;
    e.options = show;
    e.sizeBoxes = show && mode == 2;
    e.scaleBoxes = show && mode == 3;
    return e;
}

QString digitsOnly(const QString &text)
{
    QString out;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            out += c;
    return out;
}

qint32 numberBoxValue(const QString &text)
{
    const QString digits = digitsOnly(text);
    qint64 v = 0;
    for (const QChar c : digits) {
        v = v * 10 + (c.unicode() - u'0');
        if (v > std::numeric_limits<qint32>::max())
            return std::numeric_limits<qint32>::max();
    }
    return qint32(v);
}
