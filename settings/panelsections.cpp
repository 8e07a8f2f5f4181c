#include "settings/panelsections.h"

#include "settings/keytable.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

constexpr int Sys = SystemKey::Section;

int buttonSection(int mixer)
{
    return PanelKey::FirstSection + mixer;
}

int tableRow(int mixer, int slot)
{
    // Eight rows per mixer, not nine: the output slot of one mixer and the
    // first channel of the next share a row.
    return mixer * Panel::ChannelSlots + slot;
}

// --- writing --------------------------------------------------------------

struct Writer
{
    SettingsTable &t;
    int section;
    void text(int key, const QString &v) { t.set(key, section, v); }
    void boolean(int key, bool v) { t.set(key, section, boolText(v)); }
    void number(int key, qint64 v) { t.set(key, section, QString::number(v)); }
    void real(int key, double v) { t.set(key, section, doubleText(v)); }
};

void writeButtons(const PanelState &panel, SettingsTable &table, int mixer)
{
    Writer w{table, buttonSection(mixer)};
    for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
        const ButtonSlot &b = panel.slot(mixer, s);
        w.boolean(PanelKey::IconEnable + s, b.IconEnable);
        w.number(PanelKey::IconLeft + s, b.IconLeft);
        w.number(PanelKey::IconTop + s, b.IconTop);
        w.real(PanelKey::IconWidth + s, b.IconWidth);
        w.real(PanelKey::IconHeight + s, b.IconHeight);
        w.text(PanelKey::IconText + s, fileSafeText(captionToFile(b.IconText)));
        w.text(PanelKey::IconFontName + s, fileSafeText(b.IconFontName));
        w.number(PanelKey::IconFontSize + s, b.IconFontSize);
        w.boolean(PanelKey::IconFontBold + s, b.IconFontBold);
        w.boolean(PanelKey::IconFontItalic + s, b.IconFontItalic);
        w.number(PanelKey::IconColorDef + s, b.IconColorDef);
        if (s < Panel::ChannelSlots) {
            w.number(PanelKey::IconColorOn + s, b.IconColorOn);
            w.boolean(PanelKey::IconOnOff + s, b.IconOnOff);
        }
        w.number(PanelKey::CellHeight + s, panel.table.rowHeights[size_t(tableRow(mixer, s))]);
    }
}

void writeFigures(const PanelState &panel, Writer &w)
{
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        const int base = SystemKey::figureBase(k);
        const FigureList &list = panel.figures[size_t(k)];
        for (int i = 0; i < Panel::FiguresPerKind; ++i) {
            const Figure &f = list[size_t(i)];
            w.number(base + SystemKey::FigStartX + i, f.StartX);
            w.number(base + SystemKey::FigStartY + i, f.StartY);
            w.number(base + SystemKey::FigEndX + i, f.EndX);
            w.number(base + SystemKey::FigEndY + i, f.EndY);
            w.number(base + SystemKey::FigColor + i, f.Color);
            w.number(base + SystemKey::FigWidth + i, f.Width);
            w.number(base + SystemKey::FigStyle + i, f.Style);
            if (SystemKey::hasDirection(k))
                w.number(base + SystemKey::FigDirection + i, f.Direction);
            w.number(SystemKey::figureOrder(k) + i, f.Order);
        }
        // A file never counts an entry an armed drawing command holds back.
        w.number(SystemKey::figureCount(k), figuresInUse(panel, FigureKind(k)));
    }
    w.number(SystemKey::FigureNum, panel.FigureNum);
}

// --- reading --------------------------------------------------------------

struct Reader
{
    const SettingsTable &t;
    int section;

    const QString &cell(int key) const { return t.at(key, section); }
    void text(int key, QString &v) const
    {
        // An empty text is what a missing key leaves, so it keeps the reset
        // value too.
        if (!cell(key).isEmpty())
            v = cell(key);
    }
    void boolean(int key, bool &v) const
    {
        if (const auto b = parseBool(cell(key)))
            v = *b;
    }
    template <typename T>
    void number(int key, T &v, qint64 lo = std::numeric_limits<T>::min(),
                qint64 hi = std::numeric_limits<T>::max()) const
    {
        if (const auto n = parseWhole(cell(key), lo, hi))
            v = T(*n);
    }
    void real(int key, double &v) const
    {
        if (const auto d = parseDouble(cell(key)))
            v = *d;
    }
};

