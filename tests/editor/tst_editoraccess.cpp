// The editor and its settings dialogs as assistive technology and the
// keyboard meet them: every control named with its channel or mixer and its
// row, no two alike, labels tied to their fields, entry boxes telling the
// value they show and its bounds, marks' words on the controls they mark,
// the hidden tabs hidden, the editor presented as a window and worked by
// keyboard alone.

#include "editorrig.h"

#include "app/jobs.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/extendedentries.h"
#include "link/linkwatch.h"
#include "link/protocol.h"
#include "mixer/extendedregisters.h"

#include "editor/scales.h"
#include "editor/ui/frmchsetting.h"
#include "editor/ui/frmoutputsetting.h"
#include "editor/ui/frmparameter.h"
#include "editor/parametergrid.h"
#include "editor/ui/markbadge.h"
#include "mixer/parametertable.h"
#include "editor/valueentry.h"
#include "tests/support/accesscheck.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

class TestEditorAccess : public QObject
{
    Q_OBJECT

private slots:
    void editorControlsAreNamedOnceEachWithTheirChannel()
    {
        EditorRig rig(2);
        FrmMixer w(rig.context(), 2, true);
        QCOMPARE(accessible(&w)->role(), QAccessible::Window);

        const QStringList faults = nameFaults(&w);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

        // Slave 1's third strip is global channel 11.
        QCOMPARE(accessibleName(w.OpnParamCh(2 * 100 + RowHeadAmp * 10 + 3)), QStringLiteral("ch 11 ﾍｯﾄﾞｱﾝﾌﾟｹﾞｲﾝ -25dB"));
        QVERIFY(accessibleName(w.UpDwInpgain(2)).startsWith(QStringLiteral("ch 11 チャンネル")));
        QCOMPARE(accessibleName(w.CmdInitch(2)), QStringLiteral("ch 11 初期値設定"));
        // A system field is named after its label, and the label leads to it.
        QCOMPARE(w.Label1(1)->buddy(), w.UpDwParam(FrmMixer::FieldOutputGain));
        QCOMPARE(accessibleName(w.UpDwParam(FrmMixer::FieldOutputGain)), QStringLiteral("マスターレベル"));
    }

    void marksFollowTheWrite()
    {
        // The mixer keeps channel 3's level at 10 whatever is written: that
        // value ends failed, channel 2's verified; both say so in words.
        SimOptions o = EditorRig::options(1, 1);
        o.stuck = {SimStuck{1, channelKeyId(ChannelFamily::InputGain, 3), 10}};
        EditorRig rig(o);
        FrmMixer w(rig.context(), 1, false);
        const int ch2 = channelKeyId(ChannelFamily::InputGain, 2), ch3 = channelKeyId(ChannelFamily::InputGain, 3);
        QVERIFY(!w.markOf(ch3)->isVisibleTo(&w));
        w.UpDwInpgain(1)->setCode(40);
        w.UpDwInpgain(2)->setCode(30);
        w.Timer1(); // the window's next tick shows them waiting; nothing sent yet
        QCOMPARE(w.markOf(ch3)->mark().state, ValueState::Waiting);
        QCOMPARE(w.markOf(ch3)->text(), QStringLiteral("…"));
        rig.settle(w, 3);
        QCOMPARE(w.markOf(ch2)->mark().state, ValueState::Verified);
        QCOMPARE(w.markOf(ch2)->text(), QStringLiteral("○"));
        const MarkBadge *failed = w.markOf(ch3);
        QCOMPARE(failed->mark().state, ValueState::Failed);
        QCOMPARE(failed->text(), QStringLiteral("×"));
        QVERIFY2(failed->toolTip().startsWith(QStringLiteral("失敗: ch 3 ")), qPrintable(failed->toolTip()));
        QVERIFY(failed->toolTip().contains(displayCode(Scale::Level, 30)));
        // Its time is the program's clock's, not the wall clock's.
        QVERIFY2(failed->toolTip().contains(QStringLiteral("（09:0")), qPrintable(failed->toolTip()));
        // Screen readers hear it on the control itself, not on the row
        // that holds it.
        QCOMPARE(w.UpDwInpgain(2)->accessibleDescription(), failed->toolTip());
        QVERIFY(failed->parentWidget()->accessibleDescription().isEmpty());
        w.show();
        saveScreenshot(w, QStringLiteral("FrmMixer_marks"));

        // The read-back of the next write is lost: the value waits through
        // that pass and ends verified on the next.
        const int ch4 = channelKeyId(ChannelFamily::InputGain, 4);
        w.UpDwInpgain(3)->setCode(20);
        rig.sync->poll();
        QVERIFY(rig.sync->flushDue());
        rig.chain->dropNext(1, QByteArrayLiteral("DR"));
        rig.sync->flush();
        w.Timer1();
        QCOMPARE(w.markOf(ch4)->mark().state, ValueState::Verified);
        QCOMPARE(w.markOf(ch4)->text(), QStringLiteral("○"));
        QCOMPARE(rig.sync->valueStatus(1, ch4).passes, 2);
        QVERIFY2(w.markOf(ch4)->toolTip().startsWith(QStringLiteral("確認済み: ch 4 ")), qPrintable(w.markOf(ch4)->toolTip()));
    }

