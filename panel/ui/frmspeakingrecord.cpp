#include "panel/ui/frmspeakingrecord.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "panel/meetingconsole.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
namespace RecordRes {
constexpr int Title = 14400;     // "発言記録"
constexpr int From = 14401;      // "開始"
constexpr int To = 14402;        // "終了"
constexpr int Seat = 14403;      // "席"
constexpr int Channel = 14404;   // "チャンネル"
constexpr int Length = 14455;    // "発言時間"
constexpr int Total = 14456;     // "合計"
constexpr int Count = 14407;     // "回数"
constexpr int SaveCsv = 14446;   // "CSV 保存(&C)..."
constexpr int Print = 14447;     // "印刷(&P)..."
constexpr int Close = 14448;     // "閉じる"
constexpr int CsvFilter = 14449; // "CSV ファイル|*.csv"
constexpr int NotSaved = 14450;  // "発言記録を保存できませんでした。"
constexpr int Started = 14452;   // "会議開始 %1"
} // namespace RecordRes

const QString RecordClockFormat = QStringLiteral("HH:mm:ss");

int recordChannel(ButtonRef seat)
{
    return seat.mixer * Panel::ChannelSlots + seat.slot + 1;
}

QString recordCaption(const QString &caption)
{
    return accessibleWords(caption);
}

// The rows of the two tables as text, for the window and the printer.
std::vector<QStringList> entryRows(const SpeakingRecord &record)
{
    std::vector<QStringList> rows;
    for (const SpeakingRecord::Entry &e : record.entries())
        rows.push_back({e.from.toString(RecordClockFormat), e.to.toString(RecordClockFormat), recordCaption(e.caption),
                        QString::number(recordChannel(e.seat)), runningTimeText(e.seconds)});
    return rows;
}

std::vector<QStringList> totalRows(const SpeakingRecord &record)
{
    std::vector<QStringList> rows;
    for (const SpeakingRecord::SeatTotal &t : record.totals())
        rows.push_back({recordCaption(t.caption), QString::number(recordChannel(t.seat)), runningTimeText(t.seconds),
                        QString::number(t.count)});
    return rows;
}

QStringList entryHeader()
{
    return {str(RecordRes::From), str(RecordRes::To), str(RecordRes::Seat), str(RecordRes::Channel), str(RecordRes::Length)};
}

QStringList totalHeader()
{
    return {str(RecordRes::Seat), str(RecordRes::Channel), str(RecordRes::Total), str(RecordRes::Count)};
}

QTableWidget *makeRecordTable(const QStringList &header, const char *name, QWidget *parent)
{
    auto *t = new QTableWidget(0, int(header.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(header);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->verticalHeader()->setVisible(false);
    // The seat's name takes what room there is.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setSectionResizeMode(int(header.indexOf(str(RecordRes::Seat))), QHeaderView::Stretch);
    return t;
}

void fillRecordTable(QTableWidget *t, const std::vector<QStringList> &rows)
{
    t->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
            t->setItem(r, c, new QTableWidgetItem(rows[size_t(r)][c]));
}

QPushButton *recordButton(int id, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(str(id), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

FrmSpeakingRecord::FrmSpeakingRecord(const MeetingConsole &console, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_console(console), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmSpeakingRecord"));
    setWindowTitle(str(RecordRes::Title));
    announceAsWindow(this);
    m_entries = makeRecordTable(entryHeader(), "tblSpeeches", this);
    m_entries->setAccessibleName(str(RecordRes::Title));
    m_totals = makeRecordTable(totalHeader(), "tblTotals", this);
    m_totals->setAccessibleName(joinAccessible({str(RecordRes::Seat), str(RecordRes::Total)}));
    auto *save = recordButton(RecordRes::SaveCsv, "cmdSaveCsv", this);
    auto *print = recordButton(RecordRes::Print, "cmdPrint", this);
    auto *close = recordButton(RecordRes::Close, "cmdClose", this);
    connect(save, &QPushButton::clicked, this, [this] { saveCsv(); });
    connect(print, &QPushButton::clicked, this, [this] { reportPrintStatus(this->print(), m_dialogs); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_entries, 3);
    layout->addWidget(m_totals, 2);
    layout->addLayout(buttons);
    resize(560, 480);

    connect(&console, &MeetingConsole::recordChanged, this, &FrmSpeakingRecord::refresh);
    refresh();
}

void FrmSpeakingRecord::refresh()
{
    const SpeakingRecord &record = m_console.record();
    fillRecordTable(m_entries, entryRows(record));
    fillRecordTable(m_totals, totalRows(record));
    if (m_entries->rowCount() > 0)
        m_entries->scrollToBottom();
}

bool FrmSpeakingRecord::saveCsv()
{
    const QString path = m_dialogs.saveFileName(str(RecordRes::Title), QStringLiteral("speaking-record.csv"),
                                                fileDialogFilter(str(RecordRes::CsvFilter)));
    if (path.isEmpty())
        return false;
    const QByteArray csv = m_console.record().toCsv();
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(csv) == csv.size() && f.commit())
        return true;
    m_dialogs.tell(str(RecordRes::NotSaved), MsgIcon::Warning);
    return false;
}

PrintStatus FrmSpeakingRecord::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(str(RecordRes::Title));
    switch (m_dialogs.print(printer)) {
    case PrintAnswer::NoPrinter: return PrintStatus::NoPrinter;
    case PrintAnswer::Cancel: return PrintStatus::Cancelled;
    case PrintAnswer::Print: break;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintStatus::Failed;
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect().translated(
        -printer.pageRect(QPrinter::DevicePixel).toRect().topLeft());
    paintRecordPages(painter, m_console.record(), page, [&printer] { return printer.newPage(); });
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return PrintStatus::Failed;
    return PrintStatus::Printed;
}

int paintRecordPages(QPainter &painter, const SpeakingRecord &record, const QRect &page,
                     const std::function<bool()> &newPage)
{
    QFont font = painter.font();
    font.setPointSizeF(10);
    painter.setFont(font);
    const int line = painter.fontMetrics().lineSpacing() * 13 / 10;
    int pages = 1;
    int y = page.top();
    auto room = [&] {
        if (y + line <= page.bottom())
            return true;
        if (!newPage())
            return false;
        ++pages;
        y = page.top();
        return true;
    };
    auto row = [&](const QStringList &cells, const std::vector<double> &widths, bool bold) {
        if (!room())
            return;
        QFont f = font;
        f.setBold(bold);
        painter.setFont(f);
        double x = page.left();
        for (int c = 0; c < int(cells.size()); ++c) {
            const double w = widths[size_t(c)] * page.width();
            painter.drawText(QRectF(x, y, w - 8, line), Qt::AlignLeft | Qt::AlignVCenter, cells[c]);
            x += w;
        }
        y += line;
    };
    row({str(RecordRes::Title), record.started().isValid()
                              ? str(RecordRes::Started).arg(record.started().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                              : QString()},
        {0.3, 0.7}, true);
    y += line / 2;
    const std::vector<double> entryWidths{0.15, 0.15, 0.4, 0.14, 0.16};
    row(entryHeader(), entryWidths, true);
    for (const QStringList &r : entryRows(record))
        row(r, entryWidths, false);
    y += line;
    const std::vector<double> totalWidths{0.45, 0.15, 0.2, 0.2};
    row(totalHeader(), totalWidths, true);
    for (const QStringList &r : totalRows(record))
        row(r, totalWidths, false);
    return pages;
}