void readButtons(PanelState &panel, const SettingsTable &table, int mixer)
{
    const Reader r{table, buttonSection(mixer)};
    for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
        ButtonSlot &b = panel.slot(mixer, s);
        r.boolean(PanelKey::IconEnable + s, b.IconEnable);
        r.number(PanelKey::IconLeft + s, b.IconLeft);
        r.number(PanelKey::IconTop + s, b.IconTop);
        r.real(PanelKey::IconWidth + s, b.IconWidth);
        r.real(PanelKey::IconHeight + s, b.IconHeight);
        // An empty caption is a real value (a caption the user cleared), so
        // the caption is always taken.
        b.IconText = captionFromFile(table.at(PanelKey::IconText + s, r.section));
        r.text(PanelKey::IconFontName + s, b.IconFontName);
        r.number(PanelKey::IconFontSize + s, b.IconFontSize);
        r.boolean(PanelKey::IconFontBold + s, b.IconFontBold);
        r.boolean(PanelKey::IconFontItalic + s, b.IconFontItalic);
        r.number(PanelKey::IconColorDef + s, b.IconColorDef);
        if (s < Panel::ChannelSlots) {
            r.number(PanelKey::IconColorOn + s, b.IconColorOn);
            r.boolean(PanelKey::IconOnOff + s, b.IconOnOff);
        }
        r.number(PanelKey::CellHeight + s, panel.table.rowHeights[size_t(tableRow(mixer, s))]);
    }
}

} // namespace

QString captionToFile(const QString &caption)
{
    const QStringList pieces = captionLines(caption);
    if (pieces.size() == 1)
        return caption;
    return pieces.at(0) + u'\t' + pieces.at(1);
}

QString captionFromFile(const QString &text)
{
    const QStringList pieces = text.split(u'\t');
    if (pieces.size() == 1)
        return text;
    return joinCaptionLines({pieces.at(0), pieces.at(1)});
}

QString fileSafeText(const QString &text)
{
    QString out = text;
    out.remove(u'\r');
    out.remove(u'\n');
    return out;
}

namespace {

// Everything the panel stores: the button sections of `mixers` mixers and
// the panel keys of "SystemData".
void writePanelKeys(const PanelState &panel, SettingsTable &table, int mixers)
{
    for (int m = 0; m < qBound(0, mixers, Panel::MaxMixers); ++m)
        writeButtons(panel, table, m);

    Writer w{table, Sys};
    w.number(SystemKey::GUIWindowColor, panel.GUIWindowColor);
    w.number(SystemKey::IconNum, panel.IconNum);
    w.boolean(SystemKey::GridOnOff, panel.GridOnOff);
    w.number(SystemKey::GridInterval, panel.GridInterval);
    w.number(SystemKey::GridColor, panel.GridColor);
    writeFigures(panel, w);
    table.setMeeting(meetingLines(panel.meeting, panel));
    const TableGeometry &t = panel.table;
    for (int c = 0; c < Panel::TableColumns; ++c)
        w.number(SystemKey::CellWidth0 + c, t.cellWidths[size_t(c)]);
    w.number(SystemKey::CellAllWidth, t.CellAllWidth);
    w.number(SystemKey::CellAllHeight, t.CellAllHeight);
    w.number(SystemKey::TableWidth, t.TableWidth);
    w.number(SystemKey::TableHeight, t.TableHeight);
    w.number(SystemKey::TableLeft, t.TableLeft);
    w.number(SystemKey::TableTop, t.TableTop);
    const ImageSettings &img = panel.image;
    w.boolean(SystemKey::ImageVisible, img.ImageVisible);
    w.text(SystemKey::ImageFileName, fileSafeText(img.ImageFileName));
    w.number(SystemKey::ImageStretch, img.ImageStretch);
    w.number(SystemKey::ImageWidth, img.ImageWidth);
    w.number(SystemKey::ImageHeight, img.ImageHeight);
    w.number(SystemKey::ImageXScale, img.ImageXScale);
    w.number(SystemKey::ImageYScale, img.ImageYScale);
}

} // namespace

void StorePanel(PanelState &panel, SettingsTable &SetDataTable, int FileMixerCount,
                const TableGeometry *liveTable)
{
    if (liveTable)
        panel.table = *liveTable;
    writePanelKeys(panel, SetDataTable, FileMixerCount);
}

