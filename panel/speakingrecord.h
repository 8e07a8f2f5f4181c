#pragma once

// The record of who spoke when in the meeting: every speech of a seat with
// the verified times it began and ended. It is appended to a file in the
// per-user data folder as it happens, each entry flushed at once, so a crash
// or a kill loses at most the entry being written; the next start reads the
// file back and the record goes on. 会議開始 starts it anew.
//
// The file is UTF-8 text, a line per entry, fields separated by tabs:
//   meeting <tab> start
//   speech <tab> from <tab> to <tab> mixer <tab> slot <tab> seconds <tab> caption
// times as ISO 8601 with milliseconds; a line it cannot read (the one cut
// short by a kill) is passed over.

#include "panel/paneldesign.h"

#include <QDateTime>
#include <QFile>
#include <QString>

#include <vector>

class SpeakingRecord
{
public:
    struct Entry
    {
        ButtonRef seat;
        QString caption; // the seat's name when it spoke
        QDateTime from;
        QDateTime to;
        double seconds = 0;
    };
    struct SeatTotal
    {
        ButtonRef seat;
        QString caption;
        double seconds = 0;
        int count = 0;
    };

    static QString defaultPath();
    // Reads what the file holds (nothing when there is none).
    explicit SpeakingRecord(QString path = defaultPath());

    const QString &path() const { return m_path; }
    const std::vector<Entry> &entries() const { return m_entries; }
    QDateTime started() const { return m_started; }

    // A new meeting: the file holds only its start from now on. False when
    // the file could not be written (the record is kept in memory).
    bool start(const QDateTime &at);
    // The entry joins the record and the file. False when the file could
    // not be written.
    bool append(Entry entry);

    // Each seat's total time and number of speeches, in the order each
    // first spoke.
    std::vector<SeatTotal> totals() const;
    // The record as CSV for a spreadsheet (UTF-8 with BOM, CR LF): entries,
    // then each seat's total and count; captions guarded against formulas.
    QByteArray toCsv() const;

private:
    bool writeLine(const QString &line, bool truncate);
    void load();

    QString m_path;
    QFile m_file;
    QDateTime m_started;
    std::vector<Entry> m_entries;
};
