#pragma once

// The control panel's data: per-mixer button slots, the four figure lists,
// grid, window colour, button-table geometry and background-image settings.
// One PanelState exists for the whole run; every panel window works on it.
//
// Units: positions and sizes in twips (1/1440 inch), colours as 0x00BBGGRR
// values (red in the low byte), image sizes and pen widths in pixels.

#include "link/linkstate.h"
#include "settings/meetingsetup.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace Panel {
constexpr int MaxMixers = 16;
constexpr int SlotsPerMixer = 9;        // slots 0..7 channels 1..8, slot 8 output
constexpr int OutputSlot = 8;
constexpr int ChannelSlots = 8;
constexpr int MaxButtons = MaxMixers * SlotsPerMixer;   // 144
constexpr int FiguresPerKind = 10;
constexpr int FigureKinds = 4;
constexpr int TableRows = MaxButtons + 1;               // row 0 is the header
constexpr int TableColumns = 3;
constexpr qint32 DefaultRowHeight = 225;
constexpr qint32 DefaultGridInterval = 1000;
constexpr qint16 DefaultFontSize = 12;
constexpr qint16 DefaultPenWidth = 2;
constexpr qint32 DefaultButtonSize = 1500;
constexpr qint32 DefaultButtonRightGap = 1560;          // left edge = screen width - this
constexpr qint32 DefaultTableWidth = 5000;
constexpr qint32 DefaultTableHeight = 5025;
constexpr qint32 DefaultWindowColor = 0xB5FFFF;
constexpr qint32 DefaultGridColor = 0xBFBFBF;

// The panel's range: every place and size on the panel, and every size of
// the button table, lies within 0..MaxExtent twips (32767 pixels at 15 twips
// a pixel, the furthest a window can be placed). A button is never smaller
// than MinButtonSize a side, so it can still be seen, taken and resized.
constexpr qint32 MaxExtent = 32767 * 15;
constexpr qint32 MinButtonSize = 240;
constexpr qint32 MinTableCell = 15;           // one pixel
constexpr qint32 MinTableWindow = 1500;
constexpr qint16 MinFontSize = 1;
constexpr qint16 MaxFontSize = 999;
} // namespace Panel

// Background image modes.
enum class ImageStretchMode : qint16 {
    Natural = 0,
    FitWindow = 1,
    GivenSize = 2,
    GivenScale = 3,
};

enum class FigureKind : int { Circle = 0, Rect = 1, Line = 2, Arc = 3 };

// Whether a mixer's channel values were recorded when the panel took the
// channels over.
enum class RemoteRecord {
    None,   // nothing recorded: the mixer's own values stand
    Held,   // recorded; the open panel gives them back when it closes
    Owed,   // the panel closed while the mixer was off the link: given back
            // as soon as it is linked again
};

// The appearance constants the panel starts from. They come from the string
// table (colour texts "&H..." and the font face); fromStrings() reads them.
struct PanelDefaults
{
    qint32 windowColor = Panel::DefaultWindowColor;
    qint32 gridColor = Panel::DefaultGridColor;
    qint32 channelOffColor = 0xC0FFC0;
    qint32 channelOnColor = 0x0080FF;
    qint32 outputOffColor = 0x80FFFF;
    QString fontName = QStringLiteral("ＭＳ ゴシック");
    QString masterCaption = QStringLiteral("マスター");

    static PanelDefaults fromStrings();
};

struct ButtonSlot
{
    bool IconEnable = false;
    qint32 moveStepX = 0;     // travel per move-timer tick while dragged; not stored
    qint32 moveStepY = 0;
    qint32 IconLeft = 0;
    qint32 IconTop = 0;
    double IconWidth = 0;
    double IconHeight = 0;
    QString IconText;         // at most two lines, joined by CR LF
    QString IconFontName;
    qint16 IconFontSize = Panel::DefaultFontSize;
    bool IconFontBold = false;
    bool IconFontItalic = false;
    bool selected = false;    // design-state selection; not stored
    qint32 IconColorDef = 0;  // face when off (always, for the output slot)
    qint32 IconColorOn = 0;   // face when on; channel slots only
    bool IconOnOff = false;   // switched on from the panel; channel slots only
};

