#include "app/ui/frmactivity.h"

#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "mixer/mixerdata.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

namespace {
namespace Text {
constexpr int Title = 12220;       // "通信ログ"
constexpr int MixerLabel = 12222;  // "ミキサー(&M):"
constexpr int All = 12223;         // "すべて"
constexpr int KindLabel = 12224;   // "種類(&K):"
constexpr int Export = 12225;      // "CSV で保存(&S)..."
constexpr int HeaderFirst = 12226; // 時刻 .. 内容
constexpr int CsvFilter = 12233;   // "CSV ファイル (*.csv)"
constexpr int ExportFailed = 12234;
constexpr int Count = 12235;       // "%1 件（最大 %2 件）"
constexpr int ListName = 12236;    // "通信ログの一覧"
} // namespace Text
const QString TimeShown = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
} // namespace

ActivityModel::ActivityModel(const ActivityLog &log, QObject *parent) : QAbstractTableModel(parent), m_log(log)
{
    setFilter({});
    connect(&log, &ActivityLog::entryAdded, this, &ActivityModel::added);
    connect(&log, &ActivityLog::oldestDropped, this, &ActivityModel::dropped);
}

void ActivityModel::setFilter(const ActivityFilter &filter)
{
    beginResetModel();
    m_filter = filter;
    const std::vector<ActivityEntry> shown = m_log.entries(filter);
    m_rows.assign(shown.begin(), shown.end());
    endResetModel();
}

void ActivityModel::added(const ActivityEntry &e)
{
    if (!m_filter.accepts(e))
        return;
    beginInsertRows({}, 0, 0);
    m_rows.push_front(e);
    endInsertRows();
}

void ActivityModel::dropped(const ActivityEntry &e)
{
    // The oldest entry the ring held is the oldest row, when shown.
    if (!m_filter.accepts(e) || m_rows.empty())
        return;
    const int last = int(m_rows.size()) - 1;
    beginRemoveRows({}, last, last);
    m_rows.pop_back();
    endRemoveRows();
}

int ActivityModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ActivityModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ActivityModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const ActivityEntry &e = m_rows[size_t(index.row())];
    if (role == Qt::TextAlignmentRole && (index.column() == Mixer || index.column() == Value))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    // What a narrow column cuts short shows whole under the pointer.
    if (role == Qt::ToolTipRole && (index.column() == Value || index.column() == Detail))
        role = Qt::DisplayRole;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Time: return e.when.toString(TimeShown);
    case Kind: return ActivityLog::kindName(e.kind);
    case Mixer: return e.mixer > 0 ? MixerName(e.mixer) : QString();
    case Key: return ActivityLog::keyName(e.key);
    case Value: return ActivityLog::valueText(e);
    case Outcome: return ActivityLog::outcomeName(e.outcome);
    case Detail: return e.detail;
    default: return {};
    }
}

QVariant ActivityModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return str(Text::HeaderFirst + section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

FrmActivity::FrmActivity(const ActivityLog &log, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_log(log), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FrmActivity"));
    setWindowTitle(str(Text::Title));
    announceAsWindow(this);

    m_model = new ActivityModel(log, this);
    m_mixer = new QComboBox(this);
    m_mixer->setObjectName(QStringLiteral("cmbMixer"));
    m_mixer->addItem(str(Text::All), 0);
    for (int m = 1; m <= MaxMixers; ++m)
        m_mixer->addItem(MixerName(m), m);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbKind"));
    m_kind->addItem(str(Text::All), -1);
    for (int k = 0; k < ActivityKindCount; ++k)
        m_kind->addItem(ActivityLog::kindName(ActivityKind(k)), k);
    auto *mixerLabel = new QLabel(str(Text::MixerLabel), this);
    auto *kindLabel = new QLabel(str(Text::KindLabel), this);
    tieLabel(mixerLabel, m_mixer);
    tieLabel(kindLabel, m_kind);
    m_export = new QPushButton(str(Text::Export), this);
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_export->setAutoDefault(false);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblActivity"));
    m_table->setAccessibleName(str(Text::ListName));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    // Tab leaves the list for the next control; the arrows move in it.
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Fixed widths: sizing to contents would measure every row on each entry.
    const QFontMetrics fm(font());
    const int widths[] = {fm.horizontalAdvance(QStringLiteral("0000-00-00 00:00:00.000")) + 12,
                          fm.horizontalAdvance(str(12205)) + 16, fm.horizontalAdvance(MixerName(16)) + 16,
                          fm.horizontalAdvance(QStringLiteral("ThresholdAction__")) + 12,
                          // A seat's caption of two short lines and a mute's words.
                          fm.horizontalAdvance(QStringLiteral("委員長 議長席 ミュート OFF")) + 12,
                          fm.horizontalAdvance(str(12211)) + 16};
    for (int c = 0; c < int(std::size(widths)); ++c)
        m_table->setColumnWidth(c, widths[c]);
    m_table->verticalHeader()->setDefaultSectionSize(fm.height() + 6);

    auto *filters = new QHBoxLayout;
    filters->addWidget(mixerLabel);
    filters->addWidget(m_mixer);
    filters->addSpacing(12);
    filters->addWidget(kindLabel);
    filters->addWidget(m_kind);
    filters->addSpacing(12);
    filters->addWidget(m_count, 1);
    filters->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);

    connect(m_mixer, &QComboBox::currentIndexChanged, this, &FrmActivity::applyFilter);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &FrmActivity::applyFilter);
    connect(m_export, &QPushButton::clicked, this, &FrmActivity::exportCsv);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &FrmActivity::showCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &FrmActivity::showCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FrmActivity::showCount);
    showCount();
    resize(880, 420);
}

void FrmActivity::applyFilter()
{
    ActivityFilter f;
    f.mixer = m_mixer->currentData().toInt();
    const int kind = m_kind->currentData().toInt();
    if (kind >= 0)
        f.kind = ActivityKind(kind);
    m_model->setFilter(f);
}

void FrmActivity::showCount()
{
    m_count->setText(str(Text::Count).arg(m_model->rowCount()).arg(m_log.capacity()));
}

bool FrmActivity::exportCsv()
{
    const QString path = m_dialogs.saveFileName(str(Text::Title), QString(), str(Text::CsvFilter));
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    const QByteArray csv = ActivityLog::toCsv(m_log.entries(m_model->filter()));
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        m_dialogs.tell(str(Text::ExportFailed) + u'\n' + path, MsgIcon::Error);
        return false;
    }
    return true;
}
