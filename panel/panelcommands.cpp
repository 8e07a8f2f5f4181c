#include "panel/panelcommands.h"

#include "base/strings.h"

namespace {

namespace Res {
constexpr int DesignTag = 1951;
constexpr int Untitled = 1953;
constexpr int ExecutionTag = 10340;
} // namespace Res

using C = PanelCommand;

const std::array<PanelCommandInfo, PanelCommandCount> Commands = {{
    {C::Load, "mnuLoad", "tolLoad", 1211, 1275},
    {C::Save, "mnuSave", "tolSave", 1212, 1276},
    {C::NewSave, "mnuNewSave", "", 1213, 0},
    {C::Close, "mnuClose", "tolClose", 1214, 1274},
    {C::Quit, "mnuQuit", "tolQuit", 1215, 1271},
    {C::New, "mnuNew", "tolNew", 10301, 10320},
    {C::Execution, "mnuExecution", "tolExe", 10302, 10321},
    {C::Stop, "mnuStop", "tolStop", 10303, 10322},
    {C::Table, "mnuTable", "tolTable", 10304, 10323},
    {C::Init, "mnuInit", "", 10305, 0},
    {C::Image, "mnuImage", "tolImage", 10307, 10324},
    {C::Color, "mnuColor", "tolColor", 10308, 10325},
    {C::Grid, "mnuGrid", "tolGrid", 10309, 10326},
    {C::GridPro, "mnuGridPro", "tolGridPro", 10310, 10327},
    {C::Circle, "mnuCircle", "tolCircle", 10311, 10328},
    {C::Rect, "mnuRect", "tolRect", 10312, 10329},
    {C::Line, "mnuLine", "tolLine", 10313, 10330},
    {C::Arc, "mnuArc", "tolArc", 10314, 10331},
    {C::Clear, "mnuClear", "tolClear", 10315, 10332},
}};

} // namespace

const std::array<PanelCommandInfo, PanelCommandCount> &panelCommands()
{
    return Commands;
}

const PanelCommandInfo &panelCommand(PanelCommand command)
{
    return Commands.at(size_t(command));
}

PanelCommandEnabling panelCommandEnabling(const PanelState &panel, const PanelContext &context)
{
    const bool design = !panel.runtime.executing;
    PanelCommandEnabling on{};
    auto set = [&](C c, bool v) { on[size_t(c)] = v; };
    for (C c : {C::Load, C::Save, C::NewSave, C::Close, C::Grid, C::GridPro, C::Init, C::Clear})
        set(c, design);
    set(C::New, newButtonEnabled(panel, context));
    set(C::Circle, design && figureCommandEnabled(panel, FigureKind::Circle));
    set(C::Rect, design && figureCommandEnabled(panel, FigureKind::Rect));
    set(C::Line, design && figureCommandEnabled(panel, FigureKind::Line));
    set(C::Arc, design && figureCommandEnabled(panel, FigureKind::Arc));
    set(C::Execution, design);
    set(C::Stop, !design);
    set(C::Table, context.mixerCount > 0 && !panel.runtime.tableOpen);
    set(C::Image, true);
    set(C::Color, true);
    set(C::Quit, true);
    return on;
}

QString panelTitle(const QString &fileName, bool executing)
{
    return (fileName.isEmpty() ? str(Res::Untitled) : fileName) + QStringLiteral(" - ")
           + str(StrId::AppTitle) + u' ' + str(executing ? Res::ExecutionTag : Res::DesignTag);
}

LinkCountChange linkCountChange(const PanelContext &context, int FileMixerCount)
{
    if (context.offline() || context.mixerCount == FileMixerCount)
        return LinkCountChange::Same;
    return context.mixerCount < FileMixerCount ? LinkCountChange::Fell : LinkCountChange::Rose;
}
