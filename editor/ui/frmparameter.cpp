#include "editor/ui/frmparameter.h"

#include "base/strings.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr int WaitingText = 12250; // "送信待ち"
constexpr int FailedText = 12212;  // "失敗"
constexpr int ColumnTwips = 2000;
constexpr int VisibleRows = 16; // a master's channels and a slave's at opening
} // namespace

FrmParameter::FrmParameter(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FrmParameter"));
    setWindowIcon(qApp->windowIcon());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("GridParam"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);
    const int column = int(std::lround(ColumnTwips * logicalDpiX() / 1440.0));
    for (int c = 0; c < 2; ++c)
        m_grid->setColumnWidth(c, column);
    layout->addWidget(m_grid);
}

void FrmParameter::setGrid(const ParameterGrid &grid)
{
    if (windowIcon().cacheKey() != qApp->windowIcon().cacheKey())
        setWindowIcon(qApp->windowIcon());
    setWindowTitle(grid.title);
    m_grid->clearContents();
    m_grid->setHorizontalHeaderLabels({grid.mixerHeader, grid.title});
    m_grid->setRowCount(int(grid.rows.size()));
    for (int r = 0; r < int(grid.rows.size()); ++r) {
        m_grid->setItem(r, 0, new QTableWidgetItem(grid.rows[size_t(r)].first));
        // A value written there that waits or failed is marked by a sign as
        // well as a colour, and says so to the pointer and to assistive tools.
        const ValueState state = size_t(r) < grid.states.size() ? grid.states[size_t(r)] : ValueState::Settled;
        QString text = grid.rows[size_t(r)].second;
        QString note;
        if (state == ValueState::Waiting) {
            text += QStringLiteral(" …");
            note = str(WaitingText);
        } else if (state == ValueState::Failed) {
            text += QStringLiteral(" ×");
            note = str(FailedText);
        }
        auto *value = new QTableWidgetItem(text);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!note.isEmpty()) {
            value->setToolTip(note);
            value->setData(Qt::AccessibleDescriptionRole, note);
            value->setForeground(state == ValueState::Failed ? QColor(0xB0, 0x00, 0x20) : QColor(0x9A, 0x60, 0x00));
        }
        m_grid->setItem(r, 1, value);
    }
    m_grid->setCurrentCell(-1, -1);
    // A refresh of the same grid keeps the size the user may have given it.
    if (grid.title == m_shownTitle && int(grid.rows.size()) == m_shownRows)
        return;
    m_shownTitle = grid.title;
    m_shownRows = int(grid.rows.size());
    // Room for both columns and, at opening, up to sixteen rows.
    const int frame = 2 * m_grid->frameWidth();
    const int rows = std::min<int>(VisibleRows, int(grid.rows.size()));
    const int scrollBar = int(grid.rows.size()) > rows ? m_grid->verticalScrollBar()->sizeHint().width() : 0;
    const int width = m_grid->columnWidth(0) + m_grid->columnWidth(1) + frame + scrollBar;
    const int height = m_grid->horizontalHeader()->sizeHint().height() + frame
                       + rows * m_grid->verticalHeader()->defaultSectionSize();
    resize(width, height);
}

void FrmParameter::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