    void marksFollowDialogsSystemOptionsAndExtendedValues()
    {
        // The mixer keeps the key lock off and MuteK at 10 whatever is
        // written; NOMA, the master level and ThresholdK take.
        const int muteK = extendedRegisterKey(4), thresholdK = extendedRegisterKey(3);
        SimOptions o = EditorRig::options(1, 1);
        o.stuck = {SimStuck{1, MixerKey::KeyLock, 0}, SimStuck{1, muteK, 10}};
        EditorRig rig(o);
        FrmMixer w(rig.context(), 1, false);
        w.SSTMixer()->setCurrentIndex(TabSystem);
        w.OpnParam(GroupKeyLock * 10 + 1)->click();
        w.OpnParam(GroupNoma * 10 + 1 - rig.mixers.MixerData[1].value(MixerKey::Noma))->click();
        w.Timer1();
        QCOMPARE(w.markOf(MixerKey::KeyLock)->mark().state, ValueState::Waiting);
        rig.settle(w, 3);
        QCOMPARE(w.markOf(MixerKey::Noma)->text(), QStringLiteral("○"));
        const MarkBadge *keyLock = w.markOf(MixerKey::KeyLock);
        QCOMPARE(keyLock->text(), QStringLiteral("×"));
        QVERIFY2(keyLock->toolTip().startsWith(QStringLiteral("失敗: キーロック = ON")), qPrintable(keyLock->toolTip()));
        QCOMPARE(w.OpnParam(GroupKeyLock * 10 + 1)->accessibleDescription(), keyLock->toolTip());
        w.show();
        saveScreenshot(w, QStringLiteral("FrmMixer_system_marks"));

        // A dialog opened later shows the failure too, and marks its own writes.
        QPointer<SettingsDialog> out = rig.openDialog(0, OutputSlot);
        QCOMPARE(out->markOf(MixerKey::KeyLock)->mark().state, ValueState::Failed);
        out->gainEntry()->setCode(40);
        rig.settle(*out, 3);
        QCOMPARE(out->markOf(MixerKey::OutputGain)->text(), QStringLiteral("○"));
        QCOMPARE(out->gainEntry()->accessibleDescription(), out->markOf(MixerKey::OutputGain)->toolTip());
        out->show();
        saveScreenshot(*out, QStringLiteral("frmOutputSetting_marks"));

        // Taking the mixer's own value ends the failure, in every window;
        // the editor showing that value by itself did not.
        QVERIFY(w.OpnParam(GroupKeyLock * 10)->isChecked());
        w.OpnParam(GroupKeyLock * 10)->click();
        QVERIFY(!w.markOf(MixerKey::KeyLock)->mark().shown());
        QVERIFY(!out->markOf(MixerKey::KeyLock)->mark().shown());
        delete out.data();

        // The extended tab: the group waits once asked for, then each
        // register shows how its write went.
        w.CmdOpen(0)->click();
        w.SSTMixer()->setCurrentIndex(TabExtended);
        w.UpDwParam(FrmMixer::FieldThresholdK)->setCode(200);
        w.UpDwParam(FrmMixer::FieldMuteK)->setCode(50);
        w.CmdMixer(0)->click();
        QCOMPARE(w.markOf(muteK)->mark().state, ValueState::Waiting);
        const EditorExtendedSource source([&] { return std::optional(w.extendedEntries()); },
                                          rig.mixers.ExtendedData[1]);
        MixerProtocol protocol(*rig.comm);
        QVERIFY(!JobRunner(JobContext{rig.link, rig.mixers, rig.dialogs, protocol, &source, {}, {}, {}, nullptr})
                     .extendedWrite(0));
        w.Timer1();
        QCOMPARE(w.markOf(thresholdK)->text(), QStringLiteral("○"));
        const MarkBadge *failed = w.markOf(muteK);
        QCOMPARE(failed->text(), QStringLiteral("×"));
        QVERIFY2(failed->toolTip().startsWith(QStringLiteral("失敗: ")), qPrintable(failed->toolTip()));
        QVERIFY(failed->toolTip().contains(displayCode(Scale::Tenths, 50)));
        QCOMPARE(w.UpDwParam(FrmMixer::FieldMuteK)->accessibleDescription(), failed->toolTip());
        // OutPeakLEDK came after the failure: it was not written, and says so.
        QCOMPARE(w.markOf(extendedRegisterKey(5))->mark().state, ValueState::Failed);
        w.CmdOpen(0)->click();
        w.SSTMixer()->setCurrentIndex(TabExtended);
        QVERIFY(failed->isVisibleTo(&w));
        w.show();
        saveScreenshot(w, QStringLiteral("FrmMixer_extended_marks"));

        // An initial value's mark words its value as its buttons do.
        rig.mixers.ExtendedWrite[9] = ValueStatus{ValueState::Failed, 1, 1, 11}; // MuteAttDef
        w.Timer1();
        const QString muteAttDef = w.markOf(extendedRegisterKey(9))->toolTip();
        QVERIFY2(muteAttDef.contains(QStringLiteral(" = %1 ").arg(w.OpnInit(11)->text())), qPrintable(muteAttDef));
    }

