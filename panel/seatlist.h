#pragma once

// Seats from a seating list. Installers lay out a chamber from a table kept
// in a spreadsheet: one row per seat with its caption, mixer, channel, role
// (chair or delegate) and place and size in twips, under a header row. The
// table comes as a CSV file (UTF-8 or CP932) or as tab-separated text pasted
// from the spreadsheet. Every row is checked before anything changes: one
// refused row refuses the whole table, naming the row (as the spreadsheet
// numbers it, the header being row 1) and the reason.

#include "panel/paneldesign.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace Seats {
constexpr int MaxSeats = 128;
} // namespace Seats

struct SeatRow
{
    int row = 0;              // the spreadsheet's row number
    QString caption;          // lines joined by CR LF, as a button stores them
    ButtonRef seat;           // mixer 0..15, channel slot 0..7
    bool chair = false;
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 0;
    qint32 height = 0;
};

struct SeatRefusal
{
    int row = 0;
    QString reason;

    QString message() const;
};

struct SeatTable
{
    std::vector<SeatRow> seats;
    std::optional<SeatRefusal> refusal;

    bool ok() const { return !refusal; }
};

// The file's bytes as text: UTF-8 (with or without a byte-order mark) when
// they are UTF-8, CP932 otherwise.
QString seatListText(const QByteArray &bytes);

// The table read and checked against a system of `mixersInFile` mixers.
// Cells are separated by tabs when the first line holds one, by commas
// otherwise; quoted cells may hold separators, quotes and line breaks.
SeatTable readSeatTable(const QString &text, int mixersInFile);

// What an import does to the panel: seats whose slot holds a button already
// are updated (caption, role, place and size; the look stays), the others
// are placed with the panel's default look.
struct SeatPlan
{
    std::vector<SeatRow> updates;
    std::vector<SeatRow> placements;
};
SeatPlan planSeats(const PanelState &panel, const std::vector<SeatRow> &seats);
void applySeatPlan(PanelState &panel, const SeatPlan &plan);

// The channel buttons of the first `mixers` mixers as a CSV file (UTF-8 with
// a byte-order mark, CR LF), in the form readSeatTable() reads; captions a
// spreadsheet would take for a formula are kept as text.
QByteArray seatListCsv(const PanelState &panel, int mixers);
