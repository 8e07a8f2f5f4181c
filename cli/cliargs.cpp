#include "cli/cliargs.h"

#include "base/strings.h"

namespace {
constexpr double MaxConnectSeconds = 24 * 3600;
}

bool parseHostPort(const QString &text, QString &host, quint16 &port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    QString h = text;
    if (colon >= 0) {
        bool ok = false;
        const uint p = text.mid(colon + 1).toUInt(&ok);
        if (!ok || p == 0 || p > 65535)
            return false;
        h = text.left(colon);
        port = quint16(p);
    }
    if (h.isEmpty() || h.contains(QLatin1Char(' ')))
        return false;
    host = h;
    return true;
}

CliParseResult parseCliArguments(const QStringList &args)
{
    CliParseResult r;
    CliInvocation &inv = r.invocation;
    auto fail = [&](const QString &why) {
        r.ok = false;
        r.error = why;
        return r;
    };
    auto setLink = [&](CliLink::Kind kind) {
        if (inv.link.kind != CliLink::Kind::None)
            return false;
        inv.link.kind = kind;
        return true;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString name = a, value;
        bool inlineValue = false;
        if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('='))) {
            name = a.left(a.indexOf(QLatin1Char('=')));
            value = a.mid(a.indexOf(QLatin1Char('=')) + 1);
            inlineValue = true;
        }
        auto takeValue = [&]() {
            if (inlineValue)
                return true;
            if (i + 1 >= args.size())
                return false;
            value = args[++i];
            return true;
        };
        if (name == QLatin1String("--ethernet")) {
            if (!setLink(CliLink::Kind::Ethernet))
                return fail(str(9740));
            if (!takeValue() || !parseHostPort(value, inv.link.host, inv.link.port))
                return fail(str(9741));
        } else if (name == QLatin1String("--serial")) {
            if (!setLink(CliLink::Kind::Serial))
                return fail(str(9740));
            if (!takeValue() || value.isEmpty())
                return fail(str(9742));
            inv.link.device = value;
        } else if (name == QLatin1String("--timeout")) {
            bool ok = false;
            const double seconds = takeValue() ? value.toDouble(&ok) : 0.0;
            // Beyond a day is a typo, not a wait anyone means.
            if (!ok || !(seconds > 0.0) || seconds > MaxConnectSeconds)
                return fail(str(10103));
            inv.link.connectSeconds = seconds;
        } else if (a == QLatin1String("--verbose")) {
            inv.verbose = true;
        } else if (a == QLatin1String("--quiet")) {
            inv.quiet = true;
        } else if (a == QLatin1String("--usb")) {
            if (!setLink(CliLink::Kind::Usb))
                return fail(str(9740));
        } else if (inv.command.isEmpty() && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
            inv.help = true;
        } else if (inv.command.isEmpty()) {
            if (a.startsWith(QLatin1Char('-')))
                return fail(str(9743).arg(a));
            inv.command = a;
        } else {
            inv.commandArgs << a;
        }
    }
    if (inv.command.isEmpty() && !inv.help)
        return fail(str(9744));
    r.ok = true;
    return r;
}