using MixerButtons = std::array<ButtonSlot, Panel::SlotsPerMixer>;

struct Figure
{
    qint32 StartX = 0;
    qint32 StartY = 0;
    qint32 EndX = 0;
    qint32 EndY = 0;
    qint32 Color = 0;
    qint16 Width = Panel::DefaultPenWidth;
    qint16 Style = 0;
    qint16 Direction = 0;     // lines and arcs: how the figure lies in its box
    qint16 Order = 0;         // stacking order 1..FigureNum
};

// Entries [0..count-1] of a list are in use (the file numbers them 1..10).
using FigureList = std::array<Figure, Panel::FiguresPerKind>;

// Every row of the button table as the reset leaves it.
constexpr std::array<qint32, Panel::TableRows> defaultRowHeights()
{
    std::array<qint32, Panel::TableRows> rows{};
    for (qint32 &r : rows)
        r = Panel::DefaultRowHeight;
    return rows;
}

struct TableGeometry
{
    std::array<qint32, Panel::TableRows> rowHeights = defaultRowHeights();
    std::array<qint32, Panel::TableColumns> cellWidths{2010, 1350, 1350};
    qint32 CellAllWidth = 4875;
    qint32 CellAllHeight = 4335;
    qint32 TableWidth = Panel::DefaultTableWidth;
    qint32 TableHeight = Panel::DefaultTableHeight;
    qint32 TableLeft = 0;
    qint32 TableTop = 0;
};

struct ImageSettings
{
    bool ImageVisible = false;
    QString ImageFileName;
    qint16 ImageStretch = qint16(ImageStretchMode::Natural);
    qint32 ImageWidth = 0;
    qint32 ImageHeight = 0;
    qint32 ImageXScale = 100;
    qint32 ImageYScale = 100;
};

// What the panel's windows keep while they run; never stored.
struct PanelRuntime
{
    bool executing = false;                       // execution state, else design
    std::array<bool, Panel::FigureKinds> drawing{}; // drawing mode per figure kind
    std::optional<FigureKind> selectedKind;
    int selectedIndex = -1;
    bool tableOpen = false;
    bool settingsDialogOpen = false;
    // Redraws the move timer still owes the panel, and whether the view then
    // scrolls back to its top-left corner.
    struct Redraws
    {
        int left = 0;
        bool thenToOrigin = false;
    } redraws;
    // Each channel's remote values as the panel found them when it opened
    // (mixer 0..15, channel 0..7); restored when it closes, and what a save
    // from the panel stores in place of the switched-off live values.
    std::array<std::array<quint8, Panel::ChannelSlots>, Panel::MaxMixers> recordedRemoteOn{};
    std::array<std::array<quint8, Panel::ChannelSlots>, Panel::MaxMixers> recordedRemoteOff{};
    // Which mixers the two arrays above hold values for (mixer 0..15).
    std::array<RemoteRecord, Panel::MaxMixers> remoteRecord{};
};

// Where the panel runs: the link kind, the link count and the screen size in
// twips (the default button and the table window sit at the screen's edge).
struct PanelContext
{
    LinkKind linkKind = LinkKind::Offline;
    qint16 mixerCount = 0;
    qint32 screenWidth = 1920 * 15;
    qint32 screenHeight = 1080 * 15;

    bool offline() const { return linkKind == LinkKind::Offline; }
};

struct PanelState
{
    PanelDefaults defaults;

    // The values below start as the reset leaves them: a panel saved before
    // it was ever reset never stores a black window or a column no one sees.
    std::array<MixerButtons, Panel::MaxMixers> buttons;
    qint32 GUIWindowColor = Panel::DefaultWindowColor;
    qint16 IconNum = 0;
    bool GridOnOff = false;
    qint32 GridInterval = Panel::DefaultGridInterval;
    qint32 GridColor = Panel::DefaultGridColor;
    std::array<FigureList, Panel::FigureKinds> figures;
    std::array<qint16, Panel::FigureKinds> figureCounts{};   // CircleNum, RectNum, LineNum, ArcNum
    qint16 FigureNum = 0;
    TableGeometry table;
    ImageSettings image;
    // Chair seats and the meeting's rules ("[Meeting]").
    MeetingSetup meeting;

