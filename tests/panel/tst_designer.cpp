// The designer in the panel window, offscreen: undo and redo by keys with
// the step named in the menu, the unsaved-changes question following the
// history's saved state, the rubber band and arrow keys on the whole
// selection, copy and paste onto free channels (and the one message when
// none is free), snapping of drags with Alt to bypass it, and alignment as
// one step.

#include "panelrig.h"

#include "base/strings.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/panelsurface.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
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

FrmMdi *openActive(PanelRig &rig)
{
    FrmMdi *w = rig.open();
    w->activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(w);
    return w;
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

        // The operated panel starts a new history.
        w->action(PanelCommand::Execution)->trigger();
        QVERIFY(!undo->isEnabled());
        w->action(PanelCommand::Stop)->trigger();
        QVERIFY(!undo->isEnabled());
        QCOMPARE(w->history().stack().count(), 0);
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
        QCOMPARE(rig.slot(Ch4).IconText, QStringLiteral("議長"));
        QCOMPARE(rig.slot(Ch4).IconColorDef, 0x3366FF);
        // One grid step (1000 twips) from where it was copied.
        QCOMPARE(QPoint(rig.slot(Ch4).IconLeft, rig.slot(Ch4).IconTop), QPoint(1400, 1400));
        QCOMPARE(w->action(EditCommand::Undo)->text(), QStringLiteral("元に戻す: 貼り付け"));

        // Four more fill the mixer; the next two are refused with one message.
        key(w, Qt::Key_D);
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

    void dragsSnapToTheShownGridUnlessAltIsHeld()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 4000, 400, "B"}}, 1);
        FrmMdi *w = openActive(rig);
        w->action(EditCommand::Snap)->setChecked(true);
        // The grid is hidden: nothing snaps.
        dragButton(w, w->designButton(Ch1), QPoint(10, 0));
        QCOMPARE(rig.slot(Ch1).IconLeft, 600);
        w->action(PanelCommand::Grid)->trigger();
        dragButton(w, w->designButton(Ch1), QPoint(10, 3));
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1000, 0));
        dragButton(w, w->designButton(Ch1), QPoint(10, 3), Qt::AltModifier);
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1200, 60));
        w->action(EditCommand::Snap)->setChecked(false);
        dragButton(w, w->designButton(Ch1), QPoint(10, 3));
        QCOMPARE(QPoint(rig.slot(Ch1).IconLeft, rig.slot(Ch1).IconTop), QPoint(1400, 120));
        w->action(EditCommand::Snap)->setChecked(true);

        // A figure drawn over the shown grid has its corners on grid points.
        PanelSurface *s = w->surface();
        w->action(PanelCommand::Rect)->trigger();
        mouse(s, QEvent::MouseButtonPress, QPoint(33, 27), Qt::LeftButton);
        mouse(s, QEvent::MouseMove, QPoint(118, 112), Qt::LeftButton);
        mouse(s, QEvent::MouseButtonRelease, QPoint(118, 112), Qt::LeftButton);
        QCOMPARE(rig.panel.count(FigureKind::Rect), qint16(1));
        const Figure &r = rig.panel.list(FigureKind::Rect)[0];
        QCOMPARE(QRect(QPoint(r.StartX, r.StartY), QPoint(r.EndX, r.EndY)), QRect(QPoint(1000, 1000), QPoint(2000, 2000)));
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
    }
};

ZK_TEST_MAIN(TstDesigner)
ZK_PICTURES(TstDesignerPictures)
#include "tst_designer.moc"
