// Direct memory access: hexadecimal texts, requests, and FrmDirect driving
// the job window against a scripted or virtual mixer.

#include "maintenance/directaccess.h"
#include "app/ui/directwindow.h"
#include "maintenance/frmdirect.h"

#include "base/strings.h"
#include "app/ui/frmmsg.h"
#include "app/world.h"
#include "tests/app/jobs/jobrig.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestDirectAccess : public QObject
{
    Q_OBJECT

private slots:
    void hexTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint32>("value");
        QTest::newRow("1F") << "1F" << true << 0x1Fu;
        QTest::newRow("lower case") << "deadbeef" << true << 0xDEADBEEFu;
        QTest::newRow("blanks around") << " 0AFF0001 " << true << 0x0AFF0001u;
        QTest::newRow("empty is zero") << "" << true << 0u;
        QTest::newRow("nine digits") << "123456789" << false << 0u;
        QTest::newRow("not hex") << "12G4" << false << 0u;
        QTest::newRow("sign") << "-1" << false << 0u;
        QTest::newRow("prefix") << "0x10" << false << 0u;
        QTest::newRow("inner blank") << "12 34" << false << 0u;
    }
    void hexTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(quint32, value);
        const auto v = parseHex32(text);
        QCOMPARE(v.has_value(), valid);
        if (valid)
            QCOMPARE(*v, value);
        QCOMPARE(hex8(0x1F), QStringLiteral("0000001F"));
        QCOMPARE(hex8(0xABCDEF01), QStringLiteral("ABCDEF01"));
    }

    void requests()
    {
        QCOMPARE(directReadRequest(0, 0x1F), QByteArray::fromHex("4152010100 00001F"));
        QCOMPARE(directReadRequest(1, 0x1F).at(3), char(2));
        QCOMPARE(directReadRequest(7, 0x1F).at(3), char(4));
        // All four data bytes go out whatever the size.
        QCOMPARE(directWriteRequest(0, 0x10203040, 0xAABBCCDD), QByteArray::fromHex("41570101 10203040 AABBCCDD"));
    }

    void readShowsTheDataAndNormalisesTheAddress()
    {
        JobRig rig;
        rig.script = [](const QByteArray &rq) {
            return rq.startsWith("AR") ? QList<QByteArray>{QByteArray::fromHex("415200 0AFF0001")} : QList<QByteArray>{};
        };
        World world(rig.clock, rig.dialogs);
        JobWindow jobs(world, *rig.comm);
        QPointer<FrmDirect> open;
        QPointer<FrmDirect> w = openDirect(world, jobs, true, nullptr, open);
        QVERIFY(w->readMode());
        QVERIFY(world.jobs.pollHeld());
        QCOMPARE(w->windowTitle(), QStringLiteral("ダイレクト読み出し"));
        w->OpnSize(0)->setChecked(true);
        w->TxtAddress()->setText(QStringLiteral("1f"));
        w->CmdJob(0)->click();
        QCOMPARE(rig.transport->sent, QList<QByteArray>{QByteArray::fromHex("41520101 0000001F")});
        QCOMPARE(w->TxtAddress()->text(), QStringLiteral("0000001F"));
        QCOMPARE(w->TxtData()->text(), QStringLiteral("0AFF0001"));
        QVERIFY(rig.dialogs.shown.empty());
        saveScreenshot(*w, QStringLiteral("FrmDirect"));
        w->CmdJob(1)->click();
        QVERIFY(!world.jobs.pollHeld());
        QTRY_VERIFY_WITH_TIMEOUT(w.isNull(), 2000);
    }

    void oneDirectAccessWindowAtATime()
    {
        JobRig rig;
        World world(rig.clock, rig.dialogs);
        JobWindow jobs(world, *rig.comm);
        auto windows = [] {
            int n = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                n += qobject_cast<FrmDirect *>(w) && w->isVisible();
            return n;
        };
        QPointer<FrmDirect> open;
        QPointer<FrmDirect> first = openDirect(world, jobs, true, nullptr, open);
        // The read command again: the open window, no second one.
        QCOMPARE(openDirect(world, jobs, true, nullptr, open), first.data());
        QVERIFY(world.jobs.pollHeld());
        QCOMPARE(windows(), 1);
        // The write command: the read window makes way, polling stays off.
        QPointer<FrmDirect> write = openDirect(world, jobs, false, nullptr, open);
        QVERIFY(!write->readMode());
        QCOMPARE(open.data(), write.data());
        QVERIFY(world.jobs.pollHeld());
        QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 2000);
        QCOMPARE(windows(), 1);
        QVERIFY(world.jobs.pollHeld());

        // Another command asked for its job while the window was open:
        // closing the window leaves that request for the loop.
        world.jobs.request(JobWork::of(JobKind::IpSettings));
        write->close();
        QVERIFY(world.jobs.waiting(JobKind::IpSettings));
        QVERIFY(!world.jobs.pollHeld());
        QTRY_VERIFY_WITH_TIMEOUT(open.isNull(), 2000);
    }

    void badHexIsRefusedAndNothingSent_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("data");
        QTest::newRow("read, address not hex") << true << "XYZ" << "";
        QTest::newRow("write, data not hex") << false << "10" << "12345G";
        QTest::newRow("write, address too long") << false << "100000000" << "1";
    }
    void badHexIsRefusedAndNothingSent()
    {
        QFETCH(bool, read);
        QFETCH(QString, address);
        QFETCH(QString, data);
        JobRig rig;
        World world(rig.clock, rig.dialogs);
        JobWindow jobs(world, *rig.comm);
        FrmDirect w(read, &world.jobs.pollHolds(), world.dialogs,
                    [&](bool r, const QByteArray &rq, QWidget *over) { return jobs.runDirect(r, rq, over); });
        w.TxtAddress()->setMaxLength(32); // typed or pasted text longer than the field shows
        w.TxtAddress()->setText(address);
        w.TxtData()->setText(data);
        w.CmdJob(0)->click();
        QVERIFY(rig.transport->sent.isEmpty());
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::InvalidData)});
        QCOMPARE(w.TxtAddress()->text(), address);
    }

    void writeToTheVirtualMixerAndFailureKeepsData()
    {
        JobRig rig;
        World world(rig.clock, rig.dialogs);
        JobWindow jobs(world, *rig.comm);
        FrmDirect w(false, &world.jobs.pollHolds(), world.dialogs,
                    [&](bool r, const QByteArray &rq, QWidget *over) { return jobs.runDirect(r, rq, over); });
        QCOMPARE(w.CmdJob(0)->text(), QStringLiteral("書き込み"));
        w.OpnSize(0)->setChecked(true);
        w.TxtAddress()->setText(QStringLiteral("200"));
        w.TxtData()->setText(QStringLiteral("ab"));
        w.CmdJob(0)->click();
        QCOMPARE(rig.transport->sent.size(), 1);
        QCOMPARE(rig.transport->sent.front().size(), 12);
        QCOMPARE(w.TxtData()->text(), QStringLiteral("000000AB"));
        QVERIFY(rig.dialogs.shown.empty());

        FrmDirect r(true, &world.jobs.pollHolds(), world.dialogs,
                    [&](bool rm, const QByteArray &rq, QWidget *over) { return jobs.runDirect(rm, rq, over); });
        r.TxtData()->setText(QStringLiteral("11111111"));
        rig.script = [](const QByteArray &) { return QList<QByteArray>{}; };
        r.CmdJob(0)->click();
        QCOMPARE(rig.dialogs.texts(), QStringList{str(StrId::AbnormalEnd)});
        QCOMPARE(r.TxtData()->text(), QStringLiteral("11111111"));
    }
};

ZK_TEST_MAIN(TestDirectAccess)
#include "tst_directaccess.moc"