    void linkLineSaysTheLinksState()
    {
        // The link's state at the editor's foot: named by what it says, bold
        // while the link is down.
        EditorRig rig;
        LinkLine line;
        line.set(str(10752).arg(QStringLiteral("127.0.0.1")), LinkHealth::Up);
        FrmMixerContext context = rig.context();
        context.linkLine = &line;
        FrmMixer w(context, 1, false);
        QLabel *foot = w.linkLine();
        QCOMPARE(accessibleName(foot), line.text());
        QVERIFY(!foot->font().bold());
        w.show();
        saveScreenshot(w, QStringLiteral("FrmMixer_linkline"));

        line.set(str(10754).arg(QStringLiteral("127.0.0.1")).arg(2), LinkHealth::Reconnecting);
        QCOMPARE(accessibleName(foot), line.text());
        QVERIFY(foot->font().bold());
        saveScreenshot(w, QStringLiteral("FrmMixer_linkline_down"));
    }

    void entryBoxesReportTheValueTheyShow()
    {
        EditorRig rig(1);
        FrmMixer w(rig.context(), 1, false);
        ValueEntry *gain = w.UpDwInpgain(0);
        gain->setCode(0);
        QAccessibleValueInterface *value = accessible(gain)->valueInterface();
        QVERIFY(value);
        // MUTE is the scale's bottom, not 0 dB; its words are the box's text.
        QCOMPARE(value->currentValue().toDouble(), -96.0);
        QCOMPARE(accessible(gain)->text(QAccessible::Value), QStringLiteral("MUTE"));
        QCOMPARE(value->minimumValue().toDouble(), -96.0);
        QCOMPARE(value->maximumValue().toDouble(), 0.0);
        for (int code : {1, 40, LevelCodeMax}) {
            gain->setCode(code);
            QCOMPARE(value->currentValue().toDouble(), levelDb(code));
            QCOMPARE(accessible(gain)->text(QAccessible::Value), gain->findChild<QLineEdit *>()->text());
        }
        // A count and a time report their numbers and bounds too.
        QAccessibleValueInterface *hold = accessible(w.UpDwParam(FrmMixer::FieldHoldTime))->valueInterface();
        w.UpDwParam(FrmMixer::FieldHoldTime)->setCode(3);
        QCOMPARE(hold->currentValue().toDouble(), 2.0);
        QCOMPARE(hold->minimumValue().toDouble(), 0.5);
        QCOMPARE(hold->maximumValue().toDouble(), 3.0);
        QAccessibleValueInterface *outPeak = accessible(w.UpDwParam(FrmMixer::FieldOutPeak))->valueInterface();
        QCOMPARE(outPeak->minimumValue().toDouble(), -20.0);
        QCOMPARE(outPeak->maximumValue().toDouble(), 6.0);
    }

