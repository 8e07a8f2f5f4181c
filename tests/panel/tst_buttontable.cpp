// The button table window offscreen: its rows, typing a caption line into
// the edit box (keys, input-method text, Enter, Esc, Up, Down), red changed
// cells, "更新", the question on closing and the geometry it keeps.

#include "panelrig.h"

#include "panel/ui/frmediticon.h"
#include "panel/ui/frmicontable.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace {

const ButtonRef Chair{0, 0}, Member{1, 0};

// The first character is pressed on the grid, which opens the box; the rest
// is typed into the box.
void typeInto(FrmIconTable *table, int r, int c, const QString &text)
{
    table->table()->setCurrentCell(r, c);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text.left(1));
    QApplication::sendEvent(table->table(), &press);
    table->TxtEdit()->insert(text.mid(1));
}

struct TableRig
{
    TableRig() : rig(2)
    {
        rig.preset({{Chair, 0, 0, "議長"}, {Member, 1600, 0, "委員"}, {MasterOut, 3200, 0, "マスター"}}, 2);
        w = rig.open();
        w->action(PanelCommand::Table)->trigger();
        table = w->buttonTable();
    }
    // Grid row of a button: row 0 of the grid is the first slot.
    static int row(ButtonRef b) { return b.mixer * Panel::SlotsPerMixer + b.slot; }
    QString cell(int r, int c) const { return table->table()->item(r, c)->text(); }
    bool red(int r, int c) const { return table->table()->item(r, c)->foreground().color() == QColor(Qt::red); }
    void type(int r, int c, const QString &text) { typeInto(table, r, c, text); }

    PanelRig rig;
    FrmMdi *w = nullptr;
    FrmIconTable *table = nullptr;
};

} // namespace

