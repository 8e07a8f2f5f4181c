#include "panel/buttontable.h"

#include "base/placement.h"
#include "base/strings.h"
#include "settings/cp932text.h"

#include <QStringList>

namespace {

namespace Res {
constexpr int Output = 10342;        // "出力設定"
constexpr int ChannelItem = 10352;   // "ch %1"
constexpr int LabelHeader = 10530;   // "ミキサー番号 チャンネル"
} // namespace Res


} // namespace

ButtonTable::ButtonTable(PanelState &panel) : m_panel(panel) {}

QString ButtonTable::headerText(int column)
{
    if (column == 0)
        return str(Res::LabelHeader);
    return str(StrId::LineNumber).arg(column);
}

ButtonRef ButtonTable::buttonOfRow(int row)
{
    return {(row - 1) / Panel::SlotsPerMixer, (row - 1) % Panel::SlotsPerMixer};
}

QString ButtonTable::rowLabel(int row)
{
    if (row <= 0)
        return headerText(0);
    const ButtonRef b = buttonOfRow(row);
    const QString slot = b.isOutput() ? str(Res::Output)
                                      : str(Res::ChannelItem).arg(panelChannelNumber(b.mixer, b.slot));
    return MixerName(b.mixer + 1) + QStringLiteral("  ") + slot;
}

bool ButtonTable::hasButton(int row) const
{
    if (row < 1 || row >= rowCount())
        return false;
    const ButtonRef b = buttonOfRow(row);
    return m_panel.slot(b.mixer, b.slot).IconEnable;
}

void ButtonTable::rebuild(int mixerCount)
{
    const int rows = qBound(0, mixerCount, Panel::MaxMixers) * Panel::SlotsPerMixer;
    std::vector<Row> next;
    next.resize(size_t(rows));
    for (int r = 1; r <= rows; ++r) {
        Row &row = next[size_t(r - 1)];
        const ButtonRef b = buttonOfRow(r);
        if (!m_panel.slot(b.mixer, b.slot).IconEnable)
            continue;
        const QStringList lines = captionLines(m_panel.slot(b.mixer, b.slot).IconText);
        row.lines[0] = lines.value(0);
        row.lines[1] = lines.value(1);
        if (r - 1 < int(m_rows.size())) {
            const Row &old = m_rows[size_t(r - 1)];
            for (int c = 0; c < 2; ++c)
                if (old.changed[size_t(c)]) {
                    row.lines[size_t(c)] = old.lines[size_t(c)];
                    row.changed[size_t(c)] = true;
                }
        }
    }
    m_rows = std::move(next);
}

bool ButtonTable::validCell(int row, int column) const
{
    return row >= 1 && row < rowCount() && (column == 1 || column == 2);
}

QString ButtonTable::text(int row, int column) const
{
    if (!validCell(row, column))
        return {};
    return m_rows[size_t(row - 1)].lines[size_t(column - 1)];
}

bool ButtonTable::changed(int row, int column) const
{
    return validCell(row, column) && m_rows[size_t(row - 1)].changed[size_t(column - 1)];
}

bool ButtonTable::hasChanges() const
{
    for (const Row &r : m_rows)
        if (r.changed[0] || r.changed[1])
            return true;
    return false;
}

ButtonTable::Take ButtonTable::take(int row, int column, const QString &typed)
{
    if (!validCell(row, column))
        return Take::Unchanged;
    const QString line = captionLineText(typed);
    Row &r = m_rows[size_t(row - 1)];
    if (line == r.lines[size_t(column - 1)])
        return Take::Unchanged;
    // Typing into the row of a free slot is not kept: no button would show it.
    if (!hasButton(row))
        return Take::NoButton;
    if (!unstorableCharacters(line).isEmpty())
        return Take::Unstorable;
    r.lines[size_t(column - 1)] = line;
    r.changed[size_t(column - 1)] = true;
    return Take::Taken;
}

std::vector<ButtonRef> ButtonTable::apply(const MeasureText &measure)
{
    std::vector<ButtonRef> changedButtons;
    for (int row = 1; row < rowCount(); ++row) {
        Row &r = m_rows[size_t(row - 1)];
        r.changed = {false, false};
        if (!hasButton(row))
            continue;
        const ButtonRef b = buttonOfRow(row);
        ButtonSlot &slot = m_panel.slot(b.mixer, b.slot);
        const QString caption = r.lines[1].isEmpty() ? r.lines[0] : joinCaptionLines({r.lines[0], r.lines[1]});
        if (caption == slot.IconText)
            continue;
        slot.IconText = caption;
        refitToCaption(slot, measure);
        changedButtons.push_back(b);
    }
    return changedButtons;
}