    void marksSpeakOnTheControlsTheyMark()
    {
        // Every value of the channel tab and the system fields waits: each
        // mark's words are on the controls that write its value, and nothing
        // but a named control carries such words.
        EditorRig rig(1);
        FrmMixer w(rig.context(), 1, false);
        const MixerDataRecord &d = rig.mixers.MixerData[1];
        for (int ch = 0; ch < ChannelCount; ++ch) {
            w.UpDwInpgain(ch)->setCode(d.channel(ChannelFamily::InputGain, ch + 1) == 10 ? 11 : 10);
            for (int row : OptionRows)
                w.OpnParamCh(ch * 100 + row * 10 + 1 - std::min(1, int(d.channel(rowFamily(row), ch + 1))))->click();
        }
        w.UpDwParam(FrmMixer::FieldOutputGain)->setCode(d.value(MixerKey::OutputGain) == 10 ? 11 : 10);
        w.UpDwParam(FrmMixer::FieldThreshold)->setCode(d.Threshold + 1);
        w.Timer1();
        QRadioButton *headAmp = w.OpnParamCh(2 * 100 + RowHeadAmp * 10 + 1);
        const MarkBadge *headMark = w.markOf(channelKeyId(ChannelFamily::HeadAmp, 3));
        QCOMPARE(headMark->mark().state, ValueState::Waiting);
        QCOMPARE(headAmp->accessibleDescription(), headMark->toolTip());
        QCOMPARE(w.UpDwParam(FrmMixer::FieldOutputGain)->accessibleDescription(),
                 w.markOf(MixerKey::OutputGain)->toolTip());
        const QList<QWidget *> controls = operableControls(&w);
        QStringList stray;
        for (QWidget *c : w.findChildren<QWidget *>())
            if (!c->accessibleDescription().isEmpty() && (!controls.contains(c) || accessibleName(c).isEmpty()))
                stray << c->objectName() + u'/' + QLatin1String(c->metaObject()->className());
        QVERIFY2(stray.isEmpty(), qPrintable(stray.join(u' ')));
    }

