#include "mixer/activitylog.h"

#include "base/clock.h"
#include "base/csvcells.h"
#include "base/placement.h"
#include "base/strings.h"
#include "mixer/mixerdata.h"
#include "mixer/parametertable.h"

#include <QStringList>

namespace {
namespace Text {
constexpr int KindFirst = 12200;    // 書き込み, リンク, 読み込み, 保存, ダウンロード, アクセス確認
constexpr int OutcomeFirst = 12210; // (none), 確認済み, 失敗, 完了, 拒否
constexpr int HeaderFirst = 12226;  // 時刻, 種類, ミキサー, 項目, 値, 結果, 内容
constexpr int ShownColumns = 7;
constexpr int CodeHeader = 13800;   // "コード": the value's code, after the columns shown
constexpr int ColumnCount = ShownColumns + 1;
} // namespace Text

const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
const QByteArray Bom("\xEF\xBB\xBF");

// The rows of a CSV text (RFC 4180: quoted cells may hold commas, quotes
// and line breaks). Nothing when a quote is left open.
std::optional<std::vector<QStringList>> csvRows(const QString &text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
            continue;
        }
        if (c == u'"') {
            quoted = true;
            any = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            row << cell;
            rows.push_back(row);
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
            any = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (any) {
        row << cell;
        rows.push_back(row);
    }
    return rows;
}

template<class Enum>
std::optional<Enum> byName(const QString &name, int first, int count, int start = 0)
{
    for (int i = start; i < count; ++i)
        if (str(first + i) == name)
            return Enum(i);
    return std::nullopt;
}
} // namespace

ActivityLog::ActivityLog(const Clock &clock, int capacity, const QDateTime &wallAtStart)
    : m_clock(clock), m_capacity(std::max(1, capacity)), m_wallAtStart(wallAtStart),
      m_clockAtStart(clock.now())
{
}

void ActivityLog::add(ActivityKind kind, int mixer, const QString &detail, ActivityOutcome outcome, int key,
                      qint32 value)
{
    ActivityEntry e;
    e.when = m_wallAtStart.addMSecs(qint64((m_clock.now() - m_clockAtStart) * 1000.0));
    e.kind = kind;
    e.mixer = mixer;
    e.key = key;
    e.value = value;
    if (key > 0 && m_words) {
        e.shown = m_words(mixer, key, value);
        if (e.shown == QString::number(value))
            e.shown.clear(); // the code itself: nothing to keep
    }
    e.outcome = outcome;
    e.detail = detail;
    if (int(m_ring.size()) < m_capacity) {
        m_ring.push_back(e);
    } else {
        emit oldestDropped(m_ring[size_t(m_next)]);
        m_ring[size_t(m_next)] = e;
        m_next = (m_next + 1) % m_capacity;
    }
    ++m_added;
    emit entryAdded(e);
}

const ActivityEntry &ActivityLog::newest(int i) const
{
    // Before the ring is full the newest is at the end; once full, just
    // before the next place to write.
    const int n = int(m_ring.size());
    const int newestAt = n < m_capacity ? n - 1 : (m_next + m_capacity - 1) % m_capacity;
    return m_ring[size_t((newestAt - i + n) % n)];
}

std::vector<ActivityEntry> ActivityLog::entries(const ActivityFilter &filter) const
{
    std::vector<ActivityEntry> out;
    for (int i = 0; i < size(); ++i)
        if (filter.accepts(newest(i)))
            out.push_back(newest(i));
    return out;
}

QString ActivityLog::kindName(ActivityKind kind)
{
    return str(Text::KindFirst + int(kind));
}

QString ActivityLog::outcomeName(ActivityOutcome outcome)
{
    return outcome == ActivityOutcome::None ? QString() : str(Text::OutcomeFirst + int(outcome));
}

QString ActivityLog::keyName(int key)
{
    return key > 0 ? mixerKey(key) : QString();
}

QString ActivityLog::valueText(const ActivityEntry &e)
{
    if (e.key <= 0)
        return {};
    return e.shown.isEmpty() ? QString::number(e.value) : e.shown;
}

QString ActivityLog::line(const ActivityEntry &e)
{
    QStringList parts{e.when.toString(TimeFormat), kindName(e.kind)};
    if (e.mixer > 0)
        parts << MixerName(e.mixer);
    if (e.key > 0)
        parts << keyName(e.key) + u'=' + valueText(e);
    if (e.outcome != ActivityOutcome::None)
        parts << outcomeName(e.outcome);
    if (!e.detail.isEmpty())
        parts << e.detail;
    return parts.join(u' ');
}

QByteArray ActivityLog::toCsv(const std::vector<ActivityEntry> &entries)
{
    QStringList lines;
    QStringList header;
    for (int c = 0; c < Text::ShownColumns; ++c)
        header << csvCell(str(Text::HeaderFirst + c));
    header << csvCell(str(Text::CodeHeader));
    lines << header.join(u',');
    for (const ActivityEntry &e : entries) {
        lines << QStringList{e.when.toString(TimeFormat),
                             csvCell(kindName(e.kind)),
                             e.mixer > 0 ? csvCell(MixerName(e.mixer)) : QString(),
                             csvCell(keyName(e.key)),
                             csvCell(formulaGuarded(valueText(e))),
                             csvCell(outcomeName(e.outcome)),
                             csvCell(formulaGuarded(e.detail)),
                             e.key > 0 ? QString::number(e.value) : QString()}
                     .join(u',');
    }
    return Bom + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

std::optional<std::vector<ActivityEntry>> ActivityLog::fromCsv(const QByteArray &csv)
{
    const QByteArray body = csv.startsWith(Bom) ? csv.mid(Bom.size()) : csv;
    const auto rows = csvRows(QString::fromUtf8(body));
    if (!rows || rows->empty() || rows->front().size() != Text::ColumnCount)
        return std::nullopt;
    std::vector<ActivityEntry> out;
    for (size_t r = 1; r < rows->size(); ++r) {
        const QStringList &cells = (*rows)[r];
        if (cells.size() != Text::ColumnCount)
            return std::nullopt;
        ActivityEntry e;
        e.when = QDateTime::fromString(cells[0], TimeFormat);
        const auto kind = byName<ActivityKind>(cells[1], Text::KindFirst, ActivityKindCount);
        if (!e.when.isValid() || !kind)
            return std::nullopt;
        e.kind = *kind;
        if (!cells[2].isEmpty()) {
            for (int m = 1; m <= MaxMixers && !e.mixer; ++m)
                if (MixerName(m) == cells[2])
                    e.mixer = m;
            if (!e.mixer)
                return std::nullopt;
        }
        e.key = cells[3].isEmpty() ? 0 : mixerKeyId(cells[3]);
        if (e.key < 0)
            return std::nullopt;
        bool ok = true;
        e.value = cells[7].isEmpty() ? 0 : cells[7].toInt(&ok);
        if (!ok)
            return std::nullopt;
        e.shown = formulaUnguarded(cells[4]);
        if (e.shown == QString::number(e.value))
            e.shown.clear();
        if (!cells[5].isEmpty()) {
            const auto outcome = byName<ActivityOutcome>(cells[5], Text::OutcomeFirst, 5, 1);
            if (!outcome)
                return std::nullopt;
            e.outcome = *outcome;
        }
        e.detail = formulaUnguarded(cells[6]);
        out.push_back(e);
    }
    return out;
}