class TstButtonTable : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndTyping()
    {
        TableRig t;
        QVERIFY(t.table);
        QVERIFY(!t.w->action(PanelCommand::Table)->isEnabled());
        QCOMPARE(t.table->windowTitle(), QStringLiteral("ボタンテーブル"));
        // Two mixers: 18 slot rows under the header row.
        QCOMPARE(t.table->rows().rowCount(), 19);
        QCOMPARE(t.table->table()->rowCount(), 18);
        QCOMPARE(t.table->table()->verticalHeaderItem(8)->text(), QStringLiteral("マスター  出力設定"));
        QCOMPARE(t.table->table()->verticalHeaderItem(9)->text(), QStringLiteral("スレーブ1  ch 9"));
        QCOMPARE(t.table->table()->horizontalHeaderItem(1)->text(), QStringLiteral("2行目"));
        QCOMPARE(t.cell(0, 0), QStringLiteral("議長"));

        // Esc hides the box and keeps the cell's text.
        t.type(0, 0, "XY");
        QVERIFY(t.table->TxtEdit()->isVisible());
        QCOMPARE(t.table->TxtEdit()->text(), QStringLiteral("XY"));
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Escape);
        QVERIFY(!t.table->TxtEdit()->isVisible());
        QCOMPARE(t.cell(0, 0), QStringLiteral("議長"));

        // Enter, Backspace and space open the box on the cell's own text.
        QTest::keyClick(t.table->table(), Qt::Key_Return);
        QCOMPARE(t.table->TxtEdit()->text(), QStringLiteral("議長"));
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Escape);

        // Typing into the row of a free slot is not kept; Up leaves it.
        t.type(1, 0, "Z");
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Up);
        QCOMPARE(t.table->table()->currentRow(), 0);
        QCOMPARE(t.cell(1, 0), QString());
        QVERIFY(!t.table->mnuUpdate()->isEnabled());

        // "A" in line 1 and "B" in line 2 of slave 1's first button; Down
        // takes the text as the cell is left, Enter takes it at once.
        t.type(9, 0, "A");
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Down);
        QCOMPARE(t.table->table()->currentRow(), 10);
        QCOMPARE(t.cell(9, 0), QStringLiteral("A"));
        QVERIFY(t.red(9, 0));
        QVERIFY(t.table->mnuUpdate()->isEnabled());
        t.type(9, 1, "B");
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Enter);
        QCOMPARE(t.cell(9, 1), QStringLiteral("B"));

        // Text finished in an input method opens the box with it.
        t.table->table()->setCurrentCell(8, 1);
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("出口"));
        QApplication::sendEvent(t.table->table(), &composed);
        QCOMPARE(t.table->TxtEdit()->text(), QStringLiteral("出口"));
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Return);

        // A character the settings file cannot store is refused, and the box
        // stays on its cell with the text.
        t.type(0, 1, QStringLiteral("é"));
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Return);
        QVERIFY(t.rig.dialogs().texts().last().contains(u'é'));
        QVERIFY(t.table->TxtEdit()->isVisible());
        QCOMPARE(t.table->table()->currentRow(), 0);
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Escape);

        // 更新: captions and the button windows take the lines; cells turn plain.
        t.table->mnuUpdate()->trigger();
        QCOMPARE(t.rig.slot(Member).IconText, QStringLiteral("A\r\nB"));
        QCOMPARE(t.rig.slot(MasterOut).IconText, QStringLiteral("マスター\r\n出口"));
        QCOMPARE(t.rig.slot(Chair).IconText, QStringLiteral("議長"));
        QVERIFY(!t.red(9, 0) && !t.table->mnuUpdate()->isEnabled());
        // A caption that needs more room enlarges its button.
        const double before = t.rig.slot(Chair).IconWidth;
        t.type(0, 0, QStringLiteral("第一会議室の議長席"));
        t.table->mnuUpdate()->trigger();
        QVERIFY(t.rig.slot(Chair).IconWidth > before);
        QCOMPARE(t.w->designButton(Chair)->width(), t.w->scale().toPixels(t.rig.slot(Chair).IconWidth));
    }

    void closingAsksAndKeepsTheGeometry()
    {
        TableRig t;
        t.table->resize(500, 400);
        t.table->table()->setColumnWidth(0, 100);
        t.table->table()->setRowHeight(3, 30);
        t.type(0, 0, "A");
        QTest::keyClick(t.table->TxtEdit(), Qt::Key_Return);

        // Unapplied lines: Cancel keeps the window and the lines.
        t.rig.dialogs().answers = {MsgAnswer::Cancel};
        t.table->close();
        QCOMPARE(t.rig.dialogs().texts().last(), QStringLiteral("更新が行われていません。ウィンドウを閉じますか？"));
        QCOMPARE(t.rig.dialogs().shown.back().icon, MsgIcon::Question);
        QVERIFY(t.w->buttonTable());
        QCOMPARE(t.cell(0, 0), QStringLiteral("A"));
        // Quitting does nothing while the table is open.
        t.w->action(PanelCommand::Quit)->trigger();
        QVERIFY(t.rig.window);

        t.rig.dialogs().answers = {MsgAnswer::Ok};
        t.table->close();
        QTRY_VERIFY(!t.w->buttonTable());
        QVERIFY(t.w->action(PanelCommand::Table)->isEnabled());
        QCOMPARE(t.rig.slot(Chair).IconText, QStringLiteral("議長"));
        // 72 dots per inch: 20 twips a pixel.
        const TableGeometry &g = t.rig.panel.table;
        QCOMPARE(QSize(g.TableWidth, g.TableHeight), QSize(10000, 8000));
        QCOMPARE(g.cellWidths[1], 2000);
        QCOMPARE(g.rowHeights[4], 600);
        QCOMPARE(g.rowHeights[5], Panel::DefaultRowHeight);   // untouched rows keep their twips

        // Opened again, it comes back as it was left.
        t.w->action(PanelCommand::Table)->trigger();
        QCOMPARE(t.w->buttonTable()->size(), QSize(500, 400));
        QCOMPARE(t.w->buttonTable()->table()->rowHeight(3), 30);
    }
};

// The pictures of these windows in docs/screenshots, taken by
// scripts/screenshots.sh; no test.
class TstButtonTablePictures : public QObject
{
    Q_OBJECT

private slots:
    void screenshots()
    {
        PanelRig rig(2);
        rig.preset({{{0, 0}, 600, 600, "議長"},
                    {{0, 1}, 2400, 600, "副議長"},
                    {{0, 2}, 4200, 600, "書記\r\n(記録)"},
                    {{0, 8}, 8400, 600, "マスター", 1500, 1500},
                    {{1, 0}, 600, 2400, "委員 1"},
                    {{1, 1}, 2400, 2400, "委員 2"}},
                   2);
        FrmMdi *w = rig.open(96);
        w->action(PanelCommand::Table)->trigger();
        FrmIconTable *table = w->buttonTable();
        table->resize(420, 460);
        typeInto(table, 1, 1, QStringLiteral("(進行)"));
        QTest::keyClick(table->TxtEdit(), Qt::Key_Return);
        typeInto(table, 10, 1, QStringLiteral("(後方"));
        saveScreenshot(*table, "frmIconTable");
    }
};

ZK_TEST_MAIN(TstButtonTable)
ZK_PICTURES(TstButtonTablePictures)
#include "tst_buttontable.moc"
