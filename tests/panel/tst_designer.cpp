// The designer in the panel window, offscreen: undo and redo by keys with
// the step named in the menu, the history kept through a test run, the
// unsaved-changes question following the history's saved state, the armed
// drawing tools put down before a step, the rubber band and arrow keys on
// the whole selection, copy and paste onto free channels (captions naming
// the channel, one message when none is free), snapping of drags with Alt or
// Shift to bypass it and clicks that move nothing, the property dialog's
// commands as one step each, the design buttons by keyboard and menu,
// alignment as one step, a seating list imported, exported and pasted as
// one step (a refused one changing nothing), and no message box outliving
// its dialog.

#include "panelrig.h"

#include "base/strings.h"
#include "base/ui/widgetdialogs.h"
#include "panel/seatlist.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/panelsurface.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMenuBar>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

const QPoint Inside(30, 25);

// Drags a design button by `by` pixels, as the move timer would follow it.
void dragButton(FrmMdi *w, FrmEditIcon *b, QPoint by, Qt::KeyboardModifiers modifiers = {})
{
    const QPoint grab = b->mapToGlobal(Inside);
    mouse(b, QEvent::MouseButtonPress, Inside, Qt::LeftButton, modifiers);
    mouse(b, QEvent::MouseMove, b->mapFromGlobal(grab + by), Qt::NoButton, modifiers);
    w->moveTick();
    mouse(b, QEvent::MouseButtonRelease, b->mapFromGlobal(grab + by), Qt::LeftButton, modifiers);
}

void key(FrmMdi *w, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::keyClick(w, k, modifiers);
    QApplication::processEvents();
}

FrmMdi *openActive(PanelRig &rig, Dialogs *dialogs = nullptr)
{
    FrmMdi *w = rig.open(72, dialogs);
    w->activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(w);
    return w;
}

