// The channel and output settings dialogs and the parameter grid offscreen
// against the virtual mixer: what the edit lock lets through, Cancel sending
// the values found at opening again, the older model's and a slave's limits.

#include "editorrig.h"

#include "base/strings.h"
#include "editor/parametergrid.h"
#include "editor/ui/frmchsetting.h"
#include "editor/ui/frmoutputsetting.h"
#include "editor/ui/frmparameter.h"
#include "editor/valueentry.h"
#include "tests/support/screenshot.h"
#include "tests/editor/keyids.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace {

// The mixer's values changed at the mixer reach MixerData.
void poll(EditorRig &rig)
{
    for (int i = 0; i < 3; ++i)
        rig.exchange();
}

FrmChSetting *channelDialog(EditorRig &rig, int dialogMixer, int slot)
{
    return qobject_cast<FrmChSetting *>(rig.openDialog(dialogMixer, slot));
}

FrmOutputSetting *outputDialog(EditorRig &rig, int dialogMixer)
{
    return qobject_cast<FrmOutputSetting *>(rig.openDialog(dialogMixer, OutputSlot));
}

// Which of the channel dialog's choice buttons can be pressed, row by row.
QStringList offered(FrmChSetting *w)
{
    QStringList rows;
    for (int row = 0; row <= 4; ++row) {
        QString r;
        for (int c = 0; w->OpnParamCh(row * 10 + c); ++c)
            r += w->OpnParamCh(row * 10 + c)->isEnabled() ? u'+' : u'-';
        rows << r;
    }
    return rows;
}

QString offered(FrmOutputSetting *w, int group)
{
    QString r;
    for (int c = 0; w->OpnParam(group * 10 + c); ++c)
        r += w->OpnParam(group * 10 + c)->isEnabled() ? u'+' : u'-';
    return r;
}

} // namespace

class TestEditorDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cancelSendsTheValuesFoundAtOpeningAgain()
    {
        EditorRig rig(2);
        rig.chain->setBlockByte(2, InputGain1 + 2, 40); // slave 1, channel 3: -6.1 dB
        poll(rig);
        QPointer<FrmChSetting> w = channelDialog(rig, 1, 2);
        QCOMPARE(w->titleLabel()->text(), QStringLiteral("スレーブ 1  ch 11"));
        QVERIFY(rig.editor.SettingsDialogOpen);
        QCOMPARE(shown(w->UpDwInpgain()), QStringLiteral("-6.1"));
        QCOMPARE(w->timerInterval(), 1000);

        w->chkEnable()->click();
        QCOMPARE(w->chkEnable()->text(), QStringLiteral("有効"));
        w->OpnParamCh(10)->click(); // phantom power off
        w->OpnParamCh(24)->click(); // head amp -30dB
        type(w->UpDwInpgain(), "-20.5");
        QCOMPARE(rig.mixers.MixerSetData[2].Phantom(3), 0);
        QVERIFY(rig.mixers.waiting(2, Phantom1 + 2));
        QVERIFY(!rig.sync->dataFresh(2));
        rig.settle(*w);
        QCOMPARE(w->timerInterval(), 100);
        QCOMPARE(rig.chain->blockByte(2, Phantom1 + 2), 0);
        QCOMPARE(rig.chain->blockByte(2, HeadAmp1 + 2), 4);
        QCOMPARE(rig.chain->blockByte(2, InputGain1 + 2), 20);
        QCOMPARE(rig.chain->blockByte(2, InputGain1 + 1), 0); // no channel linking here

        // Cancel: all six go again, the three untouched ones too.
        w->cmdCancel()->click();
        QVERIFY(rig.dialogClosed && !rig.editor.SettingsDialogOpen);
        for (ChannelFamily f : {ChannelFamily::InputLevel, ChannelFamily::Phantom, ChannelFamily::HeadAmp,
                                ChannelFamily::LowCutFil, ChannelFamily::ThresholdObj, ChannelFamily::InputGain})
            QVERIFY(rig.mixers.waiting(2, channelKeyId(f, 3)));
        for (int i = 0; i < 6; ++i)
            rig.exchange();
        QCOMPARE(rig.chain->blockByte(2, Phantom1 + 2), 1);
        QCOMPARE(rig.chain->blockByte(2, HeadAmp1 + 2), 2);
        QCOMPARE(rig.chain->blockByte(2, InputGain1 + 2), 40);
        QVERIFY(!rig.mixers.anyPending(2));
    }

    void lockHoldsTheOptionsButNotTheLevel()
    {
        EditorRig rig;
        FrmChSetting *w = channelDialog(rig, 0, 0);
        QCOMPARE(w->titleLabel()->text(), QStringLiteral("マスター  ch 1"));
        QCOMPARE(w->chkEnable()->text(), QStringLiteral("無効"));
        QCOMPARE(offered(w), QStringList({"----", "--", "-----", "--", "--"}));
        QTest::mouseClick(w->OpnParamCh(10), Qt::LeftButton);
        QVERIFY(w->OpnParamCh(11)->isChecked());
        QVERIFY(!rig.mixers.anyPending(1));
        w->UpDwInpgain()->stepBy(3);
        QCOMPARE(rig.mixers.MixerSetData[1].InputGain(1), 3);
        QVERIFY(rig.mixers.waiting(1, InputGain1));
        // Ticked and cleared again, the options are held once more.
        w->chkEnable()->click();
        QCOMPARE(offered(w), QStringList({"++++", "++", "+++++", "++", "++"}));
        w->chkEnable()->click();
        QCOMPARE(offered(w), QStringList({"----", "--", "-----", "--", "--"}));
        w->close();

        // Without writing, or offline (where an edit would be neither sent
        // nor saved), neither the lock nor the level can be used.
        for (bool offline : {false, true}) {
            rig.mixers.WriteAccess = offline;
            rig.editor.DialogSlot = OutputSlot;
            auto *out = qobject_cast<FrmOutputSetting *>(
                openSettingsDialog({rig.env(), rig.dialogs, {}, offline}, nullptr));
            QVERIFY(!out->chkEnable()->isEnabled() && !out->UpDwParam()->isEnabled());
            QCOMPARE(offered(out, 0) + offered(out, 1) + offered(out, 2), QStringLiteral("--------"));
            out->close();
        }
    }

    void olderModelOffersOnlyItsOwnChoices()
    {
        EditorRig rig(1, 0);
        rig.chain->setBlockByte(1, HeadAmp1 + 1, 3); // channel 2 at a value of the newer model
        poll(rig);
        FrmChSetting *w = channelDialog(rig, 0, 0);
        w->chkEnable()->click();
        QCOMPARE(offered(w), QStringList({"++--", "++", "+++--", "++", "++"}));
        w->close();
        // A row whose value the older model's buttons cannot show stays held.
        w = channelDialog(rig, 0, 1);
        w->chkEnable()->click();
        rig.settle(*w, 2);
        QCOMPARE(offered(w), QStringList({"++--", "++", "-----", "++", "++"}));
        w->close();

        FrmOutputSetting *out = outputDialog(rig, 0);
        out->chkEnable()->click();
        QCOMPARE(offered(out, 0) + u'|' + offered(out, 1) + u'|' + offered(out, 2), QStringLiteral("++--|++|++"));
        out->close();
    }

    void slaveOutputLeavesNomaAndKeyLockToTheMaster()
    {
        EditorRig rig(2);
        rig.chain->setBlockByte(2, OutputGain, 52);
        poll(rig);
        QPointer<FrmOutputSetting> w = outputDialog(rig, 1);
        QCOMPARE(w->titleLabel()->text(), QStringLiteral("スレーブ 1"));
        QCOMPARE(shown(w->UpDwParam()), QStringLiteral("-2.3"));
        w->chkEnable()->click();
        QCOMPARE(offered(w, 0) + u'|' + offered(w, 1) + u'|' + offered(w, 2), QStringLiteral("++++|--|--"));
        QVERIFY(!w->edits().outputOptionClicked(1, 0));
        QVERIFY(!w->edits().outputOptionClicked(2, 1));
        QVERIFY(!rig.mixers.anyPending(2));

        // An emptied level box means MUTE, code 0.
        type(w->UpDwParam(), "");
        QCOMPARE(shown(w->UpDwParam()), QStringLiteral("MUTE"));
        QCOMPARE(rig.mixers.MixerSetData[2].OutputGain(), 0);
        w->OpnParam(0)->click(); // -50dB(Mic)
        rig.settle(*w);
        QCOMPARE(rig.chain->blockByte(2, OutputGain), 0);
        QCOMPARE(rig.chain->blockByte(2, OutputLevel), 0);
        QCOMPARE(rig.chain->blockByte(1, OutputLevel), 1); // the master is left alone
        QCOMPARE(w->pictureShown(), 0);
        w->cmdOK()->click();
        QVERIFY(rig.dialogClosed);
        QVERIFY(!rig.mixers.anyPending(2));

        // The master's own dialog sets NOMA and key lock.
        FrmOutputSetting *master = outputDialog(rig, 0);
        master->chkEnable()->click();
        master->OpnParam(10)->click();
        master->OpnParam(21)->click();
        rig.settle(*master);
        QCOMPARE(rig.chain->blockByte(1, Noma), 0);
        QCOMPARE(rig.chain->blockByte(1, KeyLock), 1);
        master->close();
    }

    // A value still waiting to be sent when the dialog opens is neither
    // overwritten by what the dialog shows nor taken back by Cancel.
    void aValueWaitingToBeSentSurvivesTheDialog()
    {
        EditorRig rig;
        rig.sync->submit(1, Phantom1, 0, Submit::Copy);
        FrmChSetting *w = channelDialog(rig, 0, 0);
        QVERIFY(w->OpnParamCh(11)->isChecked()); // the mixer still holds ON
        w->Timer1();
        QCOMPARE(rig.mixers.MixerSetData[1].Phantom(1), 0);
        QVERIFY(rig.mixers.waiting(1, Phantom1));
        w->cmdCancel()->click();
        QCOMPARE(rig.mixers.MixerSetData[1].Phantom(1), 0);
        for (int i = 0; i < 6; ++i)
            rig.exchange();
        QCOMPARE(rig.chain->blockByte(1, Phantom1), 0);

        // The dialog follows what the mixer reports.
        w = channelDialog(rig, 0, 0);
        rig.chain->setBlockByte(1, InputGain1, 64);
        rig.settle(*w, 3);
        QCOMPARE(shown(w->UpDwInpgain()), QStringLiteral("0.0"));
        QCOMPARE(w->pictureShown(), 31);
        QVERIFY(w->OpnParamCh(10)->isChecked());
        w->close();
    }

    void screenshots()
    {
        EditorRig rig(2);
        rig.chain->setBlockByte(2, InputGain1 + 2, 40);
        rig.chain->setBlockByte(2, OutputGain, 52);
        rig.chain->setBlockByte(1, InputGain1 + 5, 22);
        rig.chain->setBlockByte(1, 75, 0); // the master's gate attenuation is automatic
        poll(rig);
        FrmChSetting *ch = channelDialog(rig, 1, 2);
        ch->chkEnable()->click();
        saveScreenshot(*ch, QStringLiteral("frmChSetting"));
        ch->close();
        FrmOutputSetting *out = outputDialog(rig, 1);
        saveScreenshot(*out, QStringLiteral("frmOutputSetting"));
        out->close();
        for (int item : {4, 11}) {
            FrmParameter grid;
            grid.setGrid(parameterGrid(item, rig.mixers, 12.5));
            grid.show();
            saveScreenshot(grid, QStringLiteral("FrmParameter_item%1").arg(item));
        }
    }
};

ZK_TEST_MAIN(TestEditorDialogs)
#include "tst_editordialogs.moc"
