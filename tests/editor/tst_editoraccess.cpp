// The editor and its settings dialogs as assistive technology meets them:
// every control named with its channel or mixer and its row, no two alike,
// labels tied to their fields, entry boxes telling the value they show, the
// editor presented as a window.

#include "editorrig.h"

#include "editor/scales.h"
#include "editor/ui/frmchsetting.h"
#include "editor/ui/frmoutputsetting.h"
#include "editor/ui/markbadge.h"
#include "mixer/parametertable.h"
#include "editor/valueentry.h"
#include "tests/support/accesscheck.h"
#include "tests/support/screenshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
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
        // Screen readers hear it on the control's row.
        QCOMPARE(failed->parentWidget()->accessibleDescription(), failed->toolTip());
        w.show();
        saveScreenshot(w, QStringLiteral("FrmMixer_marks"));
    }

    void entryBoxesReportTheValueTheyShow()
    {
        EditorRig rig(1);
        FrmMixer w(rig.context(), 1, false);
        ValueEntry *gain = w.UpDwInpgain(0);
        gain->setCode(0);
        QAccessibleValueInterface *value = accessible(gain)->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toString(), QStringLiteral("MUTE"));
        QCOMPARE(accessible(gain)->text(QAccessible::Value), QStringLiteral("MUTE"));
        for (int code : {1, 40, LevelCodeMax}) {
            gain->setCode(code);
            QCOMPARE(value->currentValue().toDouble(), levelDb(code));
            QCOMPARE(accessible(gain)->text(QAccessible::Value), gain->findChild<QLineEdit *>()->text());
        }
        // A count and a time report their numbers too.
        w.UpDwParam(FrmMixer::FieldHoldTime)->setCode(3);
        QCOMPARE(accessible(w.UpDwParam(FrmMixer::FieldHoldTime))->valueInterface()->currentValue().toDouble(), 2.0);
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

QTEST_MAIN(TestEditorAccess)
#include "tst_editoraccess.moc"
