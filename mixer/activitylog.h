#pragma once

// What the program did with the mixers, for the technician who asks "what
// was written when": each write with its mixer, key, value and outcome, each
// loss and return of the link, each load, save, download and access check.
// Kept in memory only, as a ring of a fixed number of entries (the oldest
// go first); nothing reaches the disk unless the user exports it. The
// activity window shows it, newest first; the command-line tool prints each
// entry on stderr with --verbose.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class Clock;

enum class ActivityKind { Write, Link, Load, Save, Download, Access };
constexpr int ActivityKindCount = 6;

enum class ActivityOutcome { None, Verified, Failed, Done, Refused };

struct ActivityEntry
{
    QDateTime when;              // wall-clock time, to the millisecond
    ActivityKind kind = ActivityKind::Write;
    int mixer = 0;               // 1..16; 0: not one mixer
    int key = 0;                 // key id 1..85 of a write; 0: none
    qint32 value = 0;            // the value written
    QString shown;               // the value as the user knows it ("-10.0dB"); empty: the code
    ActivityOutcome outcome = ActivityOutcome::None;
    QString detail;              // words for the rest: a file, the link's state

    bool operator==(const ActivityEntry &o) const
    {
        return when == o.when && kind == o.kind && mixer == o.mixer && key == o.key && value == o.value
               && shown == o.shown && outcome == o.outcome && detail == o.detail;
    }
};

// Which entries to show or export: a mixer (0 all) and a kind (none: all).
struct ActivityFilter
{
    int mixer = 0;
    std::optional<ActivityKind> kind;

    bool accepts(const ActivityEntry &e) const
    {
        return (mixer == 0 || e.mixer == mixer) && (!kind || e.kind == *kind);
    }
};

class ActivityLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultCapacity = 10000;

    // Times come from `clock` (so tests run on virtual time), counted from
    // `wallAtStart`, the wall-clock time at which the clock read its value
    // now.
    explicit ActivityLog(const Clock &clock, int capacity = DefaultCapacity,
                         const QDateTime &wallAtStart = QDateTime::currentDateTime());

    void add(ActivityKind kind, int mixer, const QString &detail, ActivityOutcome outcome = ActivityOutcome::None,
             int key = 0, qint32 value = 0);
    // How a written value reads to the user (mixer, key id, value), kept with
    // each entry that has a key; without it the code shows.
    void setValueWords(std::function<QString(int, int, qint32)> words) { m_words = std::move(words); }

    int capacity() const { return m_capacity; }
    int size() const { return int(m_ring.size()); }
    // Entries ever added (some may have left the ring).
    quint64 added() const { return m_added; }
    // The i-th newest entry, 0 the newest.
    const ActivityEntry &newest(int i) const;
    // The entries the filter accepts, newest first.
    std::vector<ActivityEntry> entries(const ActivityFilter &filter = {}) const;

    // Names as the user reads them.
    static QString kindName(ActivityKind kind);
    static QString outcomeName(ActivityOutcome outcome);
    // The key's settings name ("InputGain_3"); empty for none.
    static QString keyName(int key);
    // The value as the user knows it ("-10.0dB"), or its code; empty without a key.
    static QString valueText(const ActivityEntry &e);
    // One entry as a line: time, kind, mixer, key = value, outcome, detail.
    static QString line(const ActivityEntry &e);

    // CSV with a header row, UTF-8 with a byte-order mark (spreadsheets on
    // Windows read it as Unicode), CR LF line ends: the columns the window
    // shows, as it shows them (the mixer by name, the value as the user knows
    // it), and the value's code last.
    static QByteArray toCsv(const std::vector<ActivityEntry> &entries);
    // Reads what toCsv wrote; nothing when the text is not such a file.
    static std::optional<std::vector<ActivityEntry>> fromCsv(const QByteArray &csv);

signals:
    void entryAdded(const ActivityEntry &entry);
    // The ring was full: its oldest entry made room for the one added next.
    void oldestDropped(const ActivityEntry &entry);

private:
    const Clock &m_clock;
    std::function<QString(int, int, qint32)> m_words;
    int m_capacity;
    QDateTime m_wallAtStart;
    double m_clockAtStart;
    std::vector<ActivityEntry> m_ring; // grows to capacity, then wraps
    int m_next = 0;                    // where the next entry goes once full
    quint64 m_added = 0;
};
