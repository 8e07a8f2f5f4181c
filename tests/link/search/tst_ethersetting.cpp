// The connection dialog: its decisions (EtherTargetFlow) with a stand-in
// search, then the window itself, and one search through the window against a
// virtual mixer on loopback.

#include "base/clock.h"
#include "base/config.h"
#include "base/dialogs.h"
#include "link/search/ethertarget.h"
#include "link/ui/frmethersetting.h"
#include "searchtesthelpers.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kInvalid = QStringLiteral("無効なデータです");

struct Fixture
{
    QTemporaryDir programDir;
    QTemporaryDir userDir;
    IniConfig ini{programDir.path(), userDir.path()};
    ManualClock clock;
    ScriptedDialogs dialogs;

    IpSettings stored() const { return ini.ipSettings(); }
    bool iniExists() const { return QFileInfo::exists(ini.readPath()); }
};

SearchResult found(const QString &address) { return {SearchOutcome::Found, address, 1}; }

} // namespace

class TstEtherSetting : public QObject
{
    Q_OBJECT

private slots:
    void initialTextsFromIniOrDefaults();
    void typedAddressIsStoredAndConnected();
    void invalidTypedAddressStoresNothing();
    void invalidUserIdRunsNoSearch();
    void foundMixerIsStoredAndConnected();
    void failedSearchKeepsTheLastConnectAddress();
    void noButtonMeansNoConnection();

    void windowShowsItsTexts();
    void windowLocksDuringASearch();
    void windowClosesOnlyOnSuccess();
    void searchThroughTheWindow();
};

void TstEtherSetting::initialTextsFromIniOrDefaults()
{
    Fixture f;
    EtherTargetTexts t = initialEtherTargetTexts(f.ini);
    QCOMPARE(t.address, QStringLiteral("192.168.100.200"));
    QCOMPARE(t.userId, QStringLiteral("administrator"));

    // An empty value counts as missing.
    QVERIFY(f.ini.setValue(QStringLiteral("IP_Setting"), QStringLiteral("IP_Address"), QString()));
    QVERIFY(f.ini.setValue(QStringLiteral("IP_Setting"), QStringLiteral("User_ID"), QStringLiteral("desk7")));
    t = initialEtherTargetTexts(f.ini);
    QCOMPARE(t.address, QStringLiteral("192.168.100.200"));
    QCOMPARE(t.userId, QStringLiteral("desk7"));
}

void TstEtherSetting::typedAddressIsStoredAndConnected()
{
    Fixture f;
    EtherTargetFlow flow(f.clock, f.dialogs, f.ini);
    flow.setSearchRunner([](const QString &) -> SearchResult { qFatal("no search expected"); });
    // Three dotted numbers are the parser's to judge; the INI keeps the text
    // as typed, the link gets the four-number form.
    QVERIFY(flow.connectClicked(QStringLiteral("10.1.258"), QStringLiteral("any_text")));
    QVERIFY(f.dialogs.shown.empty());
    QCOMPARE(flow.connectAddress(), QStringLiteral("10.1.1.2"));
    QCOMPARE(f.stored().address, QStringLiteral("10.1.258"));
    QCOMPARE(f.stored().userId, QStringLiteral("any_text"));
    bool chose = false;
    QCOMPARE(flow.result(chose), QStringLiteral("10.1.1.2"));
    QVERIFY(chose);
}

void TstEtherSetting::invalidTypedAddressStoresNothing()
{
    Fixture f;
    EtherTargetFlow flow(f.clock, f.dialogs, f.ini);
    for (const char *text : {"192.168.100.2OO", "255.255.255.255", "", "1.2.3.4.5"}) {
        f.dialogs.shown.clear();
        QVERIFY2(!flow.connectClicked(QString::fromLatin1(text), QStringLiteral("desk7")), text);
        QCOMPARE(f.dialogs.texts(), QStringList{kInvalid});
        QCOMPARE(f.dialogs.shown[0].icon, MsgIcon::Error);
    }
    QVERIFY(!f.iniExists());
    QVERIFY(flow.connectRequested());
}

