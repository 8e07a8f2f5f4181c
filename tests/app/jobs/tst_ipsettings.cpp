// The mixer's network settings: checks, request bytes, and FrmIPSetting with
// the job window against the virtual mixer on virtual time.

#include "link/ipsettings/frmipsetting.h"
#include "link/ipsettings/ipsettings.h"

#include "base/config.h"
#include "base/strings.h"
#include "app/ui/frmmsg.h"
#include "app/world.h"
#include "jobrig.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct IpRig
{
    explicit IpRig(LinkKind kind = LinkKind::Ethernet) : rig(SimOptions{}, kind)
    {
        runJob = [this](const IpJob &job, QWidget *over) {
            order << QStringLiteral("job");
            overDialog = over && over->objectName() == QLatin1String("FrmIPSetting") && over->isHidden()
                == (rig.link.linkKind == LinkKind::Ethernet);
            return jobs.runIpJob(job, over);
        };
        hooks.hideWindows = [this] { order << QStringLiteral("hide"); };
        hooks.placeConnectionDialog = [this](const QRect &) { order << QStringLiteral("place"); };
        hooks.showEditor = [this] { order << QStringLiteral("show"); };
        hooks.localSubnets = [] { return QList<Ipv4Subnet>{}; }; // the same on every PC
    }

    JobRig rig;
    World world{rig.clock, rig.dialogs};
    JobWindow jobs{world, *rig.comm};
    QTemporaryDir dir;
    IniConfig ini{dir.path(), dir.path()};
    IpSettingsHooks hooks;
    PollHolds *holds = &world.jobs.pollHolds();
    FrmIPSetting::RunJob runJob;
    QStringList order;
    bool overDialog = false;
};

} // namespace

class TestIpSettings : public QObject
{
    Q_OBJECT

private slots:
    void userIds()
    {
        QVERIFY(validUserId(QStringLiteral("administrator")));
        QVERIFY(validUserId(QString(20, QLatin1Char('z'))));
        QVERIFY(!validUserId(QString(21, QLatin1Char('z'))));
        QVERIFY(!validUserId(QString()));
        QVERIFY(!validUserId(QStringLiteral("room 1")));
        QVERIFY(!validUserId(QStringLiteral("ユーザー")));
        QVERIFY(!validUserId(QStringLiteral("a_b")));
    }

    void requestBytes()
    {
        const QByteArray twenty = ipSettingsRequest({10, 0, 0, 1}, true, QString(20, QLatin1Char('A')));
        QCOMPARE(twenty.size(), 31);
        QCOMPARE(twenty.mid(0, 3), QByteArray("IP\x01"));
        QCOMPARE(twenty.mid(3, 5), QByteArray::fromHex("0A00000101"));
        QCOMPARE(twenty.mid(8, 2), QByteArray::fromHex("0015"));
        QCOMPARE(twenty.back(), '\0');
        QCOMPARE(ipSettingsRequest({1, 2, 3, 4}, false, QStringLiteral("a")).at(7), char(0));
    }

