#include "panel/speakingrecord.h"

#include "base/csvcells.h"
#include "base/strings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {
namespace RecordText {
constexpr int From = 14401;     // 開始
constexpr int To = 14402;       // 終了
constexpr int Seat = 14403;     // 席
constexpr int Channel = 14404;  // チャンネル
constexpr int Seconds = 14405;  // 発言時間(秒)
constexpr int Total = 14406;    // 合計(秒)
constexpr int Count = 14407;    // 回数
} // namespace RecordText

const QString MeetingTag = QStringLiteral("meeting");
const QString SpeechTag = QStringLiteral("speech");

QString timeText(const QDateTime &t)
{
    return t.toString(Qt::ISODateWithMs);
}

// A caption on one line and without the file's separator.
QString oneField(QString text)
{
    text.replace(u'\t', u' ');
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

int seatChannel(ButtonRef seat)
{
    return seat.mixer * Panel::ChannelSlots + seat.slot + 1;
}

std::optional<SpeakingRecord::Entry> entryOf(const QStringList &f)
{
    if (f.size() != 7 || f[0] != SpeechTag)
        return std::nullopt;
    SpeakingRecord::Entry e;
    bool okM = false, okS = false, okSec = false;
    e.from = QDateTime::fromString(f[1], Qt::ISODateWithMs);
    e.to = QDateTime::fromString(f[2], Qt::ISODateWithMs);
    e.seat.mixer = f[3].toInt(&okM);
    e.seat.slot = f[4].toInt(&okS);
    e.seconds = f[5].toDouble(&okSec);
    e.caption = f[6];
    const bool seatOk = okM && okS && e.seat.mixer >= 0 && e.seat.mixer < Panel::MaxMixers && e.seat.slot >= 0
                     && e.seat.slot < Panel::ChannelSlots;
    if (!seatOk || !okSec || !e.from.isValid() || !e.to.isValid() || e.seconds < 0)
        return std::nullopt;
    return e;
}

} // namespace

QString SpeakingRecord::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/speaking-record.txt");
}

SpeakingRecord::SpeakingRecord(QString path) : m_path(std::move(path)), m_file(m_path)
{
    load();
}

void SpeakingRecord::load()
{
    QFile in(m_path);
    if (!in.open(QIODevice::ReadOnly))
        return;
    // A line is whole only with its line end: the one a kill cut short has none.
    const QByteArray bytes = in.readAll();
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QStringList f = QString::fromUtf8(lines[i]).split(u'\t');
        if (f.size() == 2 && f[0] == MeetingTag) {
            m_started = QDateTime::fromString(f[1], Qt::ISODateWithMs);
            m_entries.clear();
        } else if (const auto e = entryOf(f)) {
            m_entries.push_back(*e);
        }
    }
}

bool SpeakingRecord::writeLine(const QString &line, bool truncate)
{
    if (truncate || !m_file.isOpen()) {
        m_file.close();
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        const QIODevice::OpenMode mode = truncate ? QIODevice::WriteOnly | QIODevice::Truncate
                                                  : QIODevice::WriteOnly | QIODevice::Append;
        if (!m_file.open(mode))
            return false;
    }
    const QByteArray bytes = (line + u'\n').toUtf8();
    // Flushed at once: what is written survives the program.
    return m_file.write(bytes) == bytes.size() && m_file.flush();
}

bool SpeakingRecord::start(const QDateTime &at)
{
    m_started = at;
    m_entries.clear();
    return writeLine(MeetingTag + u'\t' + timeText(at), true);
}

bool SpeakingRecord::append(Entry entry)
{
    entry.caption = oneField(entry.caption);
    const QStringList f{SpeechTag,
                        timeText(entry.from),
                        timeText(entry.to),
                        QString::number(entry.seat.mixer),
                        QString::number(entry.seat.slot),
                        QString::number(entry.seconds, 'f', 3),
                        entry.caption};
    m_entries.push_back(std::move(entry));
    return writeLine(f.join(u'\t'), false);
}

std::vector<SpeakingRecord::SeatTotal> SpeakingRecord::totals() const
{
    std::vector<SeatTotal> out;
    for (const Entry &e : m_entries) {
        auto it = std::find_if(out.begin(), out.end(), [&](const SeatTotal &t) { return t.seat == e.seat; });
        if (it == out.end())
            it = out.insert(out.end(), SeatTotal{e.seat, e.caption, 0, 0});
        it->caption = e.caption;
        it->seconds += e.seconds;
        ++it->count;
    }
    return out;
}

QByteArray SpeakingRecord::toCsv() const
{
    auto row = [](const QStringList &cells) {
        QStringList out;
        for (const QString &c : cells)
            out << csvCell(formulaGuarded(c));
        return out.join(u',');
    };
    QStringList lines;
    lines << row({str(RecordText::From), str(RecordText::To), str(RecordText::Seat), str(RecordText::Channel), str(RecordText::Seconds)});
    for (const Entry &e : m_entries)
        lines << row({e.from.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                      e.to.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), e.caption,
                      QString::number(seatChannel(e.seat)), QString::number(qint64(e.seconds))});
    lines << QString();
    lines << row({str(RecordText::Seat), str(RecordText::Channel), str(RecordText::Total), str(RecordText::Count)});
    for (const SeatTotal &t : totals())
        lines << row({t.caption, QString::number(seatChannel(t.seat)), QString::number(qint64(t.seconds)),
                      QString::number(t.count)});
    return QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}
