#pragma once

// frmIconTable (ボタンテーブル): every button slot of the linked mixers in one
// grid, one row per slot under a header row, with the two lines of each
// button's caption. A caption line is typed in the edit box TxtEdit laid over
// the cell; typed lines show red until "更新" gives them to the buttons. The
// window's size, place, column widths and row heights are kept in the panel
// state as they change, so a save while it is open stores them.

#include "panel/buttontable.h"
#include "panel/twips.h"

#include <QMainWindow>
#include <QTableWidget>

class Dialogs;
class QLineEdit;

// IconTextTable: the grid. A key press or finished input-method text on a
// caption cell asks for the edit box.
class IconTextTable : public QTableWidget
{
    Q_OBJECT

public:
    using QTableWidget::QTableWidget;

signals:
    // `text` opens the box; `keepCell` opens it with the cell's own text.
    void editRequested(const QString &text, bool keepCell);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};

class FrmIconTable : public QMainWindow
{
    Q_OBJECT

public:
    FrmIconTable(PanelState &panel, int mixerCount, const TwipScale &scale, MeasureText measure,
                 Dialogs &dialogs, QWidget *parent = nullptr);

    // The buttons, the link count or the whole panel changed: the table is
    // filled again and takes the geometry of the panel state; lines typed and
    // not yet applied stay where their row is still there.
    void refresh(int mixerCount);
    // Closes without asking about lines not yet applied.
    void closeWithoutQuestion();

    IconTextTable *table() const { return m_table; }
    QLineEdit *TxtEdit() const { return m_edit; }
    QAction *mnuUpdate() const { return m_update; }
    const ButtonTable &rows() const { return m_rows; }

signals:
    // "更新" gave these buttons new captions (and perhaps a larger size).
    void captionsApplied(const std::vector<ButtonRef> &buttons);
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    void showCell(int row, int column);
    void applyGeometry();
    // The window stands where the stored geometry put it.
    void placed();
    void storeGeometry();
    void openEditor(const QString &text);
    // The edit box's text goes to the cell it stands over.
    void takeEdit();
    void hideEditor();
    void moveRow(int step);
    void applyTable();
    bool paintCorner(QWidget *corner);

    PanelState &m_panel;
    int m_mixerCount;
    TwipScale m_scale;
    MeasureText m_measure;
    Dialogs &m_dialogs;
    ButtonTable m_rows;

    IconTextTable *m_table = nullptr;
    QLineEdit *m_edit = nullptr;
    QAction *m_update = nullptr;
    QWidget *m_corner = nullptr;
    // The cell (grid row and column) the edit box stands over.
    int m_editRow = -1;
    int m_editColumn = -1;
    bool m_ready = false;
    bool m_forced = false;
    // Where applyGeometry() and the first layout put the window, and whether
    // the user has moved or resized it away from there since.
    QRect m_placed;
    bool m_shown = false;
    bool m_userMoved = false;
    bool m_userResized = false;
};