    void hiddenTabsAreHiddenFromAssistiveTechnology()
    {
        // The extended and initial-value tabs are no showing page tabs while
        // hidden, and a screen reader's press on one asks the warning the
        // system tab's button asks.
        EditorRig rig(1);
        FrmMixer w(rig.context(), 1, false);
        w.show();
        QAccessibleInterface *bar = accessible(w.SSTMixer()->tabBar());
        QCOMPARE(bar->childCount(), EditorTabCount);
        auto tab = [&](int i) { return bar->child(i); };
        QCOMPARE(tab(TabSystem)->text(QAccessible::Name), accessibleWords(w.SSTMixer()->tabText(TabSystem)));
        QCOMPARE(tab(TabExtended)->role(), QAccessible::PageTab);
        QVERIFY(!tab(TabSystem)->state().invisible);
        QVERIFY(tab(TabExtended)->state().invisible);
        QVERIFY(tab(TabDefaults)->state().invisible);

        rig.dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
        tab(TabExtended)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(rig.dialogs.shown.size(), size_t(1));
        QCOMPARE(rig.dialogs.shown.back().icon, MsgIcon::Warning);
        QCOMPARE(w.SSTMixer()->currentIndex(), TabChannels);
        QVERIFY(tab(TabExtended)->state().invisible);
        tab(TabDefaults)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(rig.dialogs.shown.size(), size_t(2));
        QCOMPARE(w.SSTMixer()->currentIndex(), TabDefaults);
        QVERIFY(!tab(TabDefaults)->state().invisible);
        QVERIFY(tab(TabDefaults)->state().selected);
        // Leaving it hides it again, from the screen reader too.
        tab(TabChannels)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w.SSTMixer()->currentIndex(), TabChannels);
        QVERIFY(tab(TabDefaults)->state().invisible);
        QCOMPARE(rig.dialogs.shown.size(), size_t(2));
    }

    void editorByKeyboardAlone()
    {
        EditorRig rig(1);
        FrmMixer w(rig.context(), 1, false);
        w.Timer1(); // shows the mixer's values
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const MixerDataRecord &d = rig.mixers.MixerData[1];
        auto tab = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); };

        // Tab stops once at each row of options, on the choice that holds:
        // from ch1-Link, Mixer-Link, ch 1's eight rows, ch 2's and two of
        // ch 3's lead to ch 3's head-amp gain.
        w.OpnLink(1)->setFocus();
        QRadioButton *headAmp3 = w.OpnParamCh(2 * 100 + RowHeadAmp * 10 + d.channel(ChannelFamily::HeadAmp, 3));
        QVERIFY(headAmp3->isChecked());
        int tabs = 0;
        while (QApplication::focusWidget() != headAmp3 && tabs < 60) {
            tab();
            ++tabs;
        }
        QCOMPARE(tabs, 20);

        // The context-menu key or Shift+F10 on a row's control shows that
        // row across the mixers, as a double-click on its label does.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2), headAmp3->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(headAmp3, &menuKey);
        QCOMPARE(rig.gridShown, QList<int>{2});
        w.UpDwInpgain(0)->setFocus();
        QTest::keyClick(w.UpDwInpgain(0), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(rig.gridShown.back(), 4);
        // Other keys with Shift are the box's and the window's: a capital
        // typed, Shift+Tab back to the row above.
        QTest::keyClick(w.UpDwInpgain(0), Qt::Key_M, Qt::ShiftModifier);
        QVERIFY(w.UpDwInpgain(0)->findChild<QLineEdit *>()->text().contains(u'M'));
        QTest::keyClick(w.UpDwInpgain(0), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(rig.gridShown.size(), 2);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), w.OpnParamCh(RowLowCutFil * 10)->parentWidget());

        // On the system tab the fields come before the three initialise
        // buttons, and the two buttons that open the hidden tabs come last.
        w.SSTMixer()->setCurrentIndex(TabSystem);
        w.OpnParam(GroupOutputLevel * 10 + d.value(MixerKey::OutputLevel))->setFocus();
        QList<QWidget *> walk{QApplication::focusWidget()};
        while (walk.back() != w.CmdOpen(1) && walk.size() < 60) {
            tab();
            walk << QApplication::focusWidget();
        }
        QCOMPARE(walk.back(), w.CmdOpen(1));
        const qsizetype firstInit = walk.indexOf(w.CmdInit(5));
        QCOMPARE(walk.mid(firstInit), (QList<QWidget *>{w.CmdInit(5), w.CmdInit(4), w.CmdInit(3), w.CmdOpen(0), w.CmdOpen(1)}));
        QVERIFY(walk.indexOf(w.UpDwParam(FrmMixer::FieldThreshold)) < firstInit);
        QVERIFY(walk.indexOf(w.OpnMuteM(d.value(MixerKey::MuteAtt))) < firstInit
                || !w.OpnMuteM(0)->isEnabled());
        QTest::keyClick(w.UpDwParam(FrmMixer::FieldOutputGain), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(rig.gridShown.back(), 9);
        w.CmdInit(5)->setFocus();
        saveScreenshot(w, QStringLiteral("FrmMixer_system_keyboard"));

        // Escape in a box takes back what was typed; then it closes the window.
        ValueEntry *gain = w.UpDwParam(FrmMixer::FieldOutputGain);
        gain->setFocus();
        const QString shown = gain->findChild<QLineEdit *>()->text();
        QTest::keyClicks(gain, QStringLiteral("-2"));
        QVERIFY(gain->findChild<QLineEdit *>()->text() != shown);
        QTest::keyClick(gain, Qt::Key_Escape);
        QCOMPARE(gain->findChild<QLineEdit *>()->text(), shown);
        QVERIFY(w.isVisible());
        QTest::keyClick(gain, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(!rig.mixers.anyPending(1));

        // Ctrl+W closes it too.
        FrmMixer again(rig.context(), 1, false);
        again.show();
        again.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(&again, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!again.isVisible());

        // The grid the keys open closes with Escape.
        FrmParameter grid;
        grid.setGrid(parameterGrid(2, rig.mixers, 0, rig.sync.get()));
        grid.show();
        grid.GridParam()->setFocus();
        QTest::keyClick(grid.GridParam(), Qt::Key_Escape);
        QVERIFY(!grid.isVisible());
    }

    void settingsDialogsNameTheirChannelOrMixer()
    {
        EditorRig rig(2);
        QPointer<SettingsDialog> ch = rig.openDialog(1, 2); // slave 1, channel 3: global 11
        QVERIFY(ch);
        QStringList faults = nameFaults(ch);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        auto *strip = qobject_cast<FrmChSetting *>(ch.data());
        QCOMPARE(accessibleName(strip->OpnParamCh(RowPhantom * 10 + 1)), QStringLiteral("ch 11 ﾌｧﾝﾄﾑ電源 ON"));
        QVERIFY(accessibleName(ch->gainEntry()).startsWith(QStringLiteral("ch 11 ")));
        ch->close();
        delete ch.data();

        QPointer<SettingsDialog> out = rig.openDialog(1, OutputSlot);
        faults = nameFaults(out);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        const QString mixer = out->titleLabel()->text();
        QVERIFY(accessibleName(out->gainEntry()).startsWith(mixer + u' '));
        QVERIFY(accessibleName(qobject_cast<FrmOutputSetting *>(out.data())->OpnParam(GroupKeyLock * 10 + 1))
                    .startsWith(mixer + u' '));
        delete out.data();
    }
};

ZK_TEST_MAIN(TestEditorAccess)
#include "tst_editoraccess.moc"
