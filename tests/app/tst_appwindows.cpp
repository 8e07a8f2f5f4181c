#include "base/dialogs.h"
#include "base/ui/qttranslation.h"
#include "base/ui/widgetdialogs.h"
#include "app/ui/frmdialogchoice.h"
#include "app/ui/frminterface.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmselect.h"
#include "tests/support/accesscheck.h"
#include "tests/support/clipping.h"
#include "tests/support/englishtexts.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>

class TestAppWindows : public QObject
{
    Q_OBJECT

private slots:
    void linkChoiceOffersFourLinksWithEthernetFirst()
    {
        FrmInterface dlg;
        QCOMPARE(dlg.findChild<QLabel *>()->text(),
                 QStringLiteral("ZK-VR340aとの接続インターフェイスを選択して下さい。"));
        const QStringList captions = {"RS-232C", "USB", "オフライン", "Ethernet"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dlg.CmdJob(i)->text(), captions[i]);
        QVERIFY(dlg.CmdJob(3)->isDefault());
        // Tab goes from Ethernet to RS-232C, USB and offline.
        auto nextTab = [](QWidget *w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        QCOMPARE(nextTab(dlg.CmdJob(3)), dlg.CmdJob(0));
        QCOMPARE(nextTab(dlg.CmdJob(1)), dlg.CmdJob(2));
        // Enter picks the default button.
        QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Return); });
        dlg.exec();
        QCOMPARE(dlg.choice(), LinkKind::Ethernet);
    }

    void linkChoiceClosedWithoutAChoiceMeansRs232c()
    {
        FrmInterface dlg;
        QTimer::singleShot(0, &dlg, [&] { dlg.reject(); });
        dlg.exec();
        QCOMPARE(dlg.choice(), LinkKind::Rs232c);
        FrmInterface offline;
        QTimer::singleShot(0, &offline, [&] { offline.CmdJob(2)->click(); });
        offline.exec();
        QCOMPARE(offline.choice(), LinkKind::Offline);
    }

    // Virtual mixers beside the four links, chosen by keyboard alone: Tab
    // from the serial device to the button and the count, the count typed,
    // Shift+Tab back to the button and Space. Reached over Ethernet.
    void linkChoiceOffersVirtualMixers()
    {
        FrmInterface dlg({"/dev/ttyS0"});
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.CmdVirtual()->text(), QStringLiteral("仮想ミキサー"));
        QCOMPARE(dlg.UpDwVirtual()->minimum(), 1);
        QCOMPARE(dlg.UpDwVirtual()->maximum(), 16);
        QCOMPARE(dlg.UpDwVirtual()->accessibleName(), QStringLiteral("仮想ミキサーの台数"));
        dlg.findChild<QComboBox *>()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dlg.CmdVirtual());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dlg.UpDwVirtual());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), dlg.CmdVirtual());
        QTest::keyClick(dlg.CmdVirtual(), Qt::Key_Space);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.virtualMixers(), 5);
        QCOMPARE(dlg.choice(), LinkKind::Ethernet);
        // A link chosen leaves the count alone.
        FrmInterface ethernet;
        QTimer::singleShot(0, &ethernet, [&] { ethernet.CmdJob(3)->click(); });
        ethernet.exec();
        QCOMPARE(ethernet.virtualMixers(), 0);
    }

    void menusStayDisabledUntilTheFirstReply()
    {
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        int model = 0;
        FrmMain w({link, jobs, dialogs, [] { return true; }, [&] { return model; }}, false);
        QVERIFY(!w.menu("MenFile")->menuAction()->isEnabled());
        QVERIFY(!w.Toolbar1()->isEnabled());
        // Without DEBUG the download and debug menus are hidden.
        QVERIFY(!w.menu("MenDownLoad")->menuAction()->isVisible());
        QVERIFY(!w.menu("MenDebug")->menuAction()->isVisible());
        w.Menu_Enable(true);
        QVERIFY(w.menu("MenFile")->menuAction()->isEnabled());
        QVERIFY(w.Toolbar1()->isEnabled());
        // A master without a model code keeps the IP settings closed.
        QVERIFY(!w.action("MenIP")->isEnabled());
        model = 1;
        w.Menu_Enable(true);
        QVERIFY(w.action("MenIP")->isEnabled());
        QVERIFY(!w.action("MenPrint")->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("(無題) - ZK-VR340a"));
    }

    void toolbarButtonsSayWhatTheyDo()
    {
        // The toolbar shows pictures only: a screen reader must hear each
        // command, and no two alike.
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        FrmMain w({link, jobs, dialogs}, true);
        const QStringList faults = nameFaults(&w);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QWidget *load = w.Toolbar1()->widgetForAction(w.findChild<QAction *>(QStringLiteral("tool_load")));
        QCOMPARE(accessibleName(load), QStringLiteral("設定値の読み込み"));
    }

    void offlineOnlyClosesTheLinkCommands()
    {
        LinkState link;
        link.linkKind = LinkKind::Offline;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        FrmMain w({link, jobs, dialogs}, true);
        QVERIFY(w.menu("MenDownLoad")->menuAction()->isVisible());
        QVERIFY(!w.menu("MenDownLoad")->menuAction()->isEnabled());
        QVERIFY(!w.menu("MenDebug")->menuAction()->isEnabled());
        QVERIFY(!w.action("MenIP")->isEnabled());
        QVERIFY(w.menu("MenFile")->menuAction()->isEnabled());
    }

    void commandsPostRequestsToTheLoop()
    {
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        int drains = 0;
        jobs.setDrain([&] { ++drains; });
        FrmMain w({link, jobs, dialogs, [] { return true; }, [] { return 1; }}, true);
        w.Menu_Enable(true);
        w.action("MenDebugRead")->trigger();
        QCOMPARE(jobs.first([](const JobWork &) { return true; })->kind, JobKind::DirectRead);
        QCOMPARE(drains, 1);
        // A second request while one is pending does not drain again; both wait.
        w.action("MenIP")->trigger();
        QVERIFY(jobs.waiting(JobKind::DirectRead) && jobs.waiting(JobKind::IpSettings));
        QCOMPARE(drains, 1);
        int closes = 0;
        w.closeEditors = [&] { ++closes; };
        w.action("MenDownFpga")->trigger();
        QVERIFY(jobs.take(JobWork::firmware(DownloadKind::Fpga)));
        QCOMPARE(closes, 1);
        w.action("MenDownFpga")->trigger();
        w.action("MenDownMain")->trigger(); // ignored: a download is pending
        QVERIFY(!jobs.take(JobWork::firmware(DownloadKind::MainProgram)));
        QCOMPARE(closes, 2);
    }

    void closingAsksAndEndsThroughDisconnect()
    {
        LinkState link;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        FrmMain w({link, jobs, dialogs}, false);
        int disconnects = 0;
        w.disconnect = [&] { ++disconnects; };
        w.show();
        dialogs.answers = {MsgAnswer::No};
        QVERIFY(!w.close());
        QCOMPARE(disconnects, 0);
        dialogs.answers = {MsgAnswer::Yes};
        QVERIFY(w.close());
        QCOMPARE(disconnects, 1);
        QCOMPARE(dialogs.shown.back().text, QStringLiteral("終了します。よろしいですか？"));
    }

    void mixerChoiceListsTheLinkedMixers()
    {
        // The dialog deletes itself when it closes.
        QPointer<FrmSelect> dlg = new FrmSelect(3);
        QCOMPARE(dlg->list()->count(), 3);
        QCOMPARE(dlg->list()->item(2)->text(), QStringLiteral("スレーブ2"));
        int chosen = 0;
        dlg->onChosen = [&](int mixer) { chosen = mixer; };
        dlg->show();
        dlg->list()->setCurrentRow(2);
        saveScreenshot(*dlg, QStringLiteral("FrmSelect"));
        dlg->CmdJob(0)->click();
        QCOMPARE(chosen, 3);
        QTRY_VERIFY(!dlg);
        // Before the first status reply there is nothing to choose.
        QPointer<FrmSelect> empty = new FrmSelect(0);
        QVERIFY(!empty->list()->isEnabled());
        empty->onChosen = [&](int mixer) { chosen = mixer; };
        empty->CmdJob(0)->click();
        QCOMPARE(chosen, 3);
        QTRY_VERIFY(!empty);
    }

    // DEBUG's way to the panel's settings dialogs: channels are numbered
    // across the system, as on the panel.
    void settingsDialogChoiceNamesTheSlots()
    {
        QPointer<FrmDialogChoice> dlg = new FrmDialogChoice(3);
        QCOMPARE(dlg->mixerChoice()->count(), 3);
        dlg->mixerChoice()->setCurrentIndex(2);
        QCOMPARE(dlg->slotChoice()->count(), 9);
        QCOMPARE(dlg->slotChoice()->itemText(0), QStringLiteral("ch 17"));
        QCOMPARE(dlg->slotChoice()->itemText(8), QStringLiteral("出力"));
        QPair<int, int> chosen{-1, -1};
        dlg->onChosen = [&](int mixer, int slot) { chosen = {mixer, slot}; };
        dlg->slotChoice()->setCurrentIndex(8);
        dlg->show();
        saveScreenshot(*dlg, QStringLiteral("FrmDialogChoice"));
        dlg->okButton()->click();
        QCOMPARE(chosen, qMakePair(2, 8));
        QTRY_VERIFY(!dlg);
    }

    // Qt's standard buttons speak Japanese like the rest of the program.
    void messageBoxButtonsAreJapanese()
    {
        QVERIFY(installQtJapanese(*qApp));
        QString cancel;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            cancel = box->button(QMessageBox::Cancel)->text();
            box->button(QMessageBox::Cancel)->click();
        });
        WidgetDialogs dialogs;
        QCOMPARE(dialogs.message(QStringLiteral("終了します。よろしいですか？"), MsgButtons::OkCancel,
                                 MsgIcon::Warning, QStringLiteral("ZK-VR340a")),
                 MsgAnswer::Cancel);
        QVERIFY2(cancel.contains(QStringLiteral("キャンセル")), qPrintable(cancel));
    }

    void screenshots()
    {
        FrmInterface choice({"/dev/ttyS0", "/dev/serial/by-id/usb-FTDI_USB_Serial-if00-port0"},
                            "/dev/ttyS0");
        choice.show();
        saveScreenshot(choice, QStringLiteral("FrmInterface"));
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        FrmMain w({link, jobs, dialogs, [] { return true; }, [] { return 1; }}, false);
        w.Menu_Enable(true);
        w.showLinkStatus(str(10752).arg(QStringLiteral("192.168.100.200"))); // "%1 に接続しています"
        w.show();
        saveScreenshot(w, QStringLiteral("FrmMain"));
        QVERIFY(w.isVisible());
        QMenu *file = w.menu("MenFile");
        file->popup(w.mapToGlobal(QPoint(0, 0)));
        saveScreenshot(*file, QStringLiteral("FrmMain_file_menu"));
        file->hide();
    }

    // The English program: the link choice and the main window with its
    // caption, menus and closing question.
    void linkChoiceAndMainWindowInEnglish()
    {
        EnglishTexts english;
        QVERIFY(english.loaded);
        FrmInterface choice({"/dev/ttyS0"}, "/dev/ttyS0");
        choice.show();
        QCOMPARE(choice.CmdJob(2)->text(), QStringLiteral("Offline"));
        QVERIFY2(clippedCaptions(choice).isEmpty(), qPrintable(clippedCaptions(choice).join(u'\n')));
        saveScreenshot(choice, QStringLiteral("FrmInterface_en"));

        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        JobQueue jobs;
        ScriptedDialogs dialogs;
        FrmMain w({link, jobs, dialogs, [] { return true; }, [] { return 1; }}, false);
        w.Menu_Enable(true);
        w.showLinkStatus(str(10752).arg(QStringLiteral("192.168.100.200")));
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("(Untitled) - ZK-VR340a"));
        QCOMPARE(w.menu("MenFile")->title(), QStringLiteral("&File"));
        // Each menu's keys lead to one item each, in English too.
        QVERIFY(w.action("MenReconnect") && w.action("MenRemote"));
        QVERIFY2(mnemonicClashes(&w).isEmpty(), qPrintable(mnemonicClashes(&w).join(u'\n')));
        saveScreenshot(w, QStringLiteral("FrmMain_en"));
        dialogs.answers = {MsgAnswer::No};
        QVERIFY(!w.close());
        QCOMPARE(dialogs.shown.back().text, QStringLiteral("Quit the program?"));
    }
};

ZK_TEST_MAIN(TestAppWindows)
#include "tst_appwindows.moc"
