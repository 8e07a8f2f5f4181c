#pragma once

// 通信ログ: the activity log in a window, newest first, filtered by mixer
// and kind, exported as CSV through the file dialog. The window follows the
// log while it is open; the log itself lives on when the window closes.

#include "mixer/activitylog.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <deque>

class Dialogs;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// The entries a filter accepts, newest first, as table rows; follows the
// log entry by entry (no rebuild while the window is idle).
class ActivityModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Time, Kind, Mixer, Key, Value, Outcome, Detail, ColumnCount };

    explicit ActivityModel(const ActivityLog &log, QObject *parent = nullptr);

    void setFilter(const ActivityFilter &filter);
    const ActivityFilter &filter() const { return m_filter; }
    const ActivityEntry &entry(int row) const { return m_rows[size_t(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void added(const ActivityEntry &e);
    void dropped(const ActivityEntry &e);

    const ActivityLog &m_log;
    ActivityFilter m_filter;
    std::deque<ActivityEntry> m_rows;
};

class FrmActivity : public QWidget
{
    Q_OBJECT
public:
    FrmActivity(const ActivityLog &log, Dialogs &dialogs, QWidget *parent = nullptr);

    ActivityModel *model() const { return m_model; }
    QComboBox *mixerFilter() const { return m_mixer; }
    QComboBox *kindFilter() const { return m_kind; }
    QPushButton *exportButton() const { return m_export; }
    QTableView *table() const { return m_table; }
    QLabel *countLabel() const { return m_count; }

    // Asks for a file and writes the shown entries to it as CSV; false when
    // cancelled or the file could not be written (the user is told).
    bool exportCsv();

private:
    void applyFilter();
    void showCount();

    const ActivityLog &m_log;
    Dialogs &m_dialogs;
    ActivityModel *m_model = nullptr;
    QComboBox *m_mixer = nullptr;
    QComboBox *m_kind = nullptr;
    QPushButton *m_export = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_count = nullptr;
};
