// The control panel without a mouse and through assistive technology: the
// execution buttons tell their caption, on/off state and mark, are reached
// with Tab, switched with Space or pressed through the accessibility
// interface, and each press reaches the virtual mixer; their settings
// dialogs open by keyboard; the keyboard goes on after 停止; the property
// dialog's labels lead to their fields; every field of the figure and
// background-image dialogs has a name of its own.

#include "panelrig.h"

#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmfigureproperty.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/panelsurface.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "link/linkwatch.h"
#include "tests/support/accesscheck.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {

bool remoteOn(PanelRig &rig, int channel)
{
    return rig.net.chain.blockByte(1, channelKeyId(ChannelFamily::RemoteOn, channel)) == 1
           && !rig.net.mixers.anyPending(1);
}
} // namespace

class TestPanelAccess : public QObject
{
    Q_OBJECT

private slots:
    void executionButtonsByKeyboardAndAssistiveTechnology()
    {
        PanelRig rig(1);
        QVERIFY(rig.net.connect());
        QVERIFY(rig.net.runLoop([&] { return rig.net.mixers.MixerCount == 1 && rig.net.loop.StartupPolls == 0; }, 10));
        rig.preset({{Ch1, 0, 0, "議長\r\n席"}, {Ch2, 1600, 0, "委員"}, {MasterOut, 3200, 0, "出力"}}, 1);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::Execution)->trigger();
        FrmExeIcon *chair = w->executionButton(Ch1);
        FrmExeIcon *member = w->executionButton(Ch2);
        FrmExeIcon *out = w->executionButton(MasterOut);
        QVERIFY(chair && member && out);

