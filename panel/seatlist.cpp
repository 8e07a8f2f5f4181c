#include "panel/seatlist.h"

#include "base/csvcells.h"
#include "base/strings.h"
#include "settings/cp932text.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <array>
#include <climits>
#include <map>

namespace {

constexpr int Columns = 8;
enum Column { Caption, Mixer, Channel, Role, Left, Top, Width, Height };

// A record of cells with the row it starts on.
struct Record
{
    int row = 0;
    QStringList cells;
};

// Splits the text into records (RFC 4180 quoting, any line ending). Blank
// lines count as rows, as a spreadsheet numbers them, but hold no record.
class RecordReader
{
public:
    RecordReader(const QString &text, QChar separator) : m_text(text), m_separator(separator) {}

    std::vector<Record> records()
    {
        std::vector<Record> out;
        while (m_at < m_text.size()) {
            Record r{m_row, readRecord()};
            if (!(r.cells.size() == 1 && r.cells.front().trimmed().isEmpty()))
                out.push_back(std::move(r));
        }
        return out;
    }

private:
    QStringList readRecord()
    {
        QStringList cells{QString()};
        bool quoted = false;
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at++);
            if (quoted) {
                if (c == u'"' && peek() == u'"')
                    ++m_at, cells.back() += c;
                else if (c == u'"')
                    quoted = false;
                else
                    cells.back() += takeLineBreak(c);
            } else if (c == u'"') {
                quoted = true;
            } else if (c == m_separator) {
                cells.append(QString());
            } else if (c == u'\r' || c == u'\n') {
                takeLineBreak(c);
                break;
            } else {
                cells.back() += c;
            }
        }
        return cells;
    }

    // A line break read as one, counted as the next row.
    QString takeLineBreak(QChar c)
    {
        if (c != u'\r' && c != u'\n')
            return QString(c);
        if (c == u'\r' && peek() == u'\n')
            ++m_at;
        ++m_row;
        return QStringLiteral("\r\n");
    }

    QChar peek() const { return m_at < m_text.size() ? m_text.at(m_at) : QChar(); }

    const QString &m_text;
    const QChar m_separator;
    qsizetype m_at = 0;
    int m_row = 1;
};

std::optional<qint32> numberIn(const QString &cell, qint32 low, qint32 high)
{
    bool ok = false;
    const qint32 value = cell.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// Reads one seat or says why it cannot be one.
std::optional<QString> readSeat(const Record &r, int mixersInFile, SeatRow &seat)
{
    if (r.cells.size() < Columns)
        return str(14903);
    seat.row = r.row;
    seat.caption = formulaUnguarded(r.cells[Caption].trimmed());
    if (seat.caption.count(QStringLiteral("\r\n")) > 1)
        return str(14908);
    const QString unstorable = unstorableCharacters(seat.caption);
    if (!unstorable.isEmpty())
        return unstorableCharactersMessage(unstorable);
    struct Range { Column column; int nameId; qint32 low; qint32 high; };
    static const std::array<Range, 6> ranges{{
        {Mixer, 14909, 1, Panel::MaxMixers}, {Channel, 14910, 1, Panel::ChannelSlots},
        {Left, 14911, 0, Panel::MaxExtent}, {Top, 14912, 0, Panel::MaxExtent},
        {Width, 14913, Panel::MinButtonSize, Panel::MaxExtent},
        {Height, 14914, Panel::MinButtonSize, Panel::MaxExtent}}};
    std::array<qint32, Columns> values{};
    for (const Range &range : ranges) {
        const auto value = numberIn(r.cells[range.column], range.low, range.high);
        if (!value)
            return str(14904).arg(str(range.nameId), r.cells[range.column].trimmed()).arg(range.low).arg(range.high);
        values[range.column] = *value;
    }
    if (values[Mixer] > mixersInFile)
        return str(14901).arg(values[Mixer]).arg(mixersInFile);
    const QString role = r.cells[Role].trimmed().toLower();
    if (role != QLatin1String("chair") && role != QLatin1String("delegate") && !role.isEmpty())
        return str(14905).arg(r.cells[Role].trimmed());
    seat.seat = ButtonRef{values[Mixer] - 1, values[Channel] - 1};
    seat.chair = role == QLatin1String("chair");
    seat.left = values[Left];
    seat.top = values[Top];
    seat.width = values[Width];
    seat.height = values[Height];
    return std::nullopt;
}

// A first row whose mixer and channel are numbers is a seat, not a header:
// skipping it would lose that seat without a word.
bool looksLikeHeader(const Record &r)
{
    return r.cells.size() < Columns || !numberIn(r.cells[Mixer], 0, INT_MAX) || !numberIn(r.cells[Channel], 0, INT_MAX);
}

} // namespace

