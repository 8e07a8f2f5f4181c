#include "settings/panelmodel.h"

#include "base/strings.h"

#include <algorithm>
#include <cmath>

namespace {

namespace Res {
constexpr int WindowColor = 511;
constexpr int GridColor = 512;
constexpr int MasterName = 1902;
constexpr int ChannelOffColor = 9580;
constexpr int ChannelOnColor = 9581;
constexpr int OutputOffColor = 9582;
constexpr int FontName = 9583;
} // namespace Res

// A table entry that is missing or does not parse keeps the built-in value,
// so the panel never starts with black buttons because of a broken table.
void readColor(int id, qint32 &target)
{
    if (!hasStr(id))
        return;
    if (const auto v = parseHexConstant(str(id)))
        target = *v;
}

void readText(int id, QString &target)
{
    if (hasStr(id) && !str(id).isEmpty())
        target = str(id);
}

} // namespace

PanelDefaults PanelDefaults::fromStrings()
{
    PanelDefaults d;
    readColor(Res::WindowColor, d.windowColor);
    readColor(Res::GridColor, d.gridColor);
    readColor(Res::ChannelOffColor, d.channelOffColor);
    readColor(Res::ChannelOnColor, d.channelOnColor);
    readColor(Res::OutputOffColor, d.outputOffColor);
    readText(Res::FontName, d.fontName);
    readText(Res::MasterName, d.masterCaption);
    return d;
}

std::optional<qint32> parseHexConstant(const QString &text)
{
    QString t = text.trimmed();
    if (!t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        return std::nullopt;
    t = t.mid(2);
    if (t.endsWith(u'&'))
        t.chop(1);
    if (t.isEmpty() || t.size() > 8)
        return std::nullopt;
    bool ok = false;
    const quint32 v = t.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return qint32(v);
}

ButtonSlot resetSlot(const PanelDefaults &defaults, int slot)
{
    ButtonSlot b;
    b.IconFontName = defaults.fontName;
    if (slot == Panel::OutputSlot) {
        b.IconColorDef = defaults.outputOffColor;
        b.IconColorOn = 0;        // the output slot never turns on
    } else {
        b.IconColorDef = defaults.channelOffColor;
        b.IconColorOn = defaults.channelOnColor;
    }
    return b;
}

void placeDefaultButton(PanelState &panel, const PanelContext &ctx)
{
    ButtonSlot &b = panel.slot(0, Panel::OutputSlot);
    b = resetSlot(panel.defaults, Panel::OutputSlot);
    b.IconEnable = true;
    b.IconLeft = ctx.screenWidth - Panel::DefaultButtonRightGap;
    b.IconTop = 0;
    b.IconWidth = Panel::DefaultButtonSize;
    b.IconHeight = Panel::DefaultButtonSize;
    b.IconText = panel.defaults.masterCaption;
}

void ResetPanel(PanelState &panel, qint16 &FileMixerCount, const PanelContext &ctx)
{
    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s)
            panel.slot(m, s) = resetSlot(panel.defaults, s);

    FileMixerCount = ctx.mixerCount;

    if (ctx.offline()) {
        panel.IconNum = 0;
    } else {
        placeDefaultButton(panel, ctx);
        panel.IconNum = 1;
    }

    panel.GUIWindowColor = panel.defaults.windowColor;
    panel.GridOnOff = false;
    panel.GridInterval = Panel::DefaultGridInterval;
    panel.GridColor = panel.defaults.gridColor;

    for (FigureList &list : panel.figures)
        list.fill(Figure{});
    panel.figureCounts.fill(0);
    panel.FigureNum = 0;

    TableGeometry &t = panel.table;
    t.rowHeights.fill(Panel::DefaultRowHeight);
    t.cellWidths = {2010, 1350, 1350};
    t.CellAllWidth = 4875;
    t.CellAllHeight = 4335;
    t.TableWidth = Panel::DefaultTableWidth;
    t.TableHeight = Panel::DefaultTableHeight;
    t.TableLeft = ctx.screenWidth - Panel::DefaultTableWidth;
    t.TableTop = ctx.screenHeight - Panel::DefaultTableHeight;

    panel.image = ImageSettings{};
    panel.meeting = MeetingSetup{};
}

int buttonLimit(const PanelContext &ctx)
{
    return ctx.offline() ? Panel::MaxButtons : ctx.mixerCount * Panel::SlotsPerMixer;
}

bool canCreateButton(const PanelState &panel, const PanelContext &ctx)
{
    return panel.IconNum < buttonLimit(ctx);
}

bool newButtonEnabled(const PanelState &panel, const PanelContext &ctx)
{
    return canCreateButton(panel, ctx) && !panel.runtime.executing;
}

