#include "cli/manpage.h"

#include <QStringList>

namespace {

// A heading: at the left margin, and no lower-case letter in it.
bool isHeading(const QString &line)
{
    if (line.isEmpty() || line.at(0).isSpace())
        return false;
    for (const QChar c : line)
        if (c.isLower())
            return false;
    return true;
}

// One line of text for roff: backslashes and hyphens escaped, and a line
// that starts with a control character kept as text.
QString roffText(const QString &line)
{
    QString out;
    out.reserve(line.size() + 8);
    for (const QChar c : line) {
        if (c == u'\\')
            out += QStringLiteral("\\e");
        else if (c == u'-')
            out += QStringLiteral("\\-");
        else
            out += c;
    }
    if (out.startsWith(u'.') || out.startsWith(u'\''))
        out.prepend(QStringLiteral("\\&"));
    return out;
}

} // namespace

QString manPageFromManual(const QString &manual)
{
    QStringList out{QStringLiteral(".TH ZKVR340A\\-CTL 1 \"\" \"ZK-VR340a Control\" \"User Commands\""),
                    QStringLiteral(".nh"), QStringLiteral(".ad l")};
    bool inSection = false;
    for (const QString &line : manual.split(u'\n')) {
        if (isHeading(line)) {
            if (inSection)
                out << QStringLiteral(".fi");
            out << QStringLiteral(".SH \"%1\"").arg(line) << QStringLiteral(".nf");
            inSection = true;
        } else if (inSection) {
            out << roffText(line);
        }
    }
    if (inSection)
        out << QStringLiteral(".fi");
    return out.join(u'\n') + u'\n';
}
