// The job window and the version dialog, offscreen.

#include "app/ui/frmmsg.h"
#include "app/ui/frmver.h"
#include "base/strings.h"
#include "app/world.h"
#include "jobrig.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestJobWindows : public QObject
{
    Q_OBJECT

private slots:
    void versionDialogTexts()
    {
        FrmVer dlg(ProgramVersion{2, 9, 114});
        QCOMPARE(dlg.LblVersion()->text(), QStringLiteral("バージョン：2.9-114"));
        QCOMPARE(versionText({10, 0, 7}), QStringLiteral("バージョン：10.0-7"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ZK-VR340aのバージョン情報"));
        QCOMPARE(dlg.LblTitle()->text(), QStringLiteral("ZK-VR340a"));
        QCOMPARE(dlg.LblDescription()->text(), QStringLiteral("ホストＰＣ用 ZK-VR340a"));
        QCOMPARE(dlg.cmdOK()->text(), QStringLiteral("OK"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        saveScreenshot(dlg, QStringLiteral("FrmVer"));
        dlg.cmdOK()->click();
        QVERIFY(!dlg.isVisible());
    }

    void versionDialogGoesBelowMain()
    {
        QWidget main;
        main.setGeometry(100, 100, 400, 200);
        main.show();
        QPointer<FrmVer> dlg = showVersionDialog(&main);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->frameGeometry().left(), main.frameGeometry().left());
        QVERIFY(dlg->frameGeometry().top() >= main.frameGeometry().bottom());
        dlg->close();
        QTRY_VERIFY_WITH_TIMEOUT(dlg.isNull(), 2000);
    }

    void jobWindowRunsTheRequestedJob()
    {
        JobRig rig;
        World world(rig.clock, rig.dialogs);
        world.mixers.Model[1] = 0;
        JobWindow jobs(world, *rig.comm);
        QString label;
        bool visibleWhileRunning = false;
        bool secondCallRefused = false;
        jobs.onShown = [&](FrmMsg &w) {
            label = w.Label1()->text();
            visibleWhileRunning = w.isVisible() && w.isModal() && jobs.jobWindowVisible();
            secondCallRefused = !jobs.runJob(JobWork::extendedRead(), nullptr, PlaceMode::Centred);
            saveScreenshot(w, QStringLiteral("FrmMsg"));
        };
        QVERIFY(jobs.runJob(JobWork::extendedRead(), nullptr, PlaceMode::Centred));
        QCOMPARE(label, QStringLiteral("転送中．．．．"));
        QVERIFY(visibleWhileRunning);
        QVERIFY(secondCallRefused);
        QVERIFY(!jobs.jobWindowVisible());
        QCOMPARE(rig.sent("ER").size(), 10);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!(w->objectName() == QLatin1String("FrmMsg") && w->isVisible()));
    }

    void jobWindowFailureClosesWithMessage()
    {
        JobRig rig;
        rig.script = [](const QByteArray &) { return QList<QByteArray>{}; };
        World world(rig.clock, rig.dialogs);
        JobWindow jobs(world, *rig.comm);
        int marks = 0;
        jobs.markFirstReply = [&] { ++marks; };
        QVERIFY(!jobs.runJob(JobWork::extendedRead(), nullptr, PlaceMode::Centred));
        QCOMPARE(marks, 1);
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::NoResponse)});
        QVERIFY(!jobs.jobWindowVisible());
    }

    void directJobGivesTheReadData()
    {
        JobRig rig;
        rig.script = [](const QByteArray &rq) {
            return rq.startsWith("AR") ? QList<QByteArray>{QByteArray::fromHex("415200 0AFF0001")}
                                       : QList<QByteArray>{};
        };
        World world(rig.clock, rig.dialogs);
        JobWindow jobs(world, *rig.comm);
        QCOMPARE(jobs.runDirect(true, memoryReadRequest(4, 0), nullptr),
                 std::optional<QString>(QStringLiteral("0AFF0001")));
        QCOMPARE(jobs.runDirect(false, memoryWriteRequest(4, 0, 1), nullptr), std::nullopt);
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::AbnormalEnd)});
    }
};

ZK_TEST_MAIN(TestJobWindows)
#include "tst_jobwindows.moc"
