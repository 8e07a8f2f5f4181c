// A seating list as an installer's spreadsheet, a damaged file or a stray
// clipboard may hand it over: any bytes, in any encoding. Nothing may crash
// or hang; a list that is read places only seats the system has, each once;
// what an import leaves is exported and read back to the same seats.

#include "panel/seatlist.h"

#include <cstddef>
#include <cstdint>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int mixers = size ? 1 + data[0] % 16 : 1;
    const SeatTable table = readSeatTable(seatListText(bytes), mixers);
    if (!table.ok())
        return 0;
    std::set<std::pair<int, int>> seats;
    for (const SeatRow &s : table.seats) {
        if (s.seat.mixer < 0 || s.seat.mixer >= mixers || s.seat.slot < 0 || s.seat.slot >= Panel::ChannelSlots)
            __builtin_trap();
        if (!seats.emplace(s.seat.mixer, s.seat.slot).second)
            __builtin_trap();
    }
    if (table.seats.size() > size_t(Seats::MaxSeats))
        __builtin_trap();
    PanelState panel;
    applySeatPlan(panel, planSeats(panel, table.seats));
    const SeatTable back = readSeatTable(seatListText(seatListCsv(panel, mixers)), mixers);
    if (!back.ok() || back.seats.size() != table.seats.size())
        __builtin_trap();
    return 0;
}
