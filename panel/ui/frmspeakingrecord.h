#pragma once

// 発言記録: the record of who spoke when, for the minutes. Each speech with
// its verified start and end and its length, each seat's total and count;
// saved as CSV for a spreadsheet or printed (or made a PDF) as a table of
// as many pages as it needs. It follows the record as it grows.

#include "print/printstatus.h"

#include <QRect>
#include <QWidget>

#include <functional>

class Dialogs;
class MeetingConsole;
class QPainter;
class QPushButton;
class QTableWidget;
class SpeakingRecord;

class FrmSpeakingRecord : public QWidget
{
    Q_OBJECT

public:
    FrmSpeakingRecord(const MeetingConsole &console, Dialogs &dialogs, QWidget *parent = nullptr);

    QTableWidget *entriesTable() const { return m_entries; }
    QTableWidget *totalsTable() const { return m_totals; }

    // CSV 保存: asks for a file name; false when cancelled or not written.
    bool saveCsv();
    // 印刷: the print dialog, then the table on as many pages as it needs.
    PrintStatus print();

private:
    void refresh();

    const MeetingConsole &m_console;
    Dialogs &m_dialogs;
    QTableWidget *m_entries = nullptr;
    QTableWidget *m_totals = nullptr;
};

// The record as a table on the painter's device (a printer), page by page:
// `newPage` is called between pages. Returns the pages used.
int paintRecordPages(QPainter &painter, const SpeakingRecord &record, const QRect &page,
                     const std::function<bool()> &newPage);
