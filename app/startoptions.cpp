#include "app/startoptions.h"

#include "base/strings.h"
#include "remote/remoteaccess.h"

namespace {

namespace Text {
constexpr int NeedsValue = 13246;   // "%1 needs a value"
constexpr int RemotePair = 12435;   // "--remote and --remote-tokens go together."
constexpr int RemoteAddress = 12419; // "--remote needs ADDRESS:PORT ..."
constexpr int ControlAddress = 14600; // "--control needs ADDRESS:PORT ..."
constexpr int TokensAlone = 14601;    // "--remote-tokens goes with --remote or --control."
constexpr int Usage = 12623;
constexpr int NoDisplay = 13250;    // "no desktop to open a window on (%1 is not set) ..."
} // namespace Text

const QString RemoteOption = QStringLiteral("--remote");
const QString RemoteTokensOption = QStringLiteral("--remote-tokens");
const QString ControlOption = QStringLiteral("--control");
const QString JournalOption = QStringLiteral("--log-journal");

// Qt's own command-line options (QGuiApplication, QApplication), which Qt
// takes with one dash or two.
const QStringList QtOptionsWithValue{
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("session"), QStringLiteral("display"),
    QStringLiteral("geometry"), QStringLiteral("style"), QStringLiteral("stylesheet")};
const QStringList QtFlags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                          QStringLiteral("qmljsdebugger"), QStringLiteral("nograb"), QStringLiteral("dograb"),
                          QStringLiteral("sync")};

// The Qt option `word` names ("-style", "--style=fusion" ...): 2 when it
// takes the next word as its value, 1 when it stands alone, 0 when it is
// none of Qt's.
int qtOptionWords(const QString &word)
{
    if (!word.startsWith(u'-'))
        return 0;
    QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
    const bool inlineValue = name.contains(u'=');
    name = name.section(u'=', 0, 0);
    if (QtOptionsWithValue.contains(name))
        return inlineValue ? 1 : 2;
    return QtFlags.contains(name) ? 1 : 0;
}

bool looksLikeOption(const QString &word)
{
    return word.size() > 1 && word.startsWith(u'-');
}

} // namespace

GeneralArguments parseGeneralArguments(const QStringList &arguments)
{
    GeneralArguments r;
    r.rest << arguments.value(0);
    auto fail = [&r](const QString &why) {
        r.ok = false;
        r.error = why;
        return r;
    };
    bool remote = false, tokens = false, control = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            r.help = true;
            continue;
        }
        if (a == QLatin1String("--version") || a == QLatin1String("-v")) {
            r.version = true;
            continue;
        }
        if (const int words = qtOptionWords(a)) {
            i += words - 1;
            continue;
        }
        if (a == JournalOption) {
            r.logJournal = true;
            continue;
        }
        // The remote operation reads its options as separate words only.
        if (a != RemoteOption && a != RemoteTokensOption && a != ControlOption) {
            r.rest << a;
            continue;
        }
        const QString value = arguments.value(++i);
        if (value.trimmed().isEmpty())
            return fail(str(Text::NeedsValue).arg(a));
        QString address;
        quint16 port = 0;
        if (a == RemoteOption || a == ControlOption) {
            if (!parseListenAddress(value, address, port))
                return fail(str(a == RemoteOption ? Text::RemoteAddress : Text::ControlAddress));
            (a == RemoteOption ? remote : control) = true;
        } else {
            tokens = true;
        }
    }
    // The page needs the file's tokens; the line control takes the stored
    // ones without it.
    if (remote && !tokens)
        return fail(str(Text::RemotePair));
    if (tokens && !remote && !control)
        return fail(str(Text::TokensAlone));
    return r;
}

QString strayOption(const QStringList &rest)
{
    for (int i = 1; i < rest.size(); ++i)
        if (looksLikeOption(rest[i]))
            return rest[i];
    return {};
}

QString startUsage()
{
    return str(Text::Usage);
}

QString versionLine()
{
    return QStringLiteral("%1 %2").arg(str(StrId::AppTitle), QStringLiteral(ZK_PROGRAM_VERSION));
}

DisplayEnvironment DisplayEnvironment::current(const QStringList &arguments)
{
    DisplayEnvironment e;
    e.platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("-platform") || a == QLatin1String("--platform"))
            e.platform = arguments.value(i + 1);
        else if (a.startsWith(QLatin1String("-platform=")) || a.startsWith(QLatin1String("--platform=")))
            e.platform = a.section(u'=', 1);
    }
    e.x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    e.wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return e;
}

QString displayProblem(const DisplayEnvironment &e)
{
    // Only the X11 desktop, Qt's choice when nothing is named, is judged;
    // other platforms (offscreen, a framebuffer, Wayland's own default
    // socket) say for themselves whether they can start.
    const QString name = e.platform.section(u':', 0, 0).trimmed();
    if (name.isEmpty() && !e.x11 && !e.wayland)
        return str(Text::NoDisplay).arg(QStringLiteral("DISPLAY, WAYLAND_DISPLAY"));
    if (name == QLatin1String("xcb") && !e.x11)
        return str(Text::NoDisplay).arg(QStringLiteral("DISPLAY"));
    return {};
}