    void loadShowsTheMixerValues()
    {
        IpRig r;
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob);
        QVERIFY(dlg.loaded());
        QCOMPARE(dlg.Text(0)->text(), QStringLiteral("192.168.100.200"));
        QCOMPARE(dlg.Text(1)->text(), QStringLiteral("administrator"));
        QVERIFY(dlg.Option1(0)->isChecked());
        QVERIFY(r.world.jobs.pollHeld());
        QVERIFY(dlg.Frame1()->isEnabled());
        QVERIFY(dlg.CmdJob(0)->isDefault());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        saveScreenshot(dlg, QStringLiteral("FrmIPSetting"));
        dlg.reject();
        QVERIFY(!r.world.jobs.pollHeld());
    }

    void loadWithoutReplyTellsAndCloses()
    {
        IpRig r;
        r.rig.script = [](const QByteArray &rq) {
            // A wrong first reply is as good as none.
            return rq.startsWith("IR") ? QList<QByteArray>{QByteArray("IR\x00", 3)} : QList<QByteArray>{};
        };
        runIpSettings(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob, nullptr);
        QCOMPARE(r.rig.dialogs.texts(), QStringList{str(StrId::NoResponse)});
        QVERIFY(!r.world.jobs.pollHeld());
    }

    void withoutWriteAccessNothingCanBeChanged()
    {
        IpRig r;
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, false, r.hooks, r.runJob);
        QVERIFY(!dlg.Frame1()->isEnabled());
        QVERIFY(!dlg.CmdJob(0)->isDefault());
        dlg.show();
        r.rig.transport->sent.clear();
        QTest::keyClick(&dlg, Qt::Key_Return);
        QVERIFY(r.rig.transport->sent.isEmpty());
    }

    void transferWritesStoresAndReconnects()
    {
        IpRig r;
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob);
        dlg.show();
        dlg.Text(0)->setText(QStringLiteral("10.0.0.1"));
        dlg.Text(1)->setText(QStringLiteral("room42"));
        dlg.Option1(1)->setChecked(true);
        dlg.CmdJob(0)->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(r.ini.ipSettings().address, QStringLiteral("10.0.0.1"));
        QCOMPARE(r.ini.ipSettings().userId, QStringLiteral("room42"));
        QCOMPARE(r.rig.chain->networkBlock(), QByteArray::fromHex("0A00000101 0007") + QByteArray("room42", 7));
        QCOMPARE(r.order, (QStringList{"hide", "job", "place", "show"}));
        QVERIFY(r.overDialog); // hidden over Ethernet, the job window centred over it
        QVERIFY(r.rig.dialogs.shown.empty());
        QVERIFY(!r.world.jobs.pollHeld());
    }

    void invalidInputSendsAndStoresNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("userId");
        QTest::newRow("bad address") << "10.0.0.300" << "room42";
        QTest::newRow("user ID too long") << "10.0.0.1" << QString(21, QLatin1Char('a'));
        QTest::newRow("empty user ID") << "10.0.0.1" << "";
    }
    void invalidInputSendsAndStoresNothing()
    {
        QFETCH(QString, address);
        QFETCH(QString, userId);
        IpRig r;
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob);
        dlg.Text(1)->setMaxLength(64);
        dlg.Text(0)->setText(address);
        dlg.Text(1)->setText(userId);
        r.rig.transport->sent.clear();
        dlg.CmdJob(0)->click();
        QVERIFY(r.rig.transport->sent.isEmpty());
        QCOMPARE(r.rig.dialogs.texts(), QStringList{str(StrId::InvalidData)});
        QVERIFY(r.ini.ipSettings().address.isEmpty());
        QVERIFY(r.world.jobs.pollHeld()); // still open
    }

    void addressNoMixerCanHaveIsRefusedWithDhcpOff_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("why");
        QTest::newRow("unspecified") << "0.0.0.0" << "「このネットワーク」";
        QTest::newRow("multicast") << "224.0.0.1" << "マルチキャスト";
        QTest::newRow("loopback") << "127.0.0.1" << "ループバック";
        QTest::newRow("subnet broadcast") << "192.168.100.255" << "192.168.100.0/24 のブロードキャスト";
    }
    void addressNoMixerCanHaveIsRefusedWithDhcpOff()
    {
        QFETCH(QString, address);
        QFETCH(QString, why);
        IpRig r;
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob);
        dlg.Text(0)->setText(address);
        dlg.Option1(0)->setChecked(true);
        r.rig.transport->sent.clear();
        dlg.CmdJob(0)->click();
        QVERIFY(r.rig.transport->sent.isEmpty());
        QCOMPARE(r.rig.dialogs.shown.size(), size_t(1));
        const QString text = r.rig.dialogs.shown.front().text;
        QVERIFY2(text.contains(address) && text.contains(why), qPrintable(text));
        QCOMPARE(r.rig.dialogs.shown.front().icon, MsgIcon::Error);
        QVERIFY(r.ini.ipSettings().address.isEmpty());
        QVERIFY(r.world.jobs.pollHeld()); // still open

        // With the DHCP client on the address is only kept for later.
        dlg.Option1(1)->setChecked(true);
        dlg.CmdJob(0)->click();
        QCOMPARE(r.rig.dialogs.shown.size(), size_t(1));
        const Ipv4Octets octets = *parseIpAddress(address);
        QCOMPARE(r.rig.chain->networkBlock().left(5),
                 QByteArray(reinterpret_cast<const char *>(octets.data()), 4) + '\x01');
    }

    void zeroPaddedAddressIsStoredPlain()
    {
        IpRig r(LinkKind::Rs232c);
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob);
        dlg.Text(0)->setText(QStringLiteral("192.168.010.200"));
        dlg.CmdJob(0)->click();
        QVERIFY2(r.rig.dialogs.shown.empty(), qPrintable(r.rig.dialogs.texts().join(" / ")));
        QCOMPARE(r.rig.chain->networkBlock().left(4), QByteArray::fromHex("C0A80AC8"));
        // The connection reads a zero-padded number as octal: 010 would be 8.
        QCOMPARE(r.ini.ipSettings().address, QStringLiteral("192.168.10.200"));
    }

    void resetAsksFirst()
    {
        IpRig r(LinkKind::Rs232c);
        FrmIPSetting dlg(*r.rig.comm, r.holds, r.rig.dialogs, r.ini, true, r.hooks, r.runJob);
        dlg.show();
        r.rig.transport->sent.clear();
        r.rig.dialogs.answers.push_back(MsgAnswer::Cancel);
        dlg.CmdJob(1)->click();
        QVERIFY(r.rig.transport->sent.isEmpty());
        QCOMPARE(r.rig.dialogs.texts(), QStringList{QStringLiteral("IP設定の設定値を初期化します")});
        QCOMPARE(r.rig.dialogs.shown.back().icon, MsgIcon::Warning);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));

        r.rig.dialogs.answers.push_back(MsgAnswer::Ok);
        dlg.CmdJob(1)->click();
        QCOMPARE(r.rig.sent("IS"), QList<QByteArray>{QByteArray::fromHex("49530115")});
        QCOMPARE(r.order, QStringList{"job"}); // no reconnect over RS-232C
        QVERIFY(r.overDialog);
        QCOMPARE(r.rig.dialogs.texts().size(), 2);
        QVERIFY(!r.world.jobs.pollHeld());
    }
};

ZK_TEST_MAIN(TestIpSettings)
#include "tst_ipsettings.moc"
