#include "base/shownwords.h"

#include <QRegularExpression>

QString accessibleWords(const QString &visibleText)
{
    QString t = visibleText;
    // A Japanese caption shows its mnemonic in brackets: "送信(&S)".
    static const QRegularExpression bracketed(QStringLiteral("[(（]&[^&][)）]"));
    t.remove(bracketed);
    // "&&" is a shown ampersand; a single one marks the mnemonic.
    t.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    t.remove(u'&');
    t.replace(u'\x01', u'&');
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{3000}]+"));
    t.replace(blanks, QStringLiteral(" "));
    return t.trimmed();
}

QString joinAccessible(const QStringList &parts)
{
    QStringList words;
    for (const QString &p : parts) {
        const QString w = accessibleWords(p);
        if (!w.isEmpty())
            words << w;
    }
    return words.join(u' ');
}