    bool setUp = false;       // filled from settings at least once
    PanelRuntime runtime;

    ButtonSlot &slot(int mixer, int slot) { return buttons.at(mixer).at(slot); }
    const ButtonSlot &slot(int mixer, int slot) const { return buttons.at(mixer).at(slot); }
    qint16 &count(FigureKind kind) { return figureCounts.at(int(kind)); }
    qint16 count(FigureKind kind) const { return figureCounts.at(int(kind)); }
    FigureList &list(FigureKind kind) { return figures.at(int(kind)); }
    const FigureList &list(FigureKind kind) const { return figures.at(int(kind)); }
};

// Sets every value of the panel to its default, then FileMixerCount to the
// link count, then (unless offline) the default button.
void ResetPanel(PanelState &panel, qint16 &FileMixerCount, const PanelContext &ctx);

// The default button alone: the master's output button at the top right.
void placeDefaultButton(PanelState &panel, const PanelContext &ctx);

// A fresh slot as the reset leaves it, for slot index `slot` (0..8).
ButtonSlot resetSlot(const PanelDefaults &defaults, int slot);

// How many buttons the panel may hold: 144 offline, 9 per linked mixer otherwise.
int buttonLimit(const PanelContext &ctx);
bool canCreateButton(const PanelState &panel, const PanelContext &ctx);
// The new-button command is offered only in the design state below the limit.
bool newButtonEnabled(const PanelState &panel, const PanelContext &ctx);
// A figure-drawing command is offered while its kind has a free entry, and
// while it is armed.
bool figureCommandEnabled(const PanelState &panel, FigureKind kind);
// The figures of a kind the design holds: an armed drawing command reserves
// the kind's next entry at once, and until the press that starts the figure
// gives it a place in the stacking order that entry is no figure yet.
qint16 figuresInUse(const PanelState &panel, FigureKind kind);

// Brings what the panel could not show as it stands into the panel's range:
// the place, size and font size of every button of the first `mixers`
// mixers, and the button table's row heights, column widths and window.
// Returns whether anything had to change.
bool keepWithinRange(PanelState &panel, int mixers);

// Number of enabled slots among the first `mixers` records.
int countEnabledButtons(const PanelState &panel, int mixers = Panel::MaxMixers);

// One more than the highest mixer index that holds a button, 0 for none: the
// link count an offline panel stands for.
int mixersWithButtons(const PanelState &panel);

// The link count fell: every slot of mixers [from, to) is disabled and
// deselected, IconNum counts what is left. Returns the (mixer, slot) pairs
// that held a button, whose windows the panel closes.
std::vector<std::pair<int, int>> dropMixers(PanelState &panel, int from, int to);

// Panel-wide channel number of channel slot `slot` (0..7) of mixer `mixer`
// (0..15): mixer 0 has 1..8, mixer 1 has 9..16.
constexpr int panelChannelNumber(int mixer, int slot) { return mixer * Panel::ChannelSlots + slot + 1; }

// Parses an appearance constant "&HB5FFFF" / "&H80FF&" to its value. Values
// from 0x80000000 up (system colours) are returned as they stand.
std::optional<qint32> parseHexConstant(const QString &text);

// A caption's lines are joined by CR LF, in the panel as in the file.
QStringList captionLines(const QString &caption);
QString joinCaptionLines(const QStringList &lines);
// Keeps at most the first two lines of a caption.
QString limitCaptionLines(const QString &caption);
// A caption line as one cell of the button table holds it: no line breaks
// or tabs (the settings file joins the two lines with a tab).
QString captionLineText(const QString &typed);
// A caption as typed in a multi-line field (lines ending in LF): each line
// without tabs, the lines joined by CR LF, at most two of them.
QString captionFromTypedText(const QString &typed);
