#include "app/operatestart.h"

#include "app/startoptions.h"
#include "base/strings.h"
#include "sim/simargs.h"

#include <QFileInfo>

namespace {
namespace Text {
constexpr int NeedsFile = 12120;   // "--operate needs a settings file"
constexpr int BadLink = 12121;     // "--link wants ethernet, rs232c or usb, got ..."
constexpr int OperateOnly = 12122; // "%1 goes with --operate only"
constexpr int NeedsValue = 13246;  // "%1 needs a value"
constexpr int UnknownOption = 9743; // "unknown option "%1""
} // namespace Text

std::optional<LinkKind> linkNamed(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("ethernet")) return LinkKind::Ethernet;
    if (n == QLatin1String("rs232c")) return LinkKind::Rs232c;
    if (n == QLatin1String("usb")) return LinkKind::Usb;
    return std::nullopt;
}
} // namespace

OperateRequest parseOperateArguments(const QStringList &arguments)
{
    OperateRequest r;
    r.rest << arguments.value(0);
    auto fail = [&r](const QString &why) {
        r.ok = false;
        r.error = why;
        r.file.clear();
        return r;
    };
    bool linkGiven = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        OptionWord word = splitOptionWord(a);
        const QString &name = word.name;
        if (name == QLatin1String("--fullscreen") && !word.inlineValue) {
            r.fullScreen = true;
            continue;
        }
        if (name != QLatin1String("--operate") && name != QLatin1String("--link")) {
            r.rest << a;
            continue;
        }
        if (!takeOptionValue(arguments, i, word))
            return fail(str(Text::NeedsValue).arg(name));
        const QString &value = word.value;
        if (name == QLatin1String("--operate")) {
            if (value.trimmed().isEmpty())
                return fail(str(Text::NeedsFile));
            r.file = value;
        } else {
            r.link = linkNamed(value);
            if (!r.link)
                return fail(str(Text::BadLink).arg(value));
            linkGiven = true;
        }
    }
    if (!r.operate()) {
        if (linkGiven)
            return fail(str(Text::OperateOnly).arg(QStringLiteral("--link")));
        if (r.fullScreen)
            return fail(str(Text::OperateOnly).arg(QStringLiteral("--fullscreen")));
    }
    return r;
}

StartRequest parseStartArguments(const QStringList &arguments)
{
    StartRequest r;
    const GeneralArguments general = parseGeneralArguments(arguments);
    r.help = general.help;
    r.version = general.version;
    if (!general.ok)
        r.general = general.error;
    // --help and --version answer whatever else the command line says.
    if (!general.ok || r.help || r.version)
        return r;
    r.operate = parseOperateArguments(general.rest);
    if (!r.operate.ok)
        return r;
    r.virtualChain = parseVirtualArguments(r.operate.rest);
    if (r.virtualChain.ok && r.virtualChain.mixers > 0 && r.operate.link) {
        r.virtualChain.ok = false;
        r.virtualChain.error = str(12123);
    }
    if (const QString stray = strayOption(r.virtualChain.rest); r.virtualChain.ok && !stray.isEmpty())
        r.general = str(Text::UnknownOption).arg(stray);
    return r;
}

QString operateFileProblem(const OperateRequest &request)
{
    if (!request.operate())
        return {};
    const QFileInfo info(request.file);
    if (info.isFile() && info.isReadable())
        return {};
    return str(12124).arg(request.file);
}