bool figureCommandEnabled(const PanelState &panel, FigureKind kind)
{
    // An armed kind holds its reserved entry in the count; its command stays
    // offered so that it can be disarmed again.
    return panel.runtime.drawing.at(size_t(kind)) || panel.count(kind) < Panel::FiguresPerKind;
}

qint16 figuresInUse(const PanelState &panel, FigureKind kind)
{
    const qint16 n = panel.count(kind);
    const bool reserved = panel.runtime.drawing.at(size_t(kind)) && n > 0
                          && panel.list(kind).at(size_t(n - 1)).Order == 0;
    return reserved ? qint16(n - 1) : n;
}

namespace {

template <typename T>
bool clampInto(T &value, T lo, T hi)
{
    const T kept = std::clamp(value, lo, hi);
    const bool changed = kept != value;
    value = kept;
    return changed;
}

bool keepButtonInRange(ButtonSlot &b)
{
    using namespace Panel;
    bool changed = clampInto(b.IconWidth, double(MinButtonSize), double(MaxExtent));
    changed |= clampInto(b.IconHeight, double(MinButtonSize), double(MaxExtent));
    // The whole button stays within reach: not beyond the left or top edge,
    // where no scroll bar goes, nor beyond the panel's far edges.
    changed |= clampInto(b.IconLeft, 0, MaxExtent - qint32(std::ceil(b.IconWidth)));
    changed |= clampInto(b.IconTop, 0, MaxExtent - qint32(std::ceil(b.IconHeight)));
    changed |= clampInto(b.IconFontSize, MinFontSize, MaxFontSize);
    return changed;
}

} // namespace

bool keepWithinRange(PanelState &panel, int mixers)
{
    using namespace Panel;
    bool changed = false;
    for (int m = 0; m < qBound(0, mixers, MaxMixers); ++m)
        for (ButtonSlot &b : panel.buttons[size_t(m)])
            if (b.IconEnable)
                changed |= keepButtonInRange(b);

    TableGeometry &t = panel.table;
    for (qint32 &h : t.rowHeights)
        changed |= clampInto(h, MinTableCell, MaxExtent);
    for (qint32 &w : t.cellWidths)
        changed |= clampInto(w, MinTableCell, MaxExtent);
    changed |= clampInto(t.CellAllWidth, 0, MaxExtent);
    changed |= clampInto(t.CellAllHeight, 0, MaxExtent);
    changed |= clampInto(t.TableWidth, MinTableWindow, MaxExtent);
    changed |= clampInto(t.TableHeight, MinTableWindow, MaxExtent);
    // Screens to the left of or above the first one lie at negative places.
    changed |= clampInto(t.TableLeft, -MaxExtent, MaxExtent);
    changed |= clampInto(t.TableTop, -MaxExtent, MaxExtent);
    return changed;
}

int countEnabledButtons(const PanelState &panel, int mixers)
{
    int n = 0;
    for (int m = 0; m < qBound(0, mixers, Panel::MaxMixers); ++m)
        for (const ButtonSlot &b : panel.buttons[m])
            n += b.IconEnable ? 1 : 0;
    return n;
}

int mixersWithButtons(const PanelState &panel)
{
    for (int m = Panel::MaxMixers - 1; m >= 0; --m)
        for (const ButtonSlot &b : panel.buttons[size_t(m)])
            if (b.IconEnable)
                return m + 1;
    return 0;
}

std::vector<std::pair<int, int>> dropMixers(PanelState &panel, int from, int to)
{
    std::vector<std::pair<int, int>> gone;
    for (int m = qMax(0, from); m < qMin(to, Panel::MaxMixers); ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
            ButtonSlot &b = panel.slot(m, s);
            if (b.IconEnable)
                gone.emplace_back(m, s);
            b.IconEnable = false;
            b.selected = false;
        }
    panel.IconNum = qint16(countEnabledButtons(panel));
    return gone;
}

namespace {
const QString CaptionLineBreak = QStringLiteral("\r\n");
} // namespace

QStringList captionLines(const QString &caption)
{
    return caption.split(CaptionLineBreak);
}

QString joinCaptionLines(const QStringList &lines)
{
    return lines.join(CaptionLineBreak);
}

QString limitCaptionLines(const QString &caption)
{
    const QStringList lines = captionLines(caption);
    if (lines.size() <= 2)
        return caption;
    return joinCaptionLines(lines.mid(0, 2));
}

QString captionLineText(const QString &typed)
{
    QString t = typed;
    t.remove(u'\r');
    t.replace(u'\n', u' ');
    t.replace(u'\t', u' ');
    return t;
}

QString captionFromTypedText(const QString &typed)
{
    QStringList lines = typed.split(u'\n');
    for (QString &line : lines)
        line = captionLineText(line);
    return limitCaptionLines(joinCaptionLines(lines));
}