PanelValues ApplyPanel(PanelState &panel, qint16 &FileMixerCount, const SettingsTable &SetDataTable,
                       const PanelContext &ctx, bool fileRead)
{
    ResetPanel(panel, FileMixerCount, ctx);
    if (!fileRead)
        return PanelValues::InRange;

    const int fileMixers =
        int(parseWhole(SetDataTable.at(SystemKey::MixerCount, Sys), 0, Panel::MaxMixers).value_or(0));
    const int linked = qBound(0, int(ctx.mixerCount), Panel::MaxMixers);
    const int taken = (ctx.offline() || fileMixers < linked) ? fileMixers : linked;
    for (int m = 0; m < taken; ++m)
        readButtons(panel, SetDataTable, m);

    const Reader r{SetDataTable, Sys};
    r.number(SystemKey::GUIWindowColor, panel.GUIWindowColor);
    // The count is taken from the slots below; a count no panel can have
    // tells of a damaged file all the same.
    qint16 storedIconNum = 0;
    r.number(SystemKey::IconNum, storedIconNum);
    bool outOfRange = storedIconNum < 0 || storedIconNum > Panel::MaxButtons;
    r.boolean(SystemKey::GridOnOff, panel.GridOnOff);
    // A grid interval below one twip would never finish drawing.
    r.number(SystemKey::GridInterval, panel.GridInterval, 1, std::numeric_limits<qint32>::max());
    r.number(SystemKey::GridColor, panel.GridColor);
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        const int base = SystemKey::figureBase(k);
        FigureList &list = panel.figures[size_t(k)];
        for (int i = 0; i < Panel::FiguresPerKind; ++i) {
            Figure &f = list[size_t(i)];
            r.number(base + SystemKey::FigStartX + i, f.StartX);
            r.number(base + SystemKey::FigStartY + i, f.StartY);
            r.number(base + SystemKey::FigEndX + i, f.EndX);
            r.number(base + SystemKey::FigEndY + i, f.EndY);
            r.number(base + SystemKey::FigColor + i, f.Color);
            r.number(base + SystemKey::FigWidth + i, f.Width);
            r.number(base + SystemKey::FigStyle + i, f.Style);
            if (SystemKey::hasDirection(k))
                r.number(base + SystemKey::FigDirection + i, f.Direction);
            r.number(SystemKey::figureOrder(k) + i, f.Order);
        }
        // The counts index the fixed lists: never beyond their size.
        r.number(SystemKey::figureCount(k), panel.figureCounts[size_t(k)], 0, Panel::FiguresPerKind);
    }
    r.number(SystemKey::FigureNum, panel.FigureNum, 0, Panel::FigureKinds * Panel::FiguresPerKind);

    TableGeometry &t = panel.table;
    for (int c = 0; c < Panel::TableColumns; ++c)
        r.number(SystemKey::CellWidth0 + c, t.cellWidths[size_t(c)]);
    r.number(SystemKey::CellAllWidth, t.CellAllWidth);
    r.number(SystemKey::CellAllHeight, t.CellAllHeight);
    r.number(SystemKey::TableWidth, t.TableWidth);
    r.number(SystemKey::TableHeight, t.TableHeight);
    r.number(SystemKey::TableLeft, t.TableLeft);
    r.number(SystemKey::TableTop, t.TableTop);

    ImageSettings &img = panel.image;
    r.boolean(SystemKey::ImageVisible, img.ImageVisible);
    img.ImageFileName = SetDataTable.at(SystemKey::ImageFileName, Sys);
    r.number(SystemKey::ImageStretch, img.ImageStretch, qint16(ImageStretchMode::Natural),
             qint16(ImageStretchMode::GivenScale));
    r.number(SystemKey::ImageWidth, img.ImageWidth);
    r.number(SystemKey::ImageHeight, img.ImageHeight);
    r.number(SystemKey::ImageXScale, img.ImageXScale);
    r.number(SystemKey::ImageYScale, img.ImageYScale);

    bool meetingRead = true;
    panel.meeting = meetingFromLines(SetDataTable.meeting(), &meetingRead);
    outOfRange |= !meetingRead;
    outOfRange |= keepWithinRange(panel, taken);
    // The button count is what the slots hold: a file made for more mixers
    // than are linked counts buttons that were not taken, and a stored count
    // that disagrees with the slots would offer a new button with no free
    // slot, or refuse one while slots are free.
    panel.IconNum = qint16(countEnabledButtons(panel));
    return outOfRange ? PanelValues::BroughtIntoRange : PanelValues::InRange;
}

void writePanelSnapshot(const PanelState &panel, SettingsTable &FileTable, int FileMixerCount,
                        int MixerCount)
{
    // Every key the file stores: a change to any of them is a change the
    // user may want to keep.
    writePanelKeys(panel, FileTable, FileMixerCount);
    FileTable.set(SystemKey::MixerCount, Sys, QString::number(MixerCount));
}
