#include "panel/ui/frmicontable.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/ui/buttonface.h"
#include "panel/ui/dialoglook.h"
#include "settings/cp932text.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionHeader>

namespace {

namespace Res {
constexpr int WindowText = 524;      // "&H80000008"
constexpr int Title = 10528;         // "ボタンテーブル"
constexpr int Update = 10529;        // "更新(&U)"
constexpr int CloseQuestion = 10532; // "更新が行われていません。ウィンドウを閉じますか？"
} // namespace Res

const QColor ChangedText(0xFF, 0, 0);   // "&HFF"

// Characters that open the edit box with the cell's own text: the control
// characters and space (Enter, Backspace ...), as a key press delivers them.
bool keepsCellText(const QKeyEvent &e)
{
    if (e.key() == Qt::Key_F2)
        return true;
    const QString t = e.text();
    if (t.isEmpty() || e.key() == Qt::Key_Escape || e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab)
        return false;
    return t.at(0).unicode() <= 32;
}

} // namespace

void IconTextTable::keyPressEvent(QKeyEvent *event)
{
    const bool captionCell = currentColumn() >= 0 && currentRow() >= 0;
    if (captionCell && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (keepsCellText(*event)) {
            emit editRequested(QString(), true);
            return;
        }
        const QString t = event->text();
        if (!t.isEmpty() && t.at(0).isPrint()) {
            emit editRequested(t, false);
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void IconTextTable::inputMethodEvent(QInputMethodEvent *event)
{
    // Text composed with an input method arrives here once it is finished.
    if (!event->commitString().isEmpty() && currentRow() >= 0 && currentColumn() >= 0) {
        emit editRequested(event->commitString(), false);
        event->accept();
        return;
    }
    QTableWidget::inputMethodEvent(event);
}

FrmIconTable::FrmIconTable(PanelState &panel, int mixerCount, const TwipScale &scale, MeasureText measure,
                           Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), m_panel(panel), m_mixerCount(mixerCount), m_scale(scale),
      m_measure(std::move(measure)), m_dialogs(dialogs), m_rows(panel)
{
    setObjectName(QStringLiteral("frmIconTable"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(str(Res::Title));
    applyDialogLook(*this);

    m_update = menuBar()->addAction(str(Res::Update));
    m_update->setObjectName(QStringLiteral("mnuUpdate"));
    m_update->setEnabled(false);
    connect(m_update, &QAction::triggered, this, [this] { applyTable(); });

    m_table = new IconTextTable(this);
    m_table->setObjectName(QStringLiteral("IconTextTable"));
    m_table->setColumnCount(ButtonTable::Columns - 1);
    m_table->setHorizontalHeaderLabels({ButtonTable::headerText(1), ButtonTable::headerText(2)});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAttribute(Qt::WA_InputMethodEnabled);
    m_table->verticalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->horizontalHeader()->setMinimumSectionSize(1);
    setCentralWidget(m_table);
    // Row 0's first cell, "ミキサー番号 チャンネル", is the grid's corner.
    m_corner = m_table->findChild<QAbstractButton *>();
    if (m_corner)
        m_corner->installEventFilter(this);

    m_edit = new QLineEdit(m_table->viewport());
    m_edit->setObjectName(QStringLiteral("TxtEdit"));
    m_edit->hide();
    m_edit->installEventFilter(this);

    connect(m_table, &IconTextTable::editRequested, this, [this](const QString &text, bool keepCell) {
        const QTableWidgetItem *item = m_table->currentItem();
        openEditor(keepCell ? (item ? item->text() : QString()) : text);
    });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        m_table->setCurrentCell(row, column);
        openEditor(m_table->item(row, column) ? m_table->item(row, column)->text() : QString());
    });
    connect(m_table, &QTableWidget::currentCellChanged, this, [this] {
        if (m_edit->isVisible())
            takeEdit();
    });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { storeGeometry(); });
    connect(m_table->verticalHeader(), &QHeaderView::sectionResized, this, [this] { storeGeometry(); });

    m_rows.rebuild(mixerCount);
    fill();
    applyGeometry();
    m_ready = true;
}

void FrmIconTable::fill()
{
    const int rows = m_rows.rowCount() - 1;
    m_table->setRowCount(rows);
    QStringList labels;
    for (int r = 1; r <= rows; ++r)
        labels << ButtonTable::rowLabel(r);
    m_table->setVerticalHeaderLabels(labels);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c < ButtonTable::Columns; ++c)
            showCell(r, c);
    m_update->setEnabled(m_rows.hasChanges());
}

void FrmIconTable::showCell(int row, int column)
{
    QTableWidgetItem *item = m_table->item(row - 1, column - 1);
    if (!item) {
        item = new QTableWidgetItem;
        m_table->setItem(row - 1, column - 1, item);
    }
    item->setText(m_rows.text(row, column));
    item->setForeground(m_rows.changed(row, column) ? ChangedText
                                                    : tableColor(Res::WindowText, palette().color(QPalette::Text)));
    // A slot without a button takes no caption: its cells show so.
    item->setBackground(m_rows.hasButton(row) ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
}

void FrmIconTable::applyGeometry()
{
    const TableGeometry &t = m_panel.table;
    auto px = [this](qint32 twips) { return std::max(1, m_scale.toPixels(twips)); };
    m_table->verticalHeader()->setFixedWidth(px(t.cellWidths[0]));
    m_table->setColumnWidth(0, px(t.cellWidths[1]));
    m_table->setColumnWidth(1, px(t.cellWidths[2]));
    m_table->horizontalHeader()->setFixedHeight(px(t.rowHeights[0]));
    for (int r = 1; r < m_rows.rowCount(); ++r)
        m_table->setRowHeight(r - 1, px(t.rowHeights[size_t(r)]));
    QSize size(px(t.TableWidth), px(t.TableHeight));
    QPoint at(m_scale.toPixels(t.TableLeft), m_scale.toPixels(t.TableTop));
    // A size or place stored on a larger or another screen is brought back
    // onto this one; the panel state keeps what was stored.
    if (const QScreen *s = screen()) {
        const QRect avail = s->availableGeometry();
        size = size.boundedTo(avail.size());
        at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - size.width() + 1)));
        at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - size.height() + 1)));
    }
    resize(size);
    move(at);
    placed();
}

