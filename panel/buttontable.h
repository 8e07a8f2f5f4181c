#pragma once

// The button table (frmIconTable) without widgets: a header row, then one
// row per slot of the linked mixers (nine per mixer), each with its label
// and the two lines of that button's caption. Typed lines stay in the table,
// marked as changed, until "更新" gives them to the buttons.

#include "panel/buttonproperties.h"

#include <QString>

#include <array>
#include <vector>

class ButtonTable
{
public:
    static constexpr int Columns = 3;     // label, caption line 1, line 2

    explicit ButtonTable(PanelState &panel);

    // Fills the table for `mixerCount` linked mixers from the captions. A line
    // typed and not yet applied is kept where its row is still there.
    void rebuild(int mixerCount);

    int rowCount() const { return int(m_rows.size()) + 1; }
    // Row 0's texts: "ミキサー番号 チャンネル", "1行目", "2行目".
    static QString headerText(int column);
    // "マスター  ch 1" .. "マスター  出力設定", "スレーブ1  ch 9" ...
    static QString rowLabel(int row);
    static ButtonRef buttonOfRow(int row);
    bool hasButton(int row) const;

    // Column 1 or 2 of a row (1..rowCount()-1); column 0 is the label.
    QString text(int row, int column) const;
    bool changed(int row, int column) const;
    bool hasChanges() const;

    // The edit box's text, as its cell is left.
    enum class Take {
        Unchanged,    // same text as the cell
        Taken,        // the cell holds it and shows it as changed
        NoButton,     // the row has no button: the cell stays empty
        Unstorable,   // holds characters the settings file cannot store
    };
    Take take(int row, int column, const QString &text);

    // "更新": every button of the linked mixers whose lines differ takes them
    // (line 1, then CR LF and line 2 when line 2 is not empty) and is refitted
    // to its caption. Returns the buttons changed; every cell is then plain.
    std::vector<ButtonRef> apply(const MeasureText &measure);

private:
    struct Row
    {
        std::array<QString, 2> lines;
        std::array<bool, 2> changed{};
    };
    bool validCell(int row, int column) const;

    PanelState &m_panel;
    std::vector<Row> m_rows;   // table rows 1..
};
