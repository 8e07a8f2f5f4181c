#include "panel/backdropsettings.h"

#include <QLocale>
#include <QStringList>

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

QString toolkitFileFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const int paren = description.indexOf(u'(');
        if (paren > 0 && description.endsWith(u')'))
            description = description.left(paren).trimmed();
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}
