#include "base/csvcells.h"

#include <QRegularExpression>

bool looksLikeFormula(const QString &cell)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return !cell.isEmpty() && QStringLiteral("=+-@\t\r").contains(cell.front()) && !number.match(cell).hasMatch();
}

QString formulaGuarded(const QString &cell)
{
    return looksLikeFormula(cell) ? u'\'' + cell : cell;
}

QString formulaUnguarded(const QString &cell)
{
    return cell.size() > 1 && cell.front() == u'\'' && looksLikeFormula(cell.mid(1)) ? cell.mid(1) : cell;
}

QString csvCell(const QString &text)
{
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')) {
        QString quoted = text;
        quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return u'"' + quoted + u'"';
    }
    return text;
}
