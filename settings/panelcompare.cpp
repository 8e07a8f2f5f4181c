#include "settings/panelcompare.h"

#include "settings/panelsections.h"
#include "settings/settingsfile.h"

namespace {

PanelState panelOf(const SettingsTable &table)
{
    PanelState panel;
    qint16 fileMixers = 0;
    ApplyPanel(panel, fileMixers, table, PanelContext{});
    return panel;
}

// What a file stores of a slot; the output slot has no on colour or state.
bool sameSlot(const ButtonSlot &a, const ButtonSlot &b, int slot)
{
    if (!a.IconEnable || !b.IconEnable)
        return a.IconEnable == b.IconEnable;
    const bool channel = slot < Panel::OutputSlot;
    return a.IconLeft == b.IconLeft && a.IconTop == b.IconTop && a.IconWidth == b.IconWidth
        && a.IconHeight == b.IconHeight && a.IconText == b.IconText && a.IconFontName == b.IconFontName
        && a.IconFontSize == b.IconFontSize && a.IconFontBold == b.IconFontBold
        && a.IconFontItalic == b.IconFontItalic && a.IconColorDef == b.IconColorDef
        && (!channel || (a.IconColorOn == b.IconColorOn && a.IconOnOff == b.IconOnOff));
}

bool sameFigure(const Figure &a, const Figure &b, bool directed)
{
    return a.StartX == b.StartX && a.StartY == b.StartY && a.EndX == b.EndX && a.EndY == b.EndY
        && a.Color == b.Color && a.Width == b.Width && a.Style == b.Style && a.Order == b.Order
        && (!directed || a.Direction == b.Direction);
}

bool sameTable(const TableGeometry &a, const TableGeometry &b)
{
    return a.rowHeights == b.rowHeights && a.cellWidths == b.cellWidths && a.CellAllWidth == b.CellAllWidth
        && a.CellAllHeight == b.CellAllHeight && a.TableWidth == b.TableWidth && a.TableHeight == b.TableHeight
        && a.TableLeft == b.TableLeft && a.TableTop == b.TableTop;
}

bool sameImage(const ImageSettings &a, const ImageSettings &b)
{
    return a.ImageVisible == b.ImageVisible && a.ImageFileName == b.ImageFileName
        && a.ImageStretch == b.ImageStretch && a.ImageWidth == b.ImageWidth && a.ImageHeight == b.ImageHeight
        && a.ImageXScale == b.ImageXScale && a.ImageYScale == b.ImageYScale;
}

} // namespace

PanelDifference comparePanels(const SettingsTable &first, const SettingsTable &second)
{
    const PanelState a = panelOf(first);
    const PanelState b = panelOf(second);
    PanelDifference d;
    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s)
            if (!sameSlot(a.slot(m, s), b.slot(m, s), s))
                ++d.buttons;
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        const auto kind = FigureKind(k);
        for (int i = 0; i < Panel::FiguresPerKind; ++i) {
            const bool inA = i < a.count(kind), inB = i < b.count(kind);
            if (inA != inB || (inA && !sameFigure(a.list(kind)[size_t(i)], b.list(kind)[size_t(i)],
                                                  SystemKey::hasDirection(k))))
                ++d.figures;
        }
    }
    d.panelWide = a.GUIWindowColor != b.GUIWindowColor || a.GridOnOff != b.GridOnOff
        || a.GridInterval != b.GridInterval || a.GridColor != b.GridColor || !sameTable(a.table, b.table)
        || !sameImage(a.image, b.image);
    return d;
}
