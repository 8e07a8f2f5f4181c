// `diff FILE_A FILE_B` compares two settings files, no link needed; `diff
// FILE` compares the file with the linked mixers, read as `save` reads them.
// Exit 0 when nothing differs, 1 when something does, 2 on any error. `load
// --dry-run FILE` prints the same comparison a load would act on and sends
// nothing: the mixers are only read (the access check, which writes a value
// back, is not run).

#include "cli/diffcommand.h"

#include "base/loopstate.h"
#include "base/languagescope.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/diffreport.h"
#include "cli/settingscheck.h"
#include "cli/settingssession.h"
#include "editor/settingscompare.h"
#include "link/comm.h"
#include "mixer/mixerdata.h"
#include "settings/panelcompare.h"
#include "settings/settingsfile.h"

#include <QFileInfo>

namespace {

namespace Msg {
constexpr int DiffUsage = 12700;  // "diff wants FILE_A FILE_B, or FILE and a link option; --json at most"
constexpr int NeedsLink = 12701;  // "diff FILE compares ... needs a link option ..."
constexpr int DryRunHead = 12709; // "load --dry-run: nothing was sent; ..."
} // namespace Msg

const QString Json = QStringLiteral("--json");
const QString Raw = QStringLiteral("--raw");

// Compares and prints; true when nothing differs. The JSON is made in the
// table's own language whatever the locale, so a script reads the same
// texts everywhere (with an English label beside each).
template<typename Compare>
bool compareAndPrint(CliContext &context, Compare compare, const DiffSides &sides, bool json)
{
    if (!json) {
        const SettingsComparison c = compare();
        context.out() << comparisonText(c, sides);
        return c.same();
    }
    const LanguageScope japanese(Language::Japanese);
    const SettingsComparison c = compare();
    context.out() << QString::fromUtf8(comparisonJson(c, sides));
    return c.same();
}

bool readFile(CliContext &context, const QString &command, const QString &path, ValueLimits limits,
              SettingsTable &table, SystemValues &out)
{
    const QString problem = readSettingsForCommand(command, path, table, limits);
    if (!problem.isEmpty()) {
        context.err() << problem << Qt::endl;
        return false;
    }
    out = SystemValues::fromFile(table);
    return true;
}

bool readMixers(CliContext &context, SystemValues &out)
{
    MdlComm *comm = context.comm();
    if (!comm)
        return false;
    LoopState loop;
    MixerState mixers;
    if (!cliReadMixers(context, *comm, loop, mixers))
        return false;
    out = SystemValues::fromMixers(mixers);
    return true;
}

QString shown(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

CliFileArgs splitFileArgs(const QStringList &args, const QStringList &known)
{
    CliFileArgs a;
    for (const QString &arg : args) {
        if (known.contains(arg))
            a.flags << arg;
        else if (arg.startsWith(QLatin1String("--")) || arg.isEmpty())
            a.ok = false;
        else
            a.files << arg;
    }
    return a;
}

QString checkDiffArgs(const QStringList &args)
{
    const CliFileArgs a = splitFileArgs(args, {Json, Raw});
    if (!a.ok || a.files.isEmpty() || a.files.size() > 2)
        return str(Msg::DiffUsage);
    return {};
}

CliExit runDiffCommand(CliContext &context, const QStringList &args)
{
    const CliFileArgs a = splitFileArgs(args, {Json, Raw});
    const ValueLimits limits = a.has(Raw) ? ValueLimits::Mixer : ValueLimits::Editor;
    const QString command = QStringLiteral("diff");
    SystemValues from, to;
    SettingsTable fromTable, toTable;
    DiffSides sides;
    if (a.files.size() == 2) {
        if (!readFile(context, command, a.files[0], limits, fromTable, from)
            || !readFile(context, command, a.files[1], limits, toTable, to))
            return CliExit::Failed;
        sides = {shown(a.files[0]), shown(a.files[1])};
        // Two files are the same only when their panels are too.
        const auto compare = [&] {
            SettingsComparison c = compareFiles(from, to);
            c.panels = comparePanels(fromTable, toTable);
            return c;
        };
        return compareAndPrint(context, compare, sides, a.has(Json)) ? CliExit::Ok : CliExit::Different;
    }
    if (context.link().kind == CliLink::Kind::None) {
        context.err() << str(Msg::NeedsLink) << Qt::endl;
        return CliExit::Failed;
    }
    // The file first: one that cannot be used needs no link.
    if (!readFile(context, command, a.files[0], limits, toTable, to) || !readMixers(context, from))
        return CliExit::Failed;
    sides.toFile = shown(a.files[0]);
    const bool same = compareAndPrint(context, [&] { return compareLoad(from, to); }, sides, a.has(Json));
    return same ? CliExit::Ok : CliExit::Different;
}

CliExit runLoadDryRun(CliContext &context, const QString &path, bool json, ValueLimits limits)
{
    const QString command = QStringLiteral("load");
    SystemValues from, to;
    SettingsTable table;
    if (!readFile(context, command, path, limits, table, to) || !readMixers(context, from))
        return CliExit::NoMixer;
    const DiffSides sides{QString(), shown(path)};
    if (json) {
        compareAndPrint(context, [&] { return compareLoad(from, to); }, sides, true);
        return CliExit::Ok;
    }
    const SettingsComparison c = compareLoad(from, to);
    context.out() << str(Msg::DryRunHead).arg(c.comparedMixers) << u'\n' << comparisonText(c, sides);
    return CliExit::Ok;
}