QString SeatRefusal::message() const
{
    return str(14900).arg(row).arg(reason);
}

QString seatListText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (isOtherEncoding(bytes) || bytes.isEmpty())
        return QString::fromUtf8(bytes);
    QStringDecoder cp932("CP932", QStringConverter::Flag::Stateless);
    return cp932.decode(bytes);
}

SeatTable readSeatTable(const QString &text, int mixersInFile)
{
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    const QChar separator = text.left(lineEnd).contains(u'\t') ? u'\t' : u',';
    const std::vector<Record> records = RecordReader(text, separator).records();
    SeatTable table;
    if (records.empty() || records.front().row != 1 || !looksLikeHeader(records.front())) {
        table.refusal = SeatRefusal{1, str(14906)};
        return table;
    }
    if (records.size() == 1) {
        table.refusal = SeatRefusal{1, str(14915)};
        return table;
    }
    std::map<std::pair<int, int>, int> taken;   // (mixer, slot) -> row
    for (size_t i = 1; i < records.size(); ++i) {
        const Record &r = records[i];
        if (int(i) > Seats::MaxSeats) {
            table.refusal = SeatRefusal{r.row, str(14907).arg(Seats::MaxSeats)};
            return table;
        }
        SeatRow seat;
        if (const auto reason = readSeat(r, mixersInFile, seat)) {
            table.refusal = SeatRefusal{r.row, *reason};
            return table;
        }
        const auto [at, fresh] = taken.emplace(std::pair(seat.seat.mixer, seat.seat.slot), r.row);
        if (!fresh) {
            table.refusal = SeatRefusal{r.row, str(14902).arg(seat.seat.mixer + 1).arg(seat.seat.slot + 1).arg(at->second)};
            return table;
        }
        table.seats.push_back(seat);
    }
    return table;
}

SeatPlan planSeats(const PanelState &panel, const std::vector<SeatRow> &seats)
{
    SeatPlan plan;
    for (const SeatRow &seat : seats)
        (panel.slot(seat.seat.mixer, seat.seat.slot).IconEnable ? plan.updates : plan.placements).push_back(seat);
    return plan;
}

void applySeatPlan(PanelState &panel, const SeatPlan &plan)
{
    const auto put = [&panel](const SeatRow &seat) {
        ButtonSlot &b = panel.slot(seat.seat.mixer, seat.seat.slot);
        b.IconEnable = true;
        b.IconText = seat.caption;
        b.IconLeft = seat.left;
        b.IconTop = seat.top;
        b.IconWidth = seat.width;
        b.IconHeight = seat.height;
        panel.meeting.setChair(seat.seat.mixer, seat.seat.slot, seat.chair);
    };
    for (const SeatRow &seat : plan.updates)
        put(seat);
    for (const SeatRow &seat : plan.placements) {
        panel.slot(seat.seat.mixer, seat.seat.slot) = resetSlot(panel.defaults, seat.seat.slot);
        put(seat);
    }
    panel.IconNum = qint16(countEnabledButtons(panel));
}

QByteArray seatListCsv(const PanelState &panel, int mixers)
{
    QString out = QStringLiteral("caption,mixer,channel,role,left,top,width,height\r\n");
    for (int m = 0; m < std::min(mixers, int(Panel::MaxMixers)); ++m) {
        for (int s = 0; s < Panel::ChannelSlots; ++s) {
            const ButtonSlot &b = panel.slot(m, s);
            if (!b.IconEnable)
                continue;
            const QString role = panel.meeting.isChair(m, s) ? QStringLiteral("chair") : QStringLiteral("delegate");
            out += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8\r\n")
                       .arg(csvCell(formulaGuarded(b.IconText)))
                       .arg(m + 1).arg(s + 1).arg(role)
                       .arg(b.IconLeft).arg(b.IconTop)
                       .arg(qint32(b.IconWidth)).arg(qint32(b.IconHeight));
        }
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}