// A figure of `kind` drawn by pointer on the surface.
void drawFigure(FrmMdi *w, PanelCommand kind, QPoint from, QPoint to)
{
    w->action(kind)->trigger();
    mouse(w->surface(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(w->surface(), QEvent::MouseMove, to, Qt::LeftButton);
    mouse(w->surface(), QEvent::MouseButtonRelease, to, Qt::LeftButton);
}

void band(FrmMdi *w, QPoint from, QPoint to)
{
    mouse(w->surface(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(w->surface(), QEvent::MouseMove, to, Qt::LeftButton);
    mouse(w->surface(), QEvent::MouseButtonRelease, to, Qt::LeftButton);
}

// Real message boxes for the one text `real`, scripted answers for the rest.
class OneRealBox final : public Dialogs
{
public:
    explicit OneRealBox(ScriptedDialogs &scripted, QString real) : m_scripted(scripted), m_real(std::move(real)) {}
    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override
    {
        return text == m_real ? m_box.message(text, buttons, icon, title)
                              : m_scripted.message(text, buttons, icon, title);
    }
    QString openFileName(const QString &t, const QString &p, const QString &f) override
    {
        return m_scripted.openFileName(t, p, f);
    }
    QString saveFileName(const QString &t, const QString &p, const QString &f) override
    {
        return m_scripted.saveFileName(t, p, f);
    }
    std::optional<QColor> color(const QColor &initial) override { return m_scripted.color(initial); }
    std::optional<QFont> font(const QFont &initial) override { return m_scripted.font(initial); }

private:
    ScriptedDialogs &m_scripted;
    WidgetDialogs m_box;
    QString m_real;
};

QMessageBox *shownBox()
{
    for (QWidget *w : QApplication::allWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            return box;
    return nullptr;
}

} // namespace

class TstDesigner : public QObject
{
    Q_OBJECT

private slots:
    void undoRedoByKeysNamesTheStep()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 4000, 400, "B"}}, 1);
        FrmMdi *w = openActive(rig);
        QAction *undo = w->action(EditCommand::Undo);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻す"));

        dragButton(w, w->designButton(Ch1), QPoint(33, 17));
        QCOMPARE(rig.slot(Ch1).IconLeft, 400 + 660);
        QCOMPARE(undo->text(), QStringLiteral("元に戻す: ボタンの移動"));
        QVERIFY(undo->isEnabled());

        key(w, Qt::Key_Z);
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(400, 400));
        QCOMPARE(w->designButton(Ch1)->pos(), QPoint(20, 20));
        QCOMPARE(w->action(EditCommand::Redo)->text(), QStringLiteral("やり直し: ボタンの移動"));
        key(w, Qt::Key_Y);
        QCOMPARE(rig.slot(Ch1).IconLeft, 1060);
        key(w, Qt::Key_Z);
        key(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(rig.slot(Ch1).IconLeft, 1060);
        QCOMPARE(w->designButton(Ch1)->pos(), QPoint(53, 37));

        // A deleted button comes back with its window and every value.
        const ButtonSlot kept = rig.slot(Ch2);
        mouse(w->designButton(Ch2), QEvent::MouseButtonDblClick, Inside, Qt::LeftButton);
        QVERIFY(w->propertyDialog());
        w->propertyDialog()->findChild<QPushButton *>(QStringLiteral("cmdUnload"))->click();
        QVERIFY(!w->designButton(Ch2));
        QCOMPARE(undo->text(), QStringLiteral("元に戻す: ボタンの削除"));
        w->action(EditCommand::Undo)->trigger();
        QVERIFY(w->designButton(Ch2));
        QCOMPARE(rig.slot(Ch2).IconText, kept.IconText);
        QCOMPARE(rig.slot(Ch2).IconWidth, kept.IconWidth);
        QCOMPARE(rig.panel.IconNum, qint16(2));

        // A test run keeps the history, and its switches are no step: undo
        // after 停止 takes the button back out and leaves the other's switch.
        w->action(PanelCommand::Execution)->trigger();
        QVERIFY(!undo->isEnabled());
        QVERIFY(w->pressExecutionButton(Ch1));
        w->action(PanelCommand::Stop)->trigger();
        QCOMPARE(w->action(EditCommand::Redo)->text(), QStringLiteral("やり直し: ボタンの削除"));
        QVERIFY(!w->history().atSavedState());
        w->action(EditCommand::Redo)->trigger();
        QVERIFY(!w->designButton(Ch2));
        QVERIFY(rig.slot(Ch1).IconOnOff);
        w->action(EditCommand::Undo)->trigger();
        w->action(EditCommand::Undo)->trigger();
        QCOMPARE(rig.slot(Ch1).IconLeft, 400);
        QVERIFY(rig.slot(Ch1).IconOnOff);
    }

    void seatingListIsOneStepAndRefusedWhole()
    {
        PanelRig rig(2);
        rig.preset({{Ch1, 400, 400, "A"}}, 2);
        FrmMdi *w = openActive(rig);
        QTemporaryDir dir;
        auto file = [&dir](const char *name, const QByteArray &bytes) {
            QFile f(dir.filePath(QLatin1String(name)));
            [[maybe_unused]] const bool ok = f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
            return f.fileName();
        };
        // A CP932 file as a spreadsheet saves it: Ch1 updated as the chair's
        // seat, mixer 2's channel 3 placed.
        QStringEncoder cp932("CP932");
        const QByteArray list = cp932.encode(QStringLiteral(
            "表示名,ミキサー,チャンネル,役割,左,上,幅,高さ\r\n議長,1,1,chair,600,300,1500,900\r\n"
            "委員 1,2,3,delegate,3000,300,1200,900\r\n"));
        const ButtonRef member{1, 2};
        rig.dialogs().fileNames = {file("in.csv", list)};
        key(w, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w->designButton(member));
        QCOMPARE(rig.slot(member).IconText, QStringLiteral("委員 1"));
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(600, 300));
        QCOMPARE(rig.slot(Ch1).IconText, QStringLiteral("議長"));
        QVERIFY(rig.panel.meeting.isChair(0, 0));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: 座席表"));
        if (!qEnvironmentVariableIsEmpty("ZK_SEATS_PNG"))
            w->grab().save(qEnvironmentVariable("ZK_SEATS_PNG"));

        // One step back and forth: seats, captions and the chair together.
        key(w, Qt::Key_Z);
        QVERIFY(!w->designButton(member));
        QCOMPARE(rig.slot(Ch1).IconText, QStringLiteral("A"));
        QCOMPARE(rig.slot(Ch1).IconLeft, 400);
        QVERIFY(!rig.panel.meeting.isChair(0, 0));
        key(w, Qt::Key_Y);
        QVERIFY(w->designButton(member));
        QVERIFY(rig.panel.meeting.isChair(0, 0));

        // A channel named twice refuses the whole list, with row and reason.
        const DesignSnapshot before = DesignSnapshot::capture(rig.panel);
        rig.dialogs().shown.clear();
        rig.dialogs().fileNames = {file("bad.csv", "caption,mixer,channel,role,left,top,width,height\n"
                                                   "x,1,5,,0,0,900,900\ny,1,5,,0,0,900,900\n")};
        w->findChild<QAction *>(QStringLiteral("mnuSeatImport"))->trigger();
        QCOMPARE(rig.dialogs().shown.size(), size_t(1));
        QVERIFY(rig.dialogs().shown[0].text.contains(QStringLiteral("3 行目: ミキサー 1 のチャンネル 5 は 2 行目")));
        QVERIFY(DesignSnapshot::capture(rig.panel).sameDesign(before));
        QVERIFY(!w->designButton({0, 4}));

        // The export reads back as the two seats; a pasted table adds one.
        rig.dialogs().fileNames = {dir.filePath(QStringLiteral("out.csv"))};
        w->findChild<QAction *>(QStringLiteral("mnuSeatExport"))->trigger();
        QFile out(dir.filePath(QStringLiteral("out.csv")));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const SeatTable back = readSeatTable(seatListText(out.readAll()), 2);
        QVERIFY(back.ok());
        QCOMPARE(back.seats.size(), size_t(2));
        QCOMPARE(back.seats[1].caption, QStringLiteral("委員 1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("名前\tm\tch\t役\tl\tt\tw\th\nP\t2\t4\t\t0\t0\t900\t900\n"));
        key(w, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w->designButton({1, 3}));
        QCOMPARE(rig.panel.IconNum, qint16(3));
    }

    void quitAsksOnlyAwayFromTheSavedState()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}}, 1);
        FrmMdi *w = openActive(rig);
        const QString changed = str(2703) + QStringLiteral("\r\n") + str(2732);
        auto quitAsks = [&] {
            rig.dialogs().shown.clear();
            rig.dialogs().answers = {MsgAnswer::No, MsgAnswer::Cancel};
            w->action(PanelCommand::Quit)->trigger();
            return rig.dialogs().texts().contains(changed);
        };
        // Arrow presses with long pauses between them are still one step.
        FrmEditIcon *a = w->designButton(Ch1);
        a->setFocus();
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(a, Qt::Key_Right);
            QTest::qWait(20);
        }
        QCOMPARE(rig.slot(Ch1).IconLeft, 700);
        QCOMPARE(w->history().stack().count(), 1);
        QVERIFY(quitAsks());
        w->action(EditCommand::Undo)->trigger();
        QCOMPARE(rig.slot(Ch1).IconLeft, 400);
        QVERIFY(!quitAsks());

        // Saved after a change: undoing leaves the saved state, redo returns.
        QTemporaryDir dir;
        const QString path = dir.filePath("hall.ini");
        w->action(EditCommand::Redo)->trigger();
        rig.dialogs().fileNames = {path};
        w->action(PanelCommand::NewSave)->trigger();
        QCOMPARE(fileValue(path, "GUI_Master", "IconLeft_1"), QStringLiteral("700"));
        QVERIFY(!quitAsks());
        w->action(EditCommand::Undo)->trigger();
        QVERIFY(quitAsks());
        w->action(EditCommand::Redo)->trigger();
        QVERIFY(!quitAsks());

        // After a clear the history starts afresh: a colour chosen then asks.
        rig.dialogs().answers = {MsgAnswer::No};
        w->action(PanelCommand::Init)->trigger();
        QVERIFY(!quitAsks());
        rig.dialogs().colors = {QColor(Qt::red)};
        w->action(PanelCommand::Color)->trigger();
        QVERIFY(quitAsks());
    }

    void bandSelectsAndArrowsMoveTheSelection()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 2400, 400, "B"}, {Ch3, 400, 3000, "C"}}, 1);
        FrmMdi *w = openActive(rig);
        PanelSurface *s = w->surface();
        // At 20 twips a pixel A and B lie within (10, 10)..(200, 80), C below.
        mouse(s, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
        mouse(s, QEvent::MouseMove, QPoint(200, 80), Qt::LeftButton);
        mouse(s, QEvent::MouseButtonRelease, QPoint(200, 80), Qt::LeftButton);
        QVERIFY(rig.slot(Ch1).selected && rig.slot(Ch2).selected && !rig.slot(Ch3).selected);
        // Shift adds C.
        mouse(s, QEvent::MouseButtonPress, QPoint(10, 140), Qt::LeftButton, Qt::ShiftModifier);
        mouse(s, QEvent::MouseMove, QPoint(110, 210), Qt::LeftButton, Qt::ShiftModifier);
        mouse(s, QEvent::MouseButtonRelease, QPoint(110, 210), Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(rig.slot(Ch1).selected && rig.slot(Ch2).selected && rig.slot(Ch3).selected);

        // Arrows move all three; Shift moves one grid interval.
        s->setFocus();
        QTest::keyClick(s, Qt::Key_Down);
        QTest::keyClick(s, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(QPoint(rig.slot(Ch2).IconLeft, rig.slot(Ch2).IconTop), QPoint(3400, 500));
        QCOMPARE(QPoint(rig.slot(Ch3).IconLeft, rig.slot(Ch3).IconTop), QPoint(1400, 3100));
        QTest::keyClick(s, Qt::Key_Escape);
        QVERIFY(!rig.slot(Ch1).selected && !rig.slot(Ch3).selected);
        key(w, Qt::Key_A);
        QVERIFY(rig.slot(Ch1).selected && rig.slot(Ch2).selected && rig.slot(Ch3).selected);
    }

    void pasteTakesFreeChannelsAndSaysOnceWhenNoneIs()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "議長"}, {Ch2, 2400, 400, "B"}, {Ch3, 4400, 400, "C"}}, 1);
        FrmMdi *w = openActive(rig);
        rig.slot(Ch1).IconColorDef = 0x3366FF;
        click(w->designButton(Ch1), Inside);
        key(w, Qt::Key_C);
        key(w, Qt::Key_V);
        QVERIFY(w->designButton(Ch4));
        // The copy says so and names the channel it switches.
        QCOMPARE(rig.slot(Ch4).IconText, QStringLiteral("議長 (ch 4)"));
        QCOMPARE(rig.slot(Ch4).IconColorDef, 0x3366FF);
        // One grid step (1000 twips) from where it was copied.
        QCOMPARE(QPoint(rig.slot(Ch4).IconLeft, rig.slot(Ch4).IconTop), QPoint(1400, 1400));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: 貼り付け"));

        // Four more fill the mixer; the next two are refused with one message.
        key(w, Qt::Key_D);
        QCOMPARE(rig.slot({0, 4}).IconText, QStringLiteral("議長 (ch 5)"));
        key(w, Qt::Key_D);
        key(w, Qt::Key_D);
        key(w, Qt::Key_D);
        QCOMPARE(rig.panel.IconNum, qint16(8));
        click(w->designButton(Ch2), Inside, Qt::LeftButton, Qt::ControlModifier);
        rig.dialogs().shown.clear();
        key(w, Qt::Key_D);
        QCOMPARE(rig.dialogs().shown.size(), size_t(1));
        QVERIFY(rig.dialogs().shown[0].text.contains(QStringLiteral("2")));
        QCOMPARE(rig.panel.IconNum, qint16(8));

        // Cut and paste put a button back on its own channel.
        w->action(EditCommand::Deselect)->trigger();
        click(w->designButton(Ch2), Inside);
        key(w, Qt::Key_X);
        QVERIFY(!w->designButton(Ch2));
        key(w, Qt::Key_V);
        QVERIFY(w->designButton(Ch2));
        QCOMPARE(rig.slot(Ch2).IconText, QStringLiteral("B"));
    }

    void dragsSnapToTheShownGridUnlessAltOrShiftIsHeld()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 4000, 400, "B"}}, 1);
        FrmMdi *w = openActive(rig);
        w->action(EditCommand::Snap)->setChecked(true);
        // The grid is hidden: nothing snaps.
        dragButton(w, w->designButton(Ch1), QPoint(10, 0));
        QCOMPARE(rig.slot(Ch1).IconLeft, 600);
        w->action(PanelCommand::Grid)->trigger();
        // A click without a drag moves nothing, not even onto the grid.
        const int steps = w->history().stack().count();
        click(w->designButton(Ch1), Inside);
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(600, 400));
        QCOMPARE(w->history().stack().count(), steps);
        dragButton(w, w->designButton(Ch1), QPoint(10, 3));
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1000, 0));
        dragButton(w, w->designButton(Ch1), QPoint(10, 3), Qt::AltModifier);
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1200, 60));
        // Shift too, where the desktop takes Alt+drag for itself.
        dragButton(w, w->designButton(Ch1), QPoint(10, 3), Qt::ShiftModifier);
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1400, 120));
        // The toolbar's toggle is the menu's check.
        auto *toggle = w->alignToolbar()->findChild<QToolButton *>(QStringLiteral("tolSnap"));
        QVERIFY(toggle && toggle->isChecked());
        toggle->click();
        QVERIFY(!w->action(EditCommand::Snap)->isChecked());
        dragButton(w, w->designButton(Ch1), QPoint(10, 3));
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1600, 180));

        // A figure drawn freely, then clicked with snapping on, stays put.
        PanelSurface *s = w->surface();
        drawFigure(w, PanelCommand::Rect, QPoint(133, 127), QPoint(160, 150));
        const Figure &free = rig.panel.list(FigureKind::Rect)[0];
        QCOMPARE(QPoint(free.StartX, free.StartY), QPoint(2660, 2540));
        toggle->click();
        click(s, QPoint(140, 140));
        QCOMPARE(QPoint(free.StartX, free.StartY), QPoint(2660, 2540));

        // A figure drawn over the shown grid has its corners on grid points.
        drawFigure(w, PanelCommand::Rect, QPoint(33, 27), QPoint(118, 112));
        QCOMPARE(rig.panel.count(FigureKind::Rect), qint16(2));
        const Figure &r = rig.panel.list(FigureKind::Rect)[1];
        QCOMPARE(QRect(QPoint(r.StartX, r.StartY), QPoint(r.EndX, r.EndY)), QRect(QPoint(1000, 1000), QPoint(2000, 2000)));
    }

    // Undo, redo and paste with a drawing tool armed: the tool goes down
    // first, so no figure is lost and no count outgrows its figures, in the
    // panel as in the files written from it.
    void armedDrawingToolsGoDownBeforeAStep()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}}, 1);
        FrmMdi *w = openActive(rig);
        drawFigure(w, PanelCommand::Circle, QPoint(100, 100), QPoint(150, 130));
        drawFigure(w, PanelCommand::Circle, QPoint(200, 100), QPoint(250, 130));
        w->action(PanelCommand::Grid)->trigger();
        auto counts = [&] {
            return QPoint(rig.panel.count(FigureKind::Circle), rig.panel.FigureNum);
        };

        w->action(PanelCommand::Circle)->trigger();
        key(w, Qt::Key_Z);
        QVERIFY(!rig.panel.GridOnOff);
        QCOMPARE(counts(), QPoint(2, 2));
        QVERIFY(!w->action(PanelCommand::Circle)->isChecked());
        w->action(PanelCommand::Circle)->trigger();
        key(w, Qt::Key_Y);
        QVERIFY(rig.panel.GridOnOff);
        QCOMPARE(counts(), QPoint(2, 2));

        // The first circle copied, pasted with the tool armed: it is the third.
        band(w, QPoint(90, 90), QPoint(160, 140));
        key(w, Qt::Key_C);
        w->action(PanelCommand::Circle)->trigger();
        key(w, Qt::Key_V);
        QCOMPARE(counts(), QPoint(3, 3));
        const Figure &pasted = rig.panel.list(FigureKind::Circle)[2];
        QCOMPARE(QPoint(pasted.StartX, pasted.StartY), QPoint(3000, 3000));
        QCOMPARE(pasted.Order, qint16(3));

        // Armed again, the recovery file counts the three circles only.
        w->action(PanelCommand::Circle)->trigger();
        QVERIFY(w->writeRecovery());
        const QString recovery = w->recovery().path();
        QCOMPARE(fileValue(recovery, "SystemData", "CircleNum"), QStringLiteral("3"));
        QCOMPARE(fileValue(recovery, "SystemData", "FigureNum"), QStringLiteral("3"));
        w->action(PanelCommand::Circle)->trigger();
        QCOMPARE(counts(), QPoint(3, 3));
    }

    // 反映 is OK and the copy to every button, undone at once; 選択に反映 does
    // the same for the selected buttons alone.
    void propertyCommandsAreOneStepEach()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 2400, 400, "B"}, {Ch3, 4400, 400, "C"}}, 1);
        FrmMdi *w = openActive(rig);
        const qint32 plain = rig.slot(Ch1).IconColorDef;
        auto colours = [&] {
            return QList<qint32>{rig.slot(Ch1).IconColorDef, rig.slot(Ch2).IconColorDef, rig.slot(Ch3).IconColorDef};
        };
        rig.dialogs().colors = {QColor(Qt::red)};
        mouse(w->designButton(Ch1), QEvent::MouseButtonDblClick, Inside, Qt::LeftButton);
        QVERIFY(w->propertyDialog()->cmdApplySelection()->isHidden());
        w->propertyDialog()->cmdColorDef()->click();
        w->propertyDialog()->cmdSizeArrange()->click();
        QCOMPARE(colours(), (QList<qint32>{0x0000FF, 0x0000FF, 0x0000FF}));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: 全ボタンへの反映"));
        w->action(EditCommand::Undo)->trigger();
        QCOMPARE(colours(), (QList<qint32>{plain, plain, plain}));

        click(w->designButton(Ch1), Inside);
        click(w->designButton(Ch2), Inside, Qt::LeftButton, Qt::ControlModifier);
        rig.dialogs().colors = {QColor(Qt::green)};
        mouse(w->designButton(Ch1), QEvent::MouseButtonDblClick, Inside, Qt::LeftButton);
        FrmEditSetting *dlg = w->propertyDialog();
        QVERIFY(!dlg->cmdApplySelection()->isHidden());
        dlg->cmdColorDef()->click();
        dlg->cmdApplySelection()->click();
        QCOMPARE(colours(), (QList<qint32>{0x00FF00, 0x00FF00, plain}));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: 選択したボタンへの反映"));
        w->action(EditCommand::Undo)->trigger();
        QCOMPARE(colours(), (QList<qint32>{plain, plain, plain}));
    }

    // Tab reaches every design button; Space selects, Ctrl+Space adds, Delete
    // removes the selection in one step, Enter and the menu (Menu key,
    // Shift+F10, right button) lead to the button's commands.
    void designButtonsByKeyboardAndMenu()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 2400, 400, "B"}, {Ch3, 4400, 400, "C"}}, 1);
        FrmMdi *w = openActive(rig);
        FrmEditIcon *a = w->designButton(Ch1);
        FrmEditIcon *b = w->designButton(Ch2);
        FrmEditIcon *c = w->designButton(Ch3);
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Tab);
        QVERIFY(b->hasFocus());
        QTest::keyClick(b, Qt::Key_Space);
        QVERIFY(rig.slot(Ch2).selected && !rig.slot(Ch1).selected);
        QTest::keyClick(b, Qt::Key_Tab);
        QVERIFY(c->hasFocus());
        QTest::keyClick(c, Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(rig.slot(Ch2).selected && rig.slot(Ch3).selected);
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(c);
        QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("C ch 3"));
        QVERIFY(spoken->state().selected);

        QTest::keyClick(c, Qt::Key_Delete);
        QVERIFY(!w->designButton(Ch2) && !w->designButton(Ch3));
        QCOMPARE(rig.panel.IconNum, qint16(1));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: ボタンの削除"));
        key(w, Qt::Key_Z);
        QVERIFY(w->designButton(Ch2) && w->designButton(Ch3));
        QCOMPARE(rig.panel.IconNum, qint16(3));
        // A screen reader's press selects; a focused button outside the
        // selection is deleted alone, as the arrow keys move it alone.
        QAccessible::queryAccessibleInterface(w->designButton(Ch2))->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        QVERIFY(rig.slot(Ch2).selected && !rig.slot(Ch3).selected);
        w->designButton(Ch3)->setFocus();
        QTest::keyClick(w->designButton(Ch3), Qt::Key_Delete);
        QVERIFY(w->designButton(Ch2) && !w->designButton(Ch3));
        key(w, Qt::Key_Z);

        // The Menu key: the button's menu, on that button alone.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, a->rect().center(), a->mapToGlobal(a->rect().center()));
        QApplication::sendEvent(a, &menuKey);
        QMenu *menu = w->buttonMenu();
        QVERIFY(menu && menu->isVisible());
        QVERIFY(rig.slot(Ch1).selected && !rig.slot(Ch2).selected);
        QStringList offered;
        for (QAction *act : menu->actions())
            if (!act->isSeparator())
                offered << act->objectName();
        QCOMPARE(offered, (QStringList{"mnuProperties", "mnuCut", "mnuCopy", "mnuDuplicate", "mnuDelete", ""}));
        menu->close();
        QTest::keyClick(w->designButton(Ch2), Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(w->buttonMenu() && w->buttonMenu()->isVisible());
        w->action(EditCommand::Properties)->trigger();
        QVERIFY(w->propertyDialog());
        QCOMPARE(w->propertyDialog()->cmbChSelect()->currentText(), QStringLiteral("ch 2"));
        w->propertyDialog()->reject();
        QTRY_VERIFY(!w->propertyDialog());

        // The right button opens the button's menu, not the surface's (the
        // window of C is a new one since the undo).
        c = w->designButton(Ch3);
        mouse(c, QEvent::MouseButtonPress, Inside, Qt::RightButton);
        QContextMenuEvent right(QContextMenuEvent::Mouse, Inside, c->mapToGlobal(Inside));
        QApplication::sendEvent(c, &right);
        QVERIFY(w->buttonMenu() && w->buttonMenu()->isVisible());
        QVERIFY(!w->findChild<QMenu *>(QStringLiteral("mnuSurface")));
        w->buttonMenu()->close();
        // Enter opens the property dialog of the button with the focus.
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QVERIFY(w->propertyDialog());
        QCOMPARE(w->propertyDialog()->cmbChSelect()->currentText(), QStringLiteral("ch 1"));
    }

    // The new-button dialog says no channel is chosen with a real box; the
    // dialog is closed meanwhile by a screen reader's Cancel, then by the
    // link-count watch, then the panel window itself goes: the box goes
    // first each time, and nothing is freed twice.
    void noMessageBoxOutlivesItsDialog()
    {
        PanelRig rig(2);
        rig.preset({{Ch1, 400, 400, "A"}}, 2);
        const QString noChannel = str(10345);
        OneRealBox boxes(rig.dialogs(), noChannel);
        FrmMdi *w = openActive(rig, &boxes);
        auto askWhile = [&](const std::function<void(FrmEditSetting *)> &meanwhile) {
            if (!w->propertyDialog())
                w->action(PanelCommand::New)->trigger();
            QPointer<FrmEditSetting> dlg = w->propertyDialog();
            dlg->activateWindow();
            [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(dlg);
            dlg->cmbChSelect()->setCurrentIndex(-1);
            bool seen = false;
            bool boxLeft = true;
            QTimer::singleShot(0, dlg, [&] {
                seen = shownBox() != nullptr;
                meanwhile(dlg);
                QTimer::singleShot(0, [&] {
                    // Never leave a test waiting on a box.
                    boxLeft = shownBox() != nullptr;
                    if (QMessageBox *box = shownBox())
                        box->done(QMessageBox::Ok);
                });
            });
            dlg->cmdOK()->click();
            QApplication::processEvents();
            QVERIFY(seen);
            QVERIFY(!boxLeft);
            QTRY_VERIFY(!dlg);
        };
        askWhile([](FrmEditSetting *dlg) { dlg->cmdCancel()->click(); });
        QVERIFY(w);
        rig.dialogs().answers = {MsgAnswer::Cancel};
        askWhile([&](FrmEditSetting *) {
            rig.net.mixers.MixerCount = 1;
            w->watchLinkCount();
        });
        QVERIFY(rig.dialogs().texts().contains(str(10343) + QStringLiteral("\r\n") + str(2732)));
        QPointer<FrmMdi> window(w);
        askWhile([&](FrmEditSetting *) { delete window.data(); });
        QVERIFY(!window);

        // The seam's colour and font boxes, made the same way, answer what
        // was chosen, and nothing when cancelled.
        WidgetDialogs real;
        auto answer = [](bool accept, const std::function<void(QDialog *)> &choose = {}) {
            QTimer::singleShot(0, [=] {
                auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (d && choose)
                    choose(d);
                if (d)
                    d->done(accept ? QDialog::Accepted : QDialog::Rejected);
            });
        };
        answer(true, [](QDialog *d) { static_cast<QColorDialog *>(d)->setCurrentColor(Qt::red); });
        QCOMPARE(real.color(Qt::blue), std::optional<QColor>(QColor(Qt::red)));
        answer(false);
        QVERIFY(!real.color(Qt::blue));
        answer(true);
        QVERIFY(real.font(QFont(QStringLiteral("Sans"), 14)).has_value());
        answer(false);
        QVERIFY(!real.font(QFont(QStringLiteral("Sans"), 14)));
    }

    // Figures the band took go with a dragged button of the selection, in
    // one step that undo takes back whole.
    void figuresInTheBandFollowADraggedButton()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}}, 1);
        FrmMdi *w = openActive(rig);
        PanelSurface *s = w->surface();
        w->action(PanelCommand::Rect)->trigger();
        mouse(s, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
        mouse(s, QEvent::MouseMove, QPoint(150, 130), Qt::LeftButton);
        mouse(s, QEvent::MouseButtonRelease, QPoint(150, 130), Qt::LeftButton);
        const Figure &r = rig.panel.list(FigureKind::Rect)[0];
        QCOMPARE(QPoint(r.StartX, r.StartY), QPoint(2000, 2000));
        mouse(s, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
        mouse(s, QEvent::MouseMove, QPoint(200, 160), Qt::LeftButton);
        mouse(s, QEvent::MouseButtonRelease, QPoint(200, 160), Qt::LeftButton);
        QVERIFY(rig.slot(Ch1).selected);

        dragButton(w, w->designButton(Ch1), QPoint(10, 5));
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(600, 500));
        QCOMPARE(QRect(QPoint(r.StartX, r.StartY), QPoint(r.EndX, r.EndY)), QRect(QPoint(2200, 2100), QPoint(3200, 2700)));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: ボタンの移動"));
        key(w, Qt::Key_Z);
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(400, 400));
        QCOMPARE(QPoint(rig.panel.list(FigureKind::Rect)[0].StartX, rig.panel.list(FigureKind::Rect)[0].StartY),
                 QPoint(2000, 2000));
    }

    void alignFromTheToolbarIsOneStep()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 4000, 900, "B", 1500, 2000}, {Ch3, 400, 3000, "C"}}, 1);
        FrmMdi *w = openActive(rig);
        QAction *top = w->action(EditCommand::AlignTop);
        QVERIFY(!top->isEnabled());
        click(w->designButton(Ch1), Inside);
        click(w->designButton(Ch2), Inside, Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(top->isEnabled());
        QVERIFY(!w->action(EditCommand::DistributeH)->isEnabled());
        auto *button = qobject_cast<QToolButton *>(w->alignToolbar()->widgetForAction(top));
        QVERIFY(button);
        QVERIFY(!button->accessibleName().isEmpty() || !button->text().isEmpty());
        button->click();
        QCOMPARE(rig.slot(Ch2).IconTop, 400);
        QCOMPARE(rig.slot(Ch3).IconTop, 3000);
        // Same size takes the size of the button pressed last.
        w->action(EditCommand::SameSize)->trigger();
        QCOMPARE(rig.slot(Ch1).IconHeight, 2000.0);
        QCOMPARE(w->designButton(Ch1)->height(), 100);
        w->action(EditCommand::Undo)->trigger();
        w->action(EditCommand::Undo)->trigger();
        QCOMPARE(rig.slot(Ch2).IconTop, 900);
        QCOMPARE(rig.slot(Ch1).IconHeight, 1000.0);
    }
};

