#include "editor/ui/frmparameter.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
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
        auto *value = new QTableWidgetItem(grid.rows[size_t(r)].second);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grid->setItem(r, 1, value);
    }
    m_grid->setCurrentCell(-1, -1);
    // Room for both columns and, at opening, up to sixteen rows.
    const int frame = 2 * m_grid->frameWidth();
    const int rows = std::min<int>(VisibleRows, int(grid.rows.size()));
    const int scrollBar = int(grid.rows.size()) > rows ? m_grid->verticalScrollBar()->sizeHint().width() : 0;
    const int width = m_grid->columnWidth(0) + m_grid->columnWidth(1) + frame + scrollBar;
    const int height = m_grid->horizontalHeader()->sizeHint().height() + frame
                       + rows * m_grid->verticalHeader()->defaultSectionSize();
    resize(width, height);
}