        QAccessibleInterface *a = accessible(chair);
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("議長 席"));
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("OFF"));
        QVERIFY(a->state().checkable);
        QVERIFY(!a->state().checked);
        QVERIFY(!accessible(out)->state().checkable);
        const QStringList faults = nameFaults(w);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

        // Tab goes from button to button; Space switches the one it is on.
        chair->setFocus();
        QVERIFY(chair->hasFocus());
        QTest::keyClick(chair, Qt::Key_Tab);
        QVERIFY(member->hasFocus());
        QTest::keyClick(member, Qt::Key_Space);
        QVERIFY(rig.slot(Ch2).IconOnOff);
        QVERIFY(accessible(member)->state().checked);
        QVERIFY(rig.net.runLoop([&] { return remoteOn(rig, 2); }, 10));
        // The switch reached the mixer: the button says so, to a screen
        // reader as well, beside its state.
        QCOMPARE(member->mark().state, ValueState::Verified);
        QVERIFY(member->toolTip().startsWith(QStringLiteral("確認済み: 委員 = ON（09:00:")));
        // With the running time of the seat, counted from that verification.
        const QString described = accessible(member)->text(QAccessible::Description);
        QVERIFY2(described.startsWith(QStringLiteral("ON 発言 0:0")), qPrintable(described));
        QVERIFY(described.endsWith(accessibleWords(member->toolTip())));
        QCOMPARE(accessible(chair)->text(QAccessible::Description), QStringLiteral("OFF"));
        saveScreenshot(*w, QStringLiteral("frmMDI_execution_marks"));

        // A screen reader's press is a click.
        QAccessibleActionInterface *act = a->actionInterface();
        QVERIFY(act);
        QVERIFY(act->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        act->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(rig.slot(Ch1).IconOnOff);
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("ON"));
        QVERIFY(rig.net.runLoop([&] { return remoteOn(rig, 1); }, 10));
        // The output button's press changes nothing.
        accessible(out)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!rig.net.mixers.anyPending(1));

        // The settings dialogs open by the context-menu key, Shift+F10 and
        // a screen reader's menu action, as by the right button.
        auto dialogAsked = [&](ButtonRef b) {
            const bool asked = rig.channelDialogs.size() == 1 && rig.channelDialogs.back().mixer == b.mixer
                               && rig.channelDialogs.back().slot == b.slot;
            rig.channelDialogs.clear();
            if (rig.closeChannelDialog)
                std::exchange(rig.closeChannelDialog, {})();
            return asked;
        };
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2), chair->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(chair, &menuKey);
        QVERIFY(dialogAsked(Ch1));
        QCOMPARE(rig.channelDialogs.size(), size_t(0));
        QTest::keyClick(out, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(dialogAsked(MasterOut));
        accessible(member)->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(dialogAsked(Ch2));

        // 停止: the keyboard goes on from the design surface, which says what it is.
        w->action(PanelCommand::Stop)->trigger();
        QCOMPARE(w->focusWidget(), w->surface());
        QVERIFY(!accessibleName(w->surface()).isEmpty());
        saveScreenshot(*w, QStringLiteral("frmMDI_after_stop"));
    }

    void linkLineInBothStates()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 0, 0, "議長"}, {Ch2, 1600, 0, "委員"}}, 1);
        LinkLine line;
        line.set(QStringLiteral("127.0.0.1 に接続しています"), LinkHealth::Up);
        rig.linkLine = &line;
        FrmMdi *w = rig.open();
        QVERIFY(w->linkLine()->isVisible());
        QCOMPARE(w->linkLine()->text(), line.text());
        QVERIFY(!w->linkLine()->font().bold());
        w->action(PanelCommand::Execution)->trigger();
        line.set(QStringLiteral("127.0.0.1 との接続が切れました"), LinkHealth::Lost);
        QCOMPARE(w->linkLine()->text(), line.text());
        QVERIFY(w->linkLine()->font().bold());
        saveScreenshot(*w, QStringLiteral("frmMDI_execution_link_lost"));
        w->action(PanelCommand::Stop)->trigger();
        QVERIFY(w->linkLine()->isVisible());
        QCOMPARE(w->linkLine()->text(), line.text());
    }

    void propertyDialogLabelsLeadToTheirFields()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 0, 0, "1"}}, 1);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::New)->trigger();
        FrmEditSetting *dlg = w->propertyDialog();
        QVERIFY(dlg);
        const auto label = [dlg](const char *name) { return dlg->findChild<QLabel *>(QLatin1String(name)); };
        QCOMPARE(label("lblMixer")->buddy(), dlg->cmbHardSelect());
        QCOMPARE(label("lblCh")->buddy(), dlg->cmbChSelect());
        QCOMPARE(label("lblText")->buddy(), dlg->findChild<QPlainTextEdit *>(QStringLiteral("txtIconTextSet")));
        QCOMPARE(spokenName(dlg->cmbHardSelect()), label("lblMixer")->text());
        const QStringList faults = nameFaults(dlg);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        // The panel window's own commands are named too, once each; a
        // command's key is no part of its name.
        const QStringList panelFaults = nameFaults(w);
        QVERIFY2(panelFaults.isEmpty(), qPrintable(panelFaults.join(u'\n')));
        QAccessibleInterface *edit = accessible(w->findChild<QMenu *>(QStringLiteral("mnuEdit")));
        QStringList items;
        for (int i = 0; i < edit->childCount(); ++i)
            items << edit->child(i)->text(QAccessible::Name);
        QVERIFY2(items.contains(str(12039)), qPrintable(items.join(u'|')));
        QCOMPARE(w->action(EditCommand::Deselect)->shortcut(), QKeySequence(Qt::Key_Escape));
    }

    void figureAndImageDialogsNameEveryField()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 0, 0, "1"}}, 1);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::Image)->trigger();
        FrmImageSetting *image = w->imageDialog();
        QVERIFY(image);
        QStringList faults = nameFaults(image);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        // Each size box says which option it belongs to and what it holds.
        QCOMPARE(spokenName(image->findChild<QWidget *>(QStringLiteral("ImageSize_1"))),
                 QStringLiteral("サイズを指定 高さ"));
        QCOMPARE(spokenName(image->findChild<QWidget *>(QStringLiteral("ImageSize_2"))),
                 QStringLiteral("倍率を指定 横の倍率"));
        saveScreenshot(*image, QStringLiteral("FrmImageSetting"));
        image->reject();

        PanelSurface *s = w->surface();
        w->action(PanelCommand::Line)->trigger();
        mouse(s, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
        mouse(s, QEvent::MouseMove, QPoint(200, 160), Qt::LeftButton);
        mouse(s, QEvent::MouseButtonRelease, QPoint(200, 160), Qt::LeftButton);
        mouse(s, QEvent::MouseButtonPress, QPoint(100, 100), Qt::RightButton);
        QVERIFY(w->figureMenu());
        w->figureMenu()->findChild<QAction *>(QStringLiteral("mnuFigureProperty"))->trigger();
        FrmFigureProperty *figure = w->figureDialog();
        QVERIFY(figure);
        faults = nameFaults(figure);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        auto *style = figure->findChild<QComboBox *>(QStringLiteral("icbFigureStyle"));
        QCOMPARE(spokenName(style), QStringLiteral("線種"));
        QCOMPARE(style->itemData(style->currentIndex(), Qt::AccessibleTextRole).toString(), QStringLiteral("実線"));
        saveScreenshot(*figure, QStringLiteral("frmFigureProperty"));
    }
};

ZK_TEST_MAIN(TestPanelAccess)
#include "tst_panelaccess.moc"