// The pictures of these windows in docs/screenshots, taken by
// scripts/screenshots.sh; no test.
class TstDesignerPictures : public QObject
{
    Q_OBJECT

private slots:
    void screenshots()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 600, 600, "議長"}, {Ch2, 2400, 900, "副議長"}, {Ch3, 4200, 700, "書記"}}, 1);
        FrmMdi *w = rig.open(96);
        w->resize(820, 440);
        w->action(PanelCommand::Grid)->trigger();
        click(w->designButton(Ch1), Inside);
        click(w->designButton(Ch2), Inside, Qt::LeftButton, Qt::ControlModifier);
        click(w->designButton(Ch3), Inside, Qt::LeftButton, Qt::ControlModifier);
        w->action(EditCommand::AlignTop)->trigger();
        QMenu *edit = w->findChild<QMenu *>(QStringLiteral("mnuEdit"));
        QVERIFY(edit);
        saveScreenshot(*w, "frmMDI_designer");
        edit->popup(w->mapToGlobal(QPoint(60, 20)));
        QApplication::processEvents();
        saveScreenshot(*edit, "frmMDI_edit_menu");
        edit->close();
        QMenu *align = w->findChild<QMenu *>(QStringLiteral("mnuAlign"));
        align->popup(w->mapToGlobal(QPoint(60, 20)));
        QApplication::processEvents();
        saveScreenshot(*align, "frmMDI_align_menu");
        align->close();
        // A button's menu, and its property dialog with the selection.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(20, 20),
                                  w->designButton(Ch2)->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(w->designButton(Ch2), &menuKey);
        QApplication::processEvents();
        saveScreenshot(*w->buttonMenu(), "frmMDI_button_menu");
        w->buttonMenu()->close();
        click(w->designButton(Ch1), Inside, Qt::LeftButton, Qt::ControlModifier);
        w->action(EditCommand::Properties)->trigger();
        saveScreenshot(*w->propertyDialog(), "frmEditSetting_selection");
    }
};

ZK_TEST_MAIN(TstDesigner)
ZK_PICTURES(TstDesignerPictures)
#include "tst_designer.moc"