void TstEtherSetting::invalidUserIdRunsNoSearch()
{
    Fixture f;
    EtherTargetFlow flow(f.clock, f.dialogs, f.ini);
    int searches = 0;
    flow.setSearchRunner([&](const QString &) { ++searches; return found(QStringLiteral("10.0.0.1")); });
    QVERIFY(!flow.searchClicked(QStringLiteral("desk_7")));
    QVERIFY(!flow.searchClicked(QString(21, u'a')));
    QCOMPARE(searches, 0);
    QCOMPARE(f.dialogs.texts(), (QStringList{kInvalid, kInvalid}));
    QVERIFY(!f.iniExists());
}

void TstEtherSetting::foundMixerIsStoredAndConnected()
{
    Fixture f;
    EtherTargetFlow flow(f.clock, f.dialogs, f.ini);
    QString searchedFor;
    flow.setSearchRunner([&](const QString &id) { searchedFor = id; return found(QStringLiteral("10.20.30.40")); });
    QVERIFY(flow.searchClicked(QStringLiteral("a1")));
    QCOMPARE(searchedFor, QStringLiteral("a1"));
    QCOMPARE(flow.connectAddress(), QStringLiteral("10.20.30.40"));
    QCOMPARE(f.stored().address, QStringLiteral("10.20.30.40"));
    QCOMPARE(f.stored().userId, QStringLiteral("a1"));
    QVERIFY(f.dialogs.shown.empty());
}

void TstEtherSetting::failedSearchKeepsTheLastConnectAddress()
{
    Fixture f;
    // A reconnect: the previous connection's address is still the connect address.
    EtherTargetFlow flow(f.clock, f.dialogs, f.ini, QStringLiteral("10.0.0.9"));
    std::vector<bool> locks;
    flow.onSearchRunning = [&](bool running) { locks.push_back(running); };
    flow.setSearchRunner([](const QString &) { return SearchResult{SearchOutcome::Several, QStringLiteral("10.0.0.2"), 2}; });
    QVERIFY(!flow.searchClicked(QStringLiteral("hall")));
    QCOMPARE(locks, (std::vector<bool>{true, false}));
    QCOMPARE(f.dialogs.texts(),
             QStringList{QStringLiteral("ネットワーク上に複数のミキサーが存在します。ユーザーIDを変更してください。")});
    QVERIFY(!f.iniExists());
    bool chose = false;
    QCOMPARE(flow.result(chose), QStringLiteral("10.0.0.9"));
    QVERIFY(chose);

    // At the first connect there is nothing to fall back on: the caller sees
    // a choice without an address and reports the failed open.
    EtherTargetFlow first(f.clock, f.dialogs, f.ini);
    first.setSearchRunner([](const QString &) { return SearchResult{}; });
    QVERIFY(!first.searchClicked(QStringLiteral("hall")));
    QCOMPARE(first.result(chose), QString());
    QVERIFY(chose);
}

void TstEtherSetting::noButtonMeansNoConnection()
{
    Fixture f;
    EtherTargetFlow flow(f.clock, f.dialogs, f.ini, QStringLiteral("10.0.0.9"));
    bool chose = true;
    QCOMPARE(flow.result(chose), QString());
    QVERIFY(!chose);
}

void TstEtherSetting::windowShowsItsTexts()
{
    Fixture f;
    QVERIFY(f.ini.SaveIpSettings(QStringLiteral("10.0.0.7"), QStringLiteral("desk7")));
    FrmEtherSetting w(f.clock, f.dialogs, f.ini);
    QCOMPARE(w.windowTitle(), QStringLiteral("接続先"));
    QCOMPARE(w.Label(0)->text(), QStringLiteral("IPアドレス"));
    QCOMPARE(w.Label(1)->text(), QStringLiteral("ユーザーID"));
    QCOMPARE(w.Text(0)->text(), QStringLiteral("10.0.0.7"));
    QCOMPARE(w.Text(1)->text(), QStringLiteral("desk7"));
    QCOMPARE(w.CmdJob(0)->text(), QStringLiteral("ミキサー検索"));
    QCOMPARE(w.CmdJob(1)->text(), QStringLiteral("通信開始"));
    QVERIFY(w.CmdJob(1)->isDefault());
    QVERIFY(!w.CmdJob(0)->isDefault());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    saveScreenshot(w, QStringLiteral("FrmEtherSetting"));
    // Enter in the address box starts communication.
    w.Text(0)->setFocus();
    QTest::keyClick(w.Text(0), Qt::Key_Return);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    bool chose = false;
    QCOMPARE(w.target(chose), QStringLiteral("10.0.0.7"));
}

