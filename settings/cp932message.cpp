// The message of cp932text.h, apart from the conversions so that code which
// only converts needs no string table.

#include "settings/cp932text.h"

#include "base/strings.h"

#include <QStringList>

QString unstorableCharactersMessage(const QString &characters)
{
    QStringList each;
    for (const char32_t c : characters.toUcs4())
        each << QString::fromUcs4(&c, 1);
    return str(10100).arg(each.join(u' '));
}
