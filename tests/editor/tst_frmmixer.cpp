// The mixer editor window offscreen against the virtual mixer: edits reach
// the mixer verified, the window follows what the mixers report, and who may
// edit what in a master's and a slave's window.

#include "editorrig.h"

#include "app/jobs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "editor/valueentry.h"
#include "link/linkwatch.h"
#include "link/protocol.h"
#include "tests/support/clipping.h"
#include "tests/support/englishtexts.h"
#include "tests/support/screenshot.h"
#include "tests/editor/keyids.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

namespace {

// Typed by the user into a box that takes the focus, not yet committed.
void typeOnly(ValueEntry *entry, const QString &text)
{
    entry->setFocus(Qt::MouseFocusReason);
    entry->selectAll();
    QTest::keyClicks(entry, text);
}

void wheel(QWidget *w, int notches)
{
    const QPointF at(w->rect().center());
    QWheelEvent e(at, w->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// The job loop's part of the extended data: read them as the extended read does.
void readExtended(EditorRig &rig)
{
    MixerProtocol protocol(*rig.comm);
    JobRunner(JobContext{rig.link, rig.mixers, rig.dialogs, protocol, nullptr, {}, {}, {}, nullptr})
        .extendedRead();
}

} // namespace

class TestFrmMixer : public QObject
{
    Q_OBJECT

private slots:
    void typedGainReachesTheMixerVerified()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        w.show();
        rig.settle(w, 1);
        QCOMPARE(shown(w.UpDwInpgain(2)), QStringLiteral("MUTE"));

        type(w.UpDwInpgain(2), "-20.5");
        QCOMPARE(rig.mixers.MixerSetData[1].InputGain(3), 20);
        QVERIFY(rig.mixers.waiting(1, InputGain1 + 2));
        QVERIFY(!rig.sync->dataFresh(1)); // an older reply must not undo it
        rig.settle(w);
        QCOMPARE(rig.chain->blockByte(1, InputGain1 + 2), 20);
        QVERIFY(!rig.mixers.anyPending(1));
        QCOMPARE(shown(w.UpDwInpgain(2)), QStringLiteral("-20.7"));
        QCOMPARE(w.pictureOf(2), 10);

        // Values changed at the mixer show up in the window.
        rig.chain->setBlockByte(1, InputGain1, 64);
        rig.chain->setBlockByte(1, OutputGain, 64);
        rig.settle(w, 3);
        QCOMPARE(shown(w.UpDwInpgain(0)), QStringLiteral("0.0"));
        QCOMPARE(shown(w.UpDwParam(6)), QStringLiteral("0.0"));
        QCOMPARE(w.pictureOf(8), 31);

        // A typed threshold beyond the mixer's ThresholdMax is refused.
        w.SSTMixer()->setCurrentIndex(1);
        type(w.UpDwParam(5), "20000");
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::InvalidData)});
        QCOMPARE(w.UpDwParam(5)->code(), 100);
        QVERIFY(!rig.mixers.anyPending(1));
    }

    // A value typed and then left by choosing another tab is judged and
    // stored before its page goes, however the tab is chosen; the tab bar
    // never opens a tab that is still hidden.
    void typedValueIsStoredWhenTheTabChanges()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        rig.settle(w, 1);
        QTabWidget *tabs = w.SSTMixer();
        QTabBar *bar = tabs->tabBar();

        typeOnly(w.UpDwInpgain(4), "-10");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(rig.mixers.MixerSetData[1].InputGain(5), 32);
        QVERIFY(rig.mixers.waiting(1, InputGain1 + 4));

        // Ctrl+Tab passes over the hidden tabs back to the first.
        typeOnly(w.UpDwParam(6), "-22");
        QTest::keyClick(w.UpDwParam(6), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(rig.mixers.MixerSetData[1].OutputGain(), 19);
        QVERIFY(rig.mixers.waiting(1, OutputGain));

        // Chosen by the program: the box is judged as its page hides.
        typeOnly(w.UpDwInpgain(5), "0");
        tabs->setCurrentIndex(1);
        QCOMPARE(rig.mixers.MixerSetData[1].InputGain(6), 64);
        rig.settle(w);
        QCOMPARE(rig.chain->blockByte(1, InputGain1 + 4), 32);
        QCOMPARE(rig.chain->blockByte(1, InputGain1 + 5), 64);
        QCOMPARE(rig.chain->blockByte(1, OutputGain), 19);
        QCOMPARE(shown(w.UpDwInpgain(4)), QStringLiteral("-10.0"));

        // From the system tab the keys and the wheel find no tab to the right.
        bar->setFocus(Qt::TabFocusReason);
        QTest::keyClick(bar, Qt::Key_Right);
        wheel(bar, -1);
        QCOMPARE(tabs->currentIndex(), 1);
        QTest::keyClick(bar, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(!tabs->isTabVisible(2) && !tabs->isTabVisible(3));
        QVERIFY(rig.dialogs.shown.empty());
    }

    // Values waiting to be sent when the window opens (from another window,
    // the panel, a file) are shown as they will be and stay on their way.
    void openingKeepsTheValuesWaitingToBeSent()
    {
        EditorRig rig;
        rig.sync->submit(1, Phantom1 + 2, 0, Submit::Copy);  // channel 3's phantom power off
        rig.sync->submit(1, OutputLevel, 2, Submit::Copy);   // -30dB
        rig.sync->submit(1, MuteChange, 0, Submit::Copy);    // gate attenuation auto
        FrmMixer w(rig.context(), 1, false);
        w.Timer1(); // the first refresh comes before the loop sends them
        w.Timer1();
        QVERIFY(w.OpnParamCh(210)->isChecked());
        QVERIFY(w.OpnParam(2)->isChecked());
        QVERIFY(w.OpnParam(60)->isChecked());
        QVERIFY(!w.OpnMuteM(0)->isEnabledTo(w.tabFrame(1)) && w.LblMuteA(0)->isEnabledTo(w.tabFrame(1)));
        QCOMPARE(rig.mixers.MixerSetData[1].value(Phantom1 + 2), 0);
        QCOMPARE(rig.mixers.MixerSetData[1].value(OutputLevel), 2);
        QVERIFY(rig.mixers.waiting(1, MuteChange));
        rig.settle(w);
        QCOMPARE(rig.chain->blockByte(1, Phantom1 + 2), 0);
        QCOMPARE(rig.chain->blockByte(1, OutputLevel), 2);
        QCOMPARE(rig.chain->blockByte(1, MuteChange), 0);
        QVERIFY(!rig.mixers.anyPending(1));
        QVERIFY(w.OpnParamCh(210)->isChecked() && w.OpnParam(2)->isChecked());
    }

    void ch1LinkTurnsEightStripsIntoOne()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        w.show();
        rig.settle(w, 1);
        w.OpnLink(0)->click();
        QCOMPARE(w.LblCh(2)->text(), QStringLiteral("ch 3-Link"));
        QVERIFY(!w.OpnParamCh(200)->isEnabled());
        QVERIFY(w.OpnParamCh(0)->isEnabled());

        w.UpDwInpgain(2)->setCode(30);
        QCOMPARE(rig.mixers.MixerSetData[1].InputGain(3), 0);
        type(w.UpDwInpgain(0), "-10");
        w.OpnParamCh(10)->click(); // phantom power of channel 1 off
        for (int ch = 0; ch < 8; ++ch) {
            QCOMPARE(shown(w.UpDwInpgain(ch)), QStringLiteral("-10.0"));
            QVERIFY(w.OpnParamCh(ch * 100 + 10)->isChecked());
        }
        rig.settle(w);
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(rig.chain->blockByte(1, InputGain1 + n - 1), 32);
            QCOMPARE(rig.chain->blockByte(1, 8 + n), 0);
        }

        w.OpnLink(1)->click();
        QCOMPARE(w.LblCh(2)->text(), QStringLiteral("ch 3"));
        QVERIFY(w.OpnParamCh(200)->isEnabled());
    }

    void olderModelLocksARowItCannotShow()
    {
        EditorRig rig(1, 0);
        rig.chain->setBlockByte(1, InputLevel1 + 2, 2); // channel 3 at -30 dB
        FrmMixer w(rig.context(), 1, false);
        rig.settle(w, 3);
        for (int c = 0; c < 4; ++c)
            QVERIFY2(!w.OpnParamCh(200 + c)->isEnabled(), qPrintable(QString::number(c)));
        QVERIFY(w.OpnParamCh(202)->isChecked());
        // Another channel offers what the older model has.
        QVERIFY(w.OpnParamCh(100)->isEnabled() && w.OpnParamCh(101)->isEnabled());
        QVERIFY(!w.OpnParamCh(102)->isEnabled() && !w.OpnParamCh(324)->isEnabled());
        QVERIFY(!w.OpnParam(2)->isEnabledTo(w.tabFrame(1)));
        // Once the mixer shows a value of its own again, the row is back.
        rig.chain->setBlockByte(1, InputLevel1 + 2, 1);
        rig.settle(w, 3);
        QVERIFY(w.OpnParamCh(200)->isEnabled() && !w.OpnParamCh(203)->isEnabled());
        // The older model keeps its hold time in the system tab, and the
        // refresh leaves what the user is typing there alone.
        QVERIFY(w.UpDwParam(7)->isEnabledTo(w.tabFrame(1)));
        w.UpDwParam(7)->findChild<QLineEdit *>()->setText("2.5");
        rig.settle(w, 3);
        QCOMPARE(shown(w.UpDwParam(7)), QStringLiteral("2.5"));
    }

    void slaveWindowKeepsToItsOwnSettings()
    {
        EditorRig rig(2);
        FrmMixer w(rig.context(), 2, false);
        w.show();
        rig.settle(w, 1);
        QVERIFY(!w.OpnParam(10)->isEnabledTo(w.tabFrame(1)) && !w.OpnParam(11)->isEnabledTo(w.tabFrame(1)));
        QVERIFY(!w.edits().systemOptionClicked(11).stored);
        QVERIFY(!w.OpnMixerLink(0)->isEnabled());
        QVERIFY(w.OpnParam(0)->isEnabledTo(w.tabFrame(1)) && w.OpnParam(60)->isEnabledTo(w.tabFrame(1)));
        QVERIFY(!w.UpDwParam(4)->isEnabledTo(w.tabFrame(2))); // extended data belong to the master's window

        w.SSTMixer()->setCurrentIndex(1);
        w.OpnParam(0)->click(); // -50dB(Mic)
        w.OpnParam(60)->click(); // gate attenuation auto
        rig.settle(w);
        QCOMPARE(rig.chain->blockByte(2, OutputLevel), 0);
        QCOMPARE(rig.chain->blockByte(2, 75), 0);
        QCOMPARE(rig.chain->blockByte(1, OutputLevel), 1);
        QVERIFY(!rig.mixers.anyPending(2));
    }

    void gateAttenuationOffersButtonsOrTheAmbientLevel()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        rig.settle(w, 1);
        w.SSTMixer()->setCurrentIndex(1);
        w.OpnParam(60)->click(); // auto: the mixer calculates it
        QVERIFY(!w.OpnMuteM(0)->isEnabled() && w.LblMuteA(0)->isEnabled());
        w.showAmbientLevel(12.5);
        QCOMPARE(w.LblMuteA(0)->text(), QStringLiteral("12.5"));
        w.OpnParam(61)->click(); // manual
        QVERIFY(w.OpnMuteM(0)->isEnabled() && !w.LblMuteA(0)->isEnabled());
        QVERIFY(w.LblMuteA(0)->text().isEmpty());
        w.showAmbientLevel(3);
        QVERIFY(w.LblMuteA(0)->text().isEmpty());

        // The first look at a mixer offers what its own mode does.
        for (int manual : {0, 1}) {
            EditorRig reported;
            reported.chain->setBlockByte(1, MuteChange, quint8(manual));
            for (int i = 0; i < 4; ++i)
                reported.exchange();
            FrmMixer opened(reported.context(), 1, false);
            reported.settle(opened, 1);
            opened.SSTMixer()->setCurrentIndex(1);
            QCOMPARE(opened.OpnMuteM(0)->isEnabled(), manual == 1);
            QCOMPARE(opened.LblMuteA(0)->isEnabled(), manual == 0);
        }
    }

    void hiddenTabsAskEveryTime()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        w.show();
        QTabWidget *tabs = w.SSTMixer();
        QVERIFY(!tabs->isTabVisible(2) && !tabs->isTabVisible(3));
        tabs->setCurrentIndex(1);
        rig.dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::Ok, MsgAnswer::Ok};
        w.CmdOpen(0)->click();
        QVERIFY(!tabs->isTabVisible(2));
        w.CmdOpen(0)->click();
        QVERIFY(tabs->isTabVisible(2));
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(rig.dialogs.shown.back().text,
                 QStringLiteral("拡張データの設定メニューを表示します\n通常は設定を変更しないでください"));
        QCOMPARE(rig.dialogs.shown.back().icon, MsgIcon::Warning);

        rig.jobs.clear();
        tabs->setCurrentIndex(2);
        QVERIFY(rig.jobs.waiting(JobKind::ExtendedRead));
        QVERIFY(w.tabFrame(2)->isEnabled() && !w.tabFrame(1)->isEnabled());
        tabs->setCurrentIndex(0);
        QVERIFY(!tabs->isTabVisible(2));
        tabs->setCurrentIndex(1);
        w.CmdOpen(0)->click();
        QCOMPARE(rig.dialogs.shown.size(), size_t(3));
        QVERIFY(tabs->isTabVisible(2));
    }

    void extendedWriteSendsTheMasterEntries()
    {
        EditorRig rig;
        readExtended(rig);
        FrmMixer w(rig.context(), 1, false);
        w.show();
        w.SSTMixer()->setCurrentIndex(1);
        w.CmdOpen(0)->click();
        w.SSTMixer()->setCurrentIndex(2);
        QCOMPARE(w.UpDwParam(11)->code(), 50); // Hold_Time2 as the mixer has it
        w.UpDwParam(4)->setCode(9000);
        // ThresholdMin cannot pass the ThresholdMax beside it.
        w.UpDwParam(3)->setCode(20000);
        QCOMPARE(w.UpDwParam(3)->code(), 9000);
        w.UpDwParam(3)->setCode(500);
        QVERIFY(!rig.mixers.anyPending(1)); // extended entries are not stored on edit

        rig.dialogs.shown.clear();
        w.CmdMixer(1)->click();
        QCOMPARE(rig.dialogs.texts(), QStringList{QStringLiteral("設定が変更されています")});
        QVERIFY(rig.jobs.take(JobWork::extendedWrite(1)));
        QCOMPARE(w.SSTMixer()->currentIndex(), 1);
        QVERIFY(!w.SSTMixer()->isTabVisible(2));

        // Job 4 as the loop runs it, its values from the window's entries.
        const EditorExtendedSource source([&] { return std::optional(w.extendedEntries()); },
                                          rig.mixers.ExtendedData[1]);
        MixerProtocol protocol(*rig.comm);
        JobContext job{rig.link, rig.mixers, rig.dialogs, protocol, &source, {}, {}, {}, nullptr};
        QVERIFY(JobRunner(job).extendedWrite(1));
        QCOMPARE(rig.chain->extRegister(1, 1), 9000u);
        QCOMPARE(rig.chain->extRegister(1, 2), 500u);
        // The read that follows shows the mixer's values again.
        readExtended(rig);
        w.refreshExtendedDisplay();
        QCOMPARE(w.UpDwParam(4)->code(), 9000);
    }

    void buttonsAskTheJobLoop_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("target");
        QTest::newRow("channel 4") << "CmdInitch_3" << 0 << 3;
        QTest::newRow("all channels") << "CmdInitch_8" << 0 << 8;
        // CmdInit(0..6): extended groups 1, 2, initial values, gate,
        // threshold and output groups, extended group 3.
        const QList<int> tabs{2, 2, 3, 1, 1, 1, 2};
        const QList<int> codes{16, 17, 18, 11, 10, 9, 20};
        for (int i = 0; i < codes.size(); ++i)
            QTest::newRow(qPrintable(QString("CmdInit(%1)").arg(i)))
                << QString("CmdInit_%1").arg(i) << tabs[i] << codes[i];
    }
    void buttonsAskTheJobLoop()
    {
        QFETCH(QString, button);
        QFETCH(int, tab);
        QFETCH(int, target);
        EditorRig rig(2);
        FrmMixer w(rig.context(), 1, false);
        w.show();
        if (tab >= 2) {
            w.SSTMixer()->setCurrentIndex(1);
            w.CmdOpen(tab - 2)->click();
        }
        w.SSTMixer()->setCurrentIndex(tab);
        rig.jobs.clear();
        w.findChild<QPushButton *>(button)->click();
        QVERIFY(rig.jobs.take(JobWork::initialise(1, target)));
        QVERIFY(rig.jobs.empty());
    }

    void loadingAndClosing()
    {
        EditorRig rig(2);
        rig.mixers.ExtendedData[1].ThresholdMax = 9000;
        // A value waiting to be sent keeps waiting; the rest of the working
        // copy starts as the mixers report it.
        rig.sync->submit(1, OutputGain, 30, Submit::Copy);
        rig.mixers.MixerSetData[2].InputGain(1) = 5;
        {
            FrmMixer w(rig.context(), 2, false);
            QCOMPARE(rig.mixers.MixerSetData[1].OutputGain(), 30);
            QCOMPARE(rig.mixers.MixerSetData[2].InputGain(1), 0);
            QVERIFY(rig.mixers.EditorOpen[2]);
            QVERIFY(rig.jobs.waiting(JobKind::ExtendedRead));
            QCOMPARE(rig.mixers.ExtendedData[2].ThresholdMax, 9000);
            QVERIFY(rig.printEnabled);
            w.close();
            QVERIFY(!rig.mixers.EditorOpen[2]);
            QVERIFY(rig.jobs.empty());
            QVERIFY(!rig.sync->dataReceived());
            QVERIFY(!rig.printEnabled);
        }
        // Closing leaves another window's request alone.
        FrmMixer w(rig.context(), 2, false);
        rig.jobs.request(JobWork::of(JobKind::IpSettings));
        w.close();
        QVERIFY(rig.jobs.waiting(JobKind::IpSettings) && !rig.jobs.waiting(JobKind::ExtendedRead));

        // A window whose mixer left the link closes itself, except under DEBUG.
        FrmMixer gone(rig.context(), 2, false), kept(rig.context(), 2, true);
        gone.show();
        kept.show();
        rig.mixers.MixerCount = 1;
        gone.Timer1();
        kept.Timer1();
        QVERIFY(!gone.isVisible() && kept.isVisible());
        // DEBUG also shows the silent time and ThresholdK2 of the extended tab.
        for (int field : {10, 12})
            QVERIFY(!kept.UpDwParam(field)->isHidden() && gone.UpDwParam(field)->isHidden());
        QVERIFY(!gone.UpDwParam(11)->isHidden());
    }

    void withoutWritingNothingCanBeEdited()
    {
        EditorRig rig;
        rig.mixers.WriteAccess = false;
        FrmMixer w(rig.context(), 1, false);
        QVERIFY(!w.tabFrame(0)->isEnabled());
        w.SSTMixer()->setCurrentIndex(1);
        QVERIFY(w.tabFrame(1)->isEnabled() && w.CmdOpen(0)->isEnabled());
        QVERIFY(!w.OpnParam(10)->isEnabled() && !w.UpDwParam(6)->isEnabled());
    }

    // While the connection is down every page is greyed (an edit could not
    // reach the mixer); the window stays, and is live again once it is back.
    void greyedWhileTheConnectionIsDown()
    {
        EditorRig rig;
        LinkLine line;
        line.set(str(10752).arg(QStringLiteral("127.0.0.1")), LinkHealth::Up);
        FrmMixerContext context = rig.context();
        context.linkLine = &line;
        FrmMixer w(context, 1, false);
        QVERIFY(w.tabFrame(0)->isEnabled() && w.UpDwInpgain(2)->isEnabled());
        line.set(str(10754).arg(QStringLiteral("127.0.0.1")).arg(1), LinkHealth::Reconnecting);
        for (int tab = 0; tab < 2; ++tab)
            QVERIFY(!w.tabFrame(tab)->isEnabled());
        QVERIFY(!w.UpDwInpgain(2)->isEnabled());
        line.set(str(10757).arg(QStringLiteral("127.0.0.1"), QStringLiteral("10:00:00")), LinkHealth::Up);
        QVERIFY(w.tabFrame(0)->isEnabled() && w.UpDwInpgain(2)->isEnabled());
    }

    void doubleClickOnALabelChoosesTheGridItem()
    {
        EditorRig rig;
        FrmMixer w(rig.context(), 1, false);
        w.show();
        QTest::mouseDClick(w.Lbl1L(3), Qt::LeftButton);
        w.SSTMixer()->setCurrentIndex(1);
        QTest::mouseDClick(w.Label1(1), Qt::LeftButton);
        QCOMPARE(rig.gridShown, (QList<int>{3, 9}));
        QCOMPARE(rig.editor.GridItem, 9);
    }

    // On a 1024 × 768 screen the whole window fits: a tab that needs more
    // room scrolls, and its captions keep the room they need.
    void fitsASmallScreen()
    {
        EditorRig rig(2);
        FrmMixer w(rig.context(), 1, false);
        w.setWindowTitle(MixerName(1));
        const QSize room(1000, 700); // 1024 × 768 less the frame, title and task bars
        QVERIFY2(w.minimumSizeHint().width() <= room.width() && w.minimumSizeHint().height() <= room.height(),
                 qPrintable(QString("%1x%2").arg(w.minimumSizeHint().width()).arg(w.minimumSizeHint().height())));
        w.resize(room);
        w.show();
        rig.settle(w, 3);
        QCOMPARE(w.size(), room);
        saveScreenshot(w, QStringLiteral("FrmMixer_Master_tab0_1024x768"));
        auto *page = qobject_cast<QScrollArea *>(w.SSTMixer()->currentWidget());
        QVERIFY(page);
        QScrollBar *across = page->horizontalScrollBar();
        QVERIFY(across->maximum() > 0);
        QWidget *last = w.findChild<QWidget *>(QStringLiteral("FrameCh_7"));
        auto inView = [&](QWidget *c) {
            return page->viewport()->rect().contains(QRect(c->mapTo(page->viewport(), QPoint()), c->size()));
        };
        // The keyboard reaches the last strip, and the page scrolls to it.
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.UpDwInpgain(6)->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 20 && !last->isAncestorOf(QApplication::focusWidget()); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(last->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(inView(QApplication::focusWidget()));
        across->setValue(across->maximum());
        QVERIFY(inView(last));
        QVERIFY2(clippedCaptions(w).isEmpty(), qPrintable(clippedCaptions(w).join(u'\n')));
    }

    void screenshotsOfEveryTab()
    {
        for (int mixer : {1, 2}) {
            EditorRig rig(2);
            rig.chain->setBlockByte(mixer, InputGain1 + 2, 40);
            rig.chain->setBlockByte(mixer, InputGain1 + 5, 22);
            rig.chain->setBlockByte(mixer, OutputGain, 52);
            readExtended(rig);
            FrmMixer w(rig.context(), mixer, false);
            w.setWindowTitle(MixerName(mixer));
            w.show();
            w.UpDwParam(5)->setCode(4000); // the threshold, written and read back
            rig.settle(w);
            const QString who = mixer == 1 ? "Master" : "Slave1";
            for (int tab = 0; tab < 4; ++tab) {
                if (tab >= 2) {
                    // The hidden tabs open from the system tab.
                    w.SSTMixer()->setCurrentIndex(1);
                    w.CmdOpen(tab - 2)->click();
                }
                w.SSTMixer()->setCurrentIndex(tab);
                w.resize(w.sizeHint()); // as on a screen with room for all of it
                w.Timer1();
                saveScreenshot(w, QString("FrmMixer_%1_tab%2").arg(who).arg(tab));
            }
        }
    }

    // English captions are longer: on every tab, master and slave alike, each
    // one still has the room it needs.
    void englishCaptionsFitOnEveryTab()
    {
        EnglishTexts english;
        QVERIFY(english.loaded);
        for (int mixer : {1, 2}) {
            EditorRig rig(2);
            rig.chain->setBlockByte(mixer, InputGain1 + 2, 40);
            rig.chain->setBlockByte(mixer, OutputGain, 52);
            readExtended(rig);
            FrmMixer w(rig.context(), mixer, false);
            w.setWindowTitle(MixerName(mixer));
            w.show();
            w.UpDwParam(5)->setCode(4000);
            rig.settle(w);
            QCOMPARE(w.windowTitle(), mixer == 1 ? QStringLiteral("Master") : QStringLiteral("Slave 1"));
            QCOMPARE(w.SSTMixer()->tabText(0), QStringLiteral("Channels"));
            for (int tab = 0; tab < 4; ++tab) {
                if (tab >= 2) {
                    w.SSTMixer()->setCurrentIndex(1);
                    w.CmdOpen(tab - 2)->click();
                }
                w.SSTMixer()->setCurrentIndex(tab);
                w.resize(w.sizeHint()); // as on a screen with room for all of it
                w.Timer1();
                QApplication::processEvents();
                const QStringList clipped = clippedCaptions(w);
                QVERIFY2(clipped.isEmpty(), qPrintable(QString("tab %1: ").arg(tab) + clipped.join(u'\n')));
                if (mixer == 1)
                    saveScreenshot(w, QString("FrmMixer_Master_tab%1_en").arg(tab));
            }
        }
    }
};

ZK_TEST_MAIN(TestFrmMixer)
#include "tst_frmmixer.moc"