void FrmIconTable::placed()
{
    // Where the window stands now is where the stored geometry put it: only
    // a move or resize away from here is the user's.
    m_placed = QRect(pos(), this->size());
    m_userMoved = false;
    m_userResized = false;
}

void FrmIconTable::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Showing lays the window out, which may give it the size its contents
    // need; that is not the user's doing either.
    if (!m_userMoved && !m_userResized)
        placed();
    m_shown = true;
}

void FrmIconTable::storeGeometry()
{
    if (!m_ready)
        return;
    TableGeometry &t = m_panel.table;
    // A value is taken back only where the window differs from it, so pixel
    // rounding never creeps into the stored twips.
    auto keep = [this](qint32 &twips, int pixels) {
        if (m_scale.toPixels(twips) != pixels)
            twips = m_scale.toTwips(pixels);
    };
    keep(t.cellWidths[0], m_table->verticalHeader()->width());
    keep(t.cellWidths[1], m_table->columnWidth(0));
    keep(t.cellWidths[2], m_table->columnWidth(1));
    keep(t.rowHeights[0], m_table->horizontalHeader()->height());
    for (int r = 1; r < m_rows.rowCount(); ++r)
        keep(t.rowHeights[size_t(r)], m_table->rowHeight(r - 1));
    // The window's own size and place (and the grid's, which fills it) are
    // taken once the user moved or resized it; the window system placing or
    // fitting it, or bringing it onto the screen, changes nothing stored.
    if (!m_shown)
        return;
    m_userResized = m_userResized || size() != m_placed.size();
    m_userMoved = m_userMoved || pos() != m_placed.topLeft();
    if (m_userResized) {
        keep(t.CellAllWidth, m_table->width());
        keep(t.CellAllHeight, m_table->height());
        keep(t.TableWidth, width());
        keep(t.TableHeight, height());
    }
    if (m_userMoved) {
        keep(t.TableLeft, x());
        keep(t.TableTop, y());
    }
}