void TstEtherSetting::windowLocksDuringASearch()
{
    Fixture f;
    FrmEtherSetting w(f.clock, f.dialogs, f.ini);
    w.show();
    std::vector<bool> enabledDuring;
    w.flow().setSearchRunner([&](const QString &) {
        for (QWidget *c : {static_cast<QWidget *>(w.Label(0)), static_cast<QWidget *>(w.Label(1)),
                           static_cast<QWidget *>(w.Text(0)), static_cast<QWidget *>(w.Text(1)),
                           static_cast<QWidget *>(w.CmdJob(0)), static_cast<QWidget *>(w.CmdJob(1))})
            enabledDuring.push_back(c->isEnabled());
        // Closing the window meanwhile does nothing: the search ends first.
        w.close();
        return SearchResult{};
    });
    w.CmdJob(0)->click();
    QCOMPARE(enabledDuring, std::vector<bool>(6, false));
    QVERIFY(w.isVisible());
    QVERIFY(w.CmdJob(0)->isEnabled() && w.Text(1)->isEnabled() && w.Label(0)->isEnabled());
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("ネットワーク上に該当するミキサーが見つかりません。")});
}

void TstEtherSetting::windowClosesOnlyOnSuccess()
{
    Fixture f;
    FrmEtherSetting w(f.clock, f.dialogs, f.ini);
    w.show();
    w.Text(0)->setText(QStringLiteral("192.168.1.a"));
    w.CmdJob(1)->click();
    QVERIFY(w.isVisible());
    QCOMPARE(f.dialogs.texts(), QStringList{kInvalid});
    w.Text(0)->setText(QStringLiteral("192.168.100.200"));
    w.CmdJob(1)->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(f.stored().address, QStringLiteral("192.168.100.200"));
    QCOMPARE(f.stored().userId, QStringLiteral("administrator"));

    // Closed with neither button: no connection, and no message later.
    FrmEtherSetting closed(f.clock, f.dialogs, f.ini);
    closed.show();
    closed.close();
    bool chose = true;
    QCOMPARE(closed.target(chose), QString());
    QVERIFY(!chose);
}

void TstEtherSetting::searchThroughTheWindow()
{
    const quint16 replyPort = freeUdpPort();
    LoopbackMixer mixer(QStringLiteral("desk7"), QStringLiteral("10.1.2.3"), replyPort);
    QVERIFY(mixer.bind(QHostAddress::LocalHost, 0));
    qputenv("ZKVR340A_SEARCH_ADDRESS", "127.0.0.1");
    qputenv("ZKVR340A_SEARCH_PORT", QByteArray::number(mixer.port()));
    qputenv("ZKVR340A_SEARCH_REPLY_PORT", QByteArray::number(replyPort));

    Fixture f;
    f.clock.setStep(0.01);
    QString connectAddress = QStringLiteral("10.0.0.9");
    bool chose = false;
    // The modal dialog runs its own loop: the user types and clicks from there.
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<FrmEtherSetting *>(QApplication::activeModalWidget());
        QVERIFY(w);
        w->Text(1)->setText(QStringLiteral("desk7"));
        w->CmdJob(0)->click();
    });
    const QString address = chooseEthernetTarget(f.clock, f.dialogs, f.ini, chose, nullptr, &connectAddress);
    qunsetenv("ZKVR340A_SEARCH_ADDRESS");
    qunsetenv("ZKVR340A_SEARCH_PORT");
    qunsetenv("ZKVR340A_SEARCH_REPLY_PORT");
    QCOMPARE(address, QStringLiteral("10.1.2.3"));
    QVERIFY(chose);
    QCOMPARE(connectAddress, QStringLiteral("10.1.2.3"));
    QCOMPARE(mixer.requests(), 1);
    QCOMPARE(f.stored().address, QStringLiteral("10.1.2.3"));
    QCOMPARE(f.stored().userId, QStringLiteral("desk7"));
    QVERIFY(f.dialogs.shown.empty());
}

ZK_TEST_MAIN(TstEtherSetting)
#include "tst_ethersetting.moc"
