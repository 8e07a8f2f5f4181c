#include "settings/panelcompare.h"

#include "settings/panelsections.h"
#include "settings/settingsfile.h"

#include <array>

namespace {

constexpr int Sys = SystemKey::Section;

// A panel as the panel window takes it offline, stored again: every value
// in the form and place the file keeps it, whatever the file held beyond.
SettingsTable storedPanel(const SettingsTable &file)
{
    PanelState panel;
    qint16 fileMixers = 0;
    ApplyPanel(panel, fileMixers, file, PanelContext{});
    SettingsTable stored;
    resetFileTable(stored);
    StorePanel(panel, stored, Panel::MaxMixers);
    return stored;
}

bool sameCells(const SettingsTable &a, const SettingsTable &b, int section, const std::initializer_list<int> &keys,
               int offset)
{
    for (int key : keys)
        if (a.at(key + offset, section) != b.at(key + offset, section))
            return false;
    return true;
}

// A slot counts when it is a button in either panel; the output slot has
// no on colour or state.
bool sameButton(const SettingsTable &a, const SettingsTable &b, int section, int slot)
{
    using namespace PanelKey;
    if (a.at(IconEnable + slot, section) != b.at(IconEnable + slot, section))
        return false;
    if (a.at(IconEnable + slot, section) != QLatin1String("True"))
        return true;
    return sameCells(a, b, section,
                     {IconLeft, IconTop, IconWidth, IconHeight, IconText, IconFontName, IconFontSize, IconFontBold,
                      IconFontItalic, IconColorDef},
                     slot)
        && (slot == Panel::OutputSlot || sameCells(a, b, section, {IconColorOn, IconOnOff}, slot));
}

// Figure `i` of kind `k` counts when either panel draws it.
bool sameFigure(const SettingsTable &a, const SettingsTable &b, int k, int i)
{
    using namespace SystemKey;
    const bool inA = i < a.at(figureCount(k), Sys).toInt(), inB = i < b.at(figureCount(k), Sys).toInt();
    if (inA != inB)
        return false;
    if (!inA)
        return true;
    const int base = figureBase(k);
    return sameCells(a, b, Sys, {FigStartX, FigStartY, FigEndX, FigEndY, FigColor, FigWidth, FigStyle}, base + i)
        && (!hasDirection(k) || sameCells(a, b, Sys, {FigDirection}, base + i))
        && sameCells(a, b, Sys, {figureOrder(k)}, i);
}

// The window colour, the grid, the button table (its row heights stand in
// the button sections) and the background image.
bool samePanelWide(const SettingsTable &a, const SettingsTable &b)
{
    using namespace SystemKey;
    if (!sameCells(a, b, Sys, {GUIWindowColor, GridOnOff, GridInterval, GridColor}, 0))
        return false;
    for (int key = FigureNum + 1; key <= SystemKey::Last; ++key)
        if (a.at(key, Sys) != b.at(key, Sys))
            return false;
    for (int section = PanelKey::FirstSection; section < PanelKey::FirstSection + Panel::MaxMixers; ++section)
        for (int key = PanelKey::CellHeight; key <= PanelKey::Last; ++key)
            if (a.at(key, section) != b.at(key, section))
                return false;
    return true;
}

} // namespace

PanelDifference comparePanels(const SettingsTable &first, const SettingsTable &second)
{
    const SettingsTable a = storedPanel(first);
    const SettingsTable b = storedPanel(second);
    PanelDifference d;
    for (int section = PanelKey::FirstSection; section < PanelKey::FirstSection + Panel::MaxMixers; ++section)
        for (int slot = 0; slot < Panel::SlotsPerMixer; ++slot)
            d.buttons += sameButton(a, b, section, slot) ? 0 : 1;
    for (int k = 0; k < Panel::FigureKinds; ++k)
        for (int i = 0; i < Panel::FiguresPerKind; ++i)
            d.figures += sameFigure(a, b, k, i) ? 0 : 1;
    d.panelWide = !samePanelWide(a, b);
    return d;
}