void FrmIconTable::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    storeGeometry();
}

void FrmIconTable::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    storeGeometry();
}

void FrmIconTable::openEditor(const QString &text)
{
    const int row = m_table->currentRow();
    const int column = m_table->currentColumn();
    if (row < 0 || column < 0)
        return;
    QTableWidgetItem *item = m_table->item(row, column);
    m_table->scrollToItem(item);
    m_editRow = row;
    m_editColumn = column;
    const QRect cell = m_table->visualItemRect(item);
    m_edit->setGeometry(cell.adjusted(0, 0, -1, -1));
    m_edit->setText(text);
    m_edit->setCursorPosition(int(text.size()));
    m_edit->show();
    m_edit->setFocus();
    // What is being typed can be applied straight away.
    m_update->setEnabled(true);
}

void FrmIconTable::hideEditor()
{
    m_edit->hide();
    m_table->setFocus();
    m_update->setEnabled(m_rows.hasChanges());
}

void FrmIconTable::takeEdit()
{
    const int row = m_editRow;
    const int column = m_editColumn;
    const QString text = m_edit->text();
    hideEditor();
    if (row < 0 || column < 0)
        return;
    const ButtonTable::Take taken = m_rows.take(row + 1, column + 1, text);
    if (taken == ButtonTable::Take::Unstorable) {
        // Refused: back to the cell with the text, for mending (unless the
        // table went while the message was up).
        const QPointer<FrmIconTable> self(this);
        m_dialogs.tell(unstorableCharactersMessage(unstorableCharacters(captionLineText(text))),
                       MsgIcon::Warning);
        if (!self)
            return;
        m_table->setCurrentCell(row, column);
        openEditor(text);
        return;
    }
    showCell(row + 1, column + 1);
    m_update->setEnabled(m_rows.hasChanges());
}

void FrmIconTable::moveRow(int step)
{
    const int row = m_table->currentRow() + step;
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->setCurrentCell(row, m_table->currentColumn());
}

bool FrmIconTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_corner && event->type() == QEvent::Paint)
        return paintCorner(m_corner);
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: takeEdit(); return true;
        case Qt::Key_Escape: hideEditor(); return true;
        case Qt::Key_Up: moveRow(-1); return true;
        case Qt::Key_Down: moveRow(1); return true;
        default: break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool FrmIconTable::paintCorner(QWidget *corner)
{
    QStyleOptionHeader opt;
    opt.initFrom(corner);
    opt.rect = corner->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.text = ButtonTable::headerText(0);
    opt.textAlignment = Qt::AlignCenter;
    QPainter p(corner);
    corner->style()->drawControl(QStyle::CE_Header, &opt, &p, corner);
    return true;
}

void FrmIconTable::applyTable()
{
    // A line still in the edit box counts as typed.
    if (m_edit->isVisible())
        takeEdit();
    if (m_edit->isVisible())
        return;   // refused; the box is open again for mending
    const std::vector<ButtonRef> changed = m_rows.apply(m_measure);
    fill();
    m_update->setEnabled(false);
    if (!changed.empty())
        emit captionsApplied(changed);
}

void FrmIconTable::refresh(int mixerCount)
{
    if (m_edit->isVisible())
        takeEdit();
    m_mixerCount = mixerCount;
    m_rows.rebuild(mixerCount);
    // The geometry is kept in the panel state as it changes; a loaded file
    // or cleared settings bring their own.
    const bool ready = std::exchange(m_ready, false);
    fill();
    applyGeometry();
    m_ready = ready;
}

void FrmIconTable::closeWithoutQuestion()
{
    m_forced = true;
    close();
}

void FrmIconTable::closeEvent(QCloseEvent *event)
{
    if (!m_forced) {
        if (m_edit->isVisible())
            takeEdit();
        if (m_edit->isVisible() || (m_rows.hasChanges()
            && m_dialogs.message(str(Res::CloseQuestion), MsgButtons::OkCancel, MsgIcon::Question,
                                 str(StrId::AppTitle)) != MsgAnswer::Ok)) {
            event->ignore();
            return;
        }
    }
    storeGeometry();
    m_ready = false;
    event->accept();
    emit closed();
}
