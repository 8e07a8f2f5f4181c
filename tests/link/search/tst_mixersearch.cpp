// The UDP mixer search: the reply check and the input checks as pure
// functions, then whole searches against virtual mixers on loopback, on
// virtual time.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/search/mixersearch.h"
#include "link/search/searchtexts.h"
#include "link/search/searchwire.h"
#include "searchtesthelpers.h"
#include "tests/support/testmain.h"

#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

// An IR reply message: letters, status, address, mode, N, user ID, zero.
QByteArray irReply(const QByteArray &userId, std::initializer_list<int> address = {10, 0, 0, 5},
                   int status = 0, const QByteArray &letters = "IR")
{
    QByteArray m = letters + bytes({status}) + bytes(address) + bytes({0});
    const int n = int(userId.size()) + 1;
    m += bytes({n >> 8, n & 0xFF}) + userId + bytes({0});
    return m;
}

const QHostAddress kBroadcastLoop(QStringLiteral("127.255.255.255"));

} // namespace

class TstMixerSearch : public QObject
{
    Q_OBJECT

private slots:
    void userIdCheck_data();
    void userIdCheck();
    void inetAddr_data();
    void inetAddr();
    void typedAddress_data();
    void typedAddress();
    void replyCheck_data();
    void replyCheck();
    void endpointsFromEnvironment();
    void destinations_data();
    void destinations();

    void oneMixerIsFound();
    void twoMixersWithTheSameUserIdAreSeveral();
    void userIdDifferingInCaseDoesNotMatch();
    void lateMatchKeepsTheSearchOpen();
    void matchAfterTheQuietTimeIsNotHeard();
    void noMixerGivesUpAfterThreeAttempts();
    void busyReplyPortIsReportedAtOnce();
    void replySplitOverTwoDatagramsIsJoined();
    void mixerAnsweringEachCopyIsOneMixer();
};

void TstMixerSearch::userIdCheck_data()
{
    QTest::addColumn<QString>("userId");
    QTest::addColumn<bool>("valid");
    QTest::newRow("letter and digit") << "a1" << true;
    QTest::newRow("one letter") << "Z" << true;
    QTest::newRow("default") << "administrator" << true;
    QTest::newRow("20 characters") << QString(20, u'x') << true;
    QTest::newRow("21 characters") << QString(21, u'x') << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("underscore") << "desk_7" << false;
    QTest::newRow("space") << "desk 7" << false;
    QTest::newRow("wide letters") << "ＡＢＣ" << false;
    QTest::newRow("accented") << "café" << false;
}

void TstMixerSearch::userIdCheck()
{
    QFETCH(QString, userId);
    QFETCH(bool, valid);
    QCOMPARE(isValidUserId(userId), valid);
}

void TstMixerSearch::inetAddr_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("address");
    QTest::newRow("four numbers") << "192.168.100.200" << true << 0xC0A864C8u;
    QTest::newRow("three numbers") << "1.2.3" << true << 0x01020003u;
    QTest::newRow("three, last 16 bits") << "10.1.65535" << true << 0x0A01FFFFu;
    QTest::newRow("three, last too big") << "10.1.65536" << false << 0u;
    QTest::newRow("two numbers") << "127.1" << true << 0x7F000001u;
    QTest::newRow("one number") << "16909060" << true << 0x01020304u;
    QTest::newRow("one number, 33 bits") << "4294967296" << false << 0u;
    QTest::newRow("octal") << "010.0.0.1" << true << 0x08000001u;
    QTest::newRow("bad octal") << "08.0.0.1" << false << 0u;
    QTest::newRow("hex") << "0x7f.0.0.1" << true << 0x7F000001u;
    QTest::newRow("part over 255") << "1.2.3.256" << false << 0u;
    QTest::newRow("five numbers") << "1.2.3.4.5" << false << 0u;
    QTest::newRow("trailing dot") << "1.2.3.4." << false << 0u;
    QTest::newRow("empty part") << "1..3.4" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
    QTest::newRow("letter") << "1.2.3.a" << false << 0u;
    QTest::newRow("broadcast parses") << "255.255.255.255" << true << 0xFFFFFFFFu;
}

void TstMixerSearch::inetAddr()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, address);
    const std::optional<quint32> parsed = parseInetAddr(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, address);
}

void TstMixerSearch::typedAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("connectTo"); // empty: refused
    QTest::newRow("usual") << "192.168.100.200" << "192.168.100.200";
    QTest::newRow("three numbers") << "192.168.300" << "192.168.1.44";
    QTest::newRow("three numbers, refused") << "192.168.70000" << "";
    QTest::newRow("label form is decimal") << "192.168.010.200" << "192.168.10.200";
    QTest::newRow("label form, leading zero") << "010.0.0.1" << "10.0.0.1";
    QTest::newRow("label form, 08") << "08.0.0.1" << "8.0.0.1";
    QTest::newRow("short form stays octal") << "010.1" << "8.0.0.1";
    QTest::newRow("label form over 255") << "192.168.256.1" << "";
    QTest::newRow("letter") << "192.168.100.2OO" << "";
    QTest::newRow("hex letters are letters") << "0x7f.0.0.1" << "";
    QTest::newRow("space") << "192.168.100.200 " << "";
    QTest::newRow("broadcast") << "255.255.255.255" << "";
    QTest::newRow("broadcast as one number") << "4294967295" << "";
    QTest::newRow("dots only") << "..." << "";
}

void TstMixerSearch::typedAddress()
{
    QFETCH(QString, text);
    QFETCH(QString, connectTo);
    QCOMPARE(isValidTypedAddress(text), !connectTo.isEmpty());
    QCOMPARE(canonicalTypedAddress(text), connectTo);
}

void TstMixerSearch::replyCheck_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("found"); // empty: no match
    const QByteArray id = "desk7";
    QTest::newRow("match") << irReply(id, {192, 168, 1, 20}) << "192.168.1.20";
    QTest::newRow("no leading zeros") << irReply(id, {10, 0, 0, 5}) << "10.0.0.5";
    QTest::newRow("case differs") << irReply("Desk7") << "";
    QTest::newRow("longer id") << irReply("desk77") << "";
    QTest::newRow("shorter id") << irReply("desk") << "";
    // The header passes on any one of its three marks.
    QTest::newRow("status 3, letters IR") << irReply(id, {10, 0, 0, 5}, 3) << "10.0.0.5";
    QTest::newRow("only byte 1 is R") << irReply(id, {10, 0, 0, 5}, 1, "XR") << "10.0.0.5";
    QTest::newRow("only byte 0 is I") << irReply(id, {10, 0, 0, 5}, 1, "IX") << "10.0.0.5";
    QTest::newRow("only status 0") << irReply(id, {10, 0, 0, 5}, 0, "XX") << "10.0.0.5";
    QTest::newRow("no mark") << irReply(id, {10, 0, 0, 5}, 1, "XX") << "";
    QTest::newRow("extra byte") << irReply(id) + bytes({0}) << "";
    QTest::newRow("short by one") << irReply(id).chopped(1) << "";
    QByteArray noZero = irReply(id);
    noZero[noZero.size() - 1] = 'x';
    QTest::newRow("no closing zero") << noZero << "";
    QByteArray wrongN = irReply(id);
    wrongN[9] = char(7);
    QTest::newRow("N disagrees with the id") << wrongN << "";
    QTest::newRow("too short for a block") << QByteArray("IR") + bytes({0, 10, 0, 0, 5}) << "";
}

void TstMixerSearch::replyCheck()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, found);
    const std::optional<QString> got = matchSearchReply(message, "desk7");
    QCOMPARE(got.value_or(QString()), found);
}

void TstMixerSearch::endpointsFromEnvironment()
{
    qunsetenv("ZKVR340A_SEARCH_ADDRESS");
    qunsetenv("ZKVR340A_SEARCH_PORT");
    qunsetenv("ZKVR340A_SEARCH_REPLY_PORT");
    SearchEndpoints e = searchEndpointsFromEnvironment();
    QCOMPARE(e.searchAddress, QHostAddress(QStringLiteral("255.255.255.255")));
    QCOMPARE(e.port, quint16(1001));
    QCOMPARE(e.replyPort, quint16(1002));
    QCOMPARE(e.replyBindAddress(), QHostAddress(QHostAddress::AnyIPv4));

    qputenv("ZKVR340A_SEARCH_ADDRESS", "127.0.0.2");
    qputenv("ZKVR340A_SEARCH_PORT", "41001");
    qputenv("ZKVR340A_SEARCH_REPLY_PORT", "41002");
    e = searchEndpointsFromEnvironment();
    QCOMPARE(e.searchAddress, QHostAddress(QStringLiteral("127.0.0.2")));
    QCOMPARE(e.port, quint16(41001));
    QCOMPARE(e.replyPort, quint16(41002));
    // A search on loopback never listens beyond it.
    QCOMPARE(e.replyBindAddress(), QHostAddress(QHostAddress::LocalHost));

    qputenv("ZKVR340A_SEARCH_ADDRESS", "mixer.local");
    qputenv("ZKVR340A_SEARCH_PORT", "70000");
    qputenv("ZKVR340A_SEARCH_REPLY_PORT", "x");
    e = searchEndpointsFromEnvironment();
    QCOMPARE(e.searchAddress, QHostAddress(QStringLiteral("255.255.255.255")));
    QCOMPARE(e.port, quint16(1001));
    QCOMPARE(e.replyPort, quint16(1002));
    qunsetenv("ZKVR340A_SEARCH_ADDRESS");
    qunsetenv("ZKVR340A_SEARCH_PORT");
    qunsetenv("ZKVR340A_SEARCH_REPLY_PORT");
}

void TstMixerSearch::destinations_data()
{
    QTest::addColumn<QString>("searchAddress");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("broadcast: every broadcast-capable interface that is up")
        << "255.255.255.255" << QStringList{"255.255.255.255", "192.168.1.255", "172.16.255.255"};
    QTest::newRow("loopback override only") << "127.255.255.255" << QStringList{"127.255.255.255"};
    QTest::newRow("one subnet on purpose") << "192.168.7.255" << QStringList{"192.168.7.255"};
}

void TstMixerSearch::destinations()
{
    QFETCH(QString, searchAddress);
    QFETCH(QStringList, expected);
    QStringList got;
    const auto iface = [](bool up, bool loopback, bool canBroadcast, const QStringList &broadcasts) {
        SearchInterface i{up, loopback, canBroadcast, {}};
        for (const QString &b : broadcasts)
            i.broadcasts << QHostAddress(b);
        return i;
    };
    const QList<SearchInterface> machine{
        iface(true, true, false, {"127.255.255.255"}),             // loopback
        iface(true, false, true, {"192.168.1.255", "fe80::ffff"}), // wired, with IPv6
        iface(false, false, true, {"10.0.0.255"}),                 // down
        iface(true, false, false, {"10.8.0.255"}),                 // point to point
        iface(true, false, true, {"172.16.255.255"}),              // wireless
        iface(true, false, true, {"192.168.1.255"}),               // bridge on the same net
    };
    for (const QHostAddress &a : searchDestinations(QHostAddress(searchAddress), machine))
        got << a.toString();
    QCOMPARE(got, expected);
}

void TstMixerSearch::oneMixerIsFound()
{
    const quint16 replyPort = freeUdpPort();
    LoopbackMixer mixer(QStringLiteral("desk7"), QStringLiteral("10.1.2.3"), replyPort);
    QVERIFY(mixer.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0));
    ManualClock clock;
    clock.setStep(0.01);
    MixerSearch search(clock, {QHostAddress(QStringLiteral("127.0.0.2")), mixer.port(), replyPort});
    const double start = clock.now();
    const SearchResult r = search.run(QStringLiteral("desk7"));
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QCOMPARE(r.address, QStringLiteral("10.1.2.3"));
    QCOMPARE(mixer.requests(), 1);
    QCOMPARE(mixer.lastRequest(), bytes({0xAA, 0x55, 0, 0, 0, 3, 0x49, 0x52, 0x01}));
    // Ends 3 s after the reply, not after the 20 s attempt.
    QVERIFY(clock.now() - start > 3.0);
    QVERIFY(clock.now() - start < 4.0);
    QVERIFY(!search.running());

    ScriptedDialogs dialogs;
    QVERIFY(reportSearchResult(r, search.endpoints(), dialogs));
    QVERIFY(dialogs.shown.empty());
}

void TstMixerSearch::twoMixersWithTheSameUserIdAreSeveral()
{
    const quint16 replyPort = freeUdpPort();
    LoopbackMixer a(QStringLiteral("hall"), QStringLiteral("10.0.0.1"), replyPort);
    QVERIFY(a.bind(kBroadcastLoop, 0));
    LoopbackMixer b(QStringLiteral("hall"), QStringLiteral("10.0.0.2"), replyPort);
    QVERIFY(b.bind(kBroadcastLoop, a.port()));
    ManualClock clock;
    clock.setStep(0.01);
    MixerSearch search(clock, {kBroadcastLoop, a.port(), replyPort});
    const SearchResult r = search.run(QStringLiteral("hall"));
    QCOMPARE(a.requests(), 1);
    QCOMPARE(b.requests(), 1);
    QCOMPARE(r.outcome, SearchOutcome::Several);
    QCOMPARE(r.matches, 2);

    ScriptedDialogs dialogs;
    QVERIFY(!reportSearchResult(r, search.endpoints(), dialogs));
    QCOMPARE(dialogs.shown.size(), size_t(1));
    QCOMPARE(dialogs.shown[0].text,
             QStringLiteral("ネットワーク上に複数のミキサーが存在します。ユーザーIDを変更してください。"));
    QCOMPARE(dialogs.shown[0].icon, MsgIcon::Error);
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("ZK-VR340a"));
}

void TstMixerSearch::userIdDifferingInCaseDoesNotMatch()
{
    const quint16 replyPort = freeUdpPort();
    LoopbackMixer upper(QStringLiteral("Hall"), QStringLiteral("10.0.0.1"), replyPort);
    QVERIFY(upper.bind(kBroadcastLoop, 0));
    LoopbackMixer exact(QStringLiteral("hall"), QStringLiteral("10.0.0.2"), replyPort);
    QVERIFY(exact.bind(kBroadcastLoop, upper.port()));
    ManualClock clock;
    clock.setStep(0.01);
    MixerSearch search(clock, {kBroadcastLoop, upper.port(), replyPort});
    SearchResult r = search.run(QStringLiteral("hall"));
    QCOMPARE(upper.requests(), 1);
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QCOMPARE(r.address, QStringLiteral("10.0.0.2"));

    // Looking for "HALL" matches neither.
    r = search.run(QStringLiteral("HALL"));
    QCOMPARE(r.outcome, SearchOutcome::NotFound);
    ScriptedDialogs dialogs;
    QVERIFY(!reportSearchResult(r, search.endpoints(), dialogs));
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ネットワーク上に該当するミキサーが見つかりません。")});
    QCOMPARE(dialogs.shown[0].icon, MsgIcon::Error);
}

namespace {

// Sends scripted replies into the reply port at given virtual times.
struct ReplyScript
{
    struct Reply
    {
        double at; // seconds after the request
        QByteArray message;
    };
    std::vector<Reply> replies;
    QUdpSocket sender;
    quint16 replyPort = 0;
    double requestTime = -1;
    size_t next = 0;

    void hook(const Clock &clock)
    {
        while (requestTime >= 0 && next < replies.size()
               && clock.now() - requestTime >= replies[next].at) {
            sender.writeDatagram(etherFrame(replies[next].message), QHostAddress::LocalHost, replyPort);
            ++next;
        }
    }
};

} // namespace

void TstMixerSearch::lateMatchKeepsTheSearchOpen()
{
    ReplyScript script;
    script.replyPort = freeUdpPort();
    script.replies = {{0.5, irReply("desk7", {10, 0, 0, 1})},
                      {0.5 + 2.9, irReply("desk7", {10, 0, 0, 2})}};
    ManualClock clock;
    clock.setStep(0.01);
    clock.setOnWait([&] { script.hook(clock); });
    MixerSearch search(clock, {QHostAddress::LocalHost, freeUdpPort(), script.replyPort});
    std::vector<double> matchTimes;
    connect(&search, &MixerSearch::requestSent, this, [&] { script.requestTime = clock.now(); });
    connect(&search, &MixerSearch::matchArrived, this, [&] { matchTimes.push_back(clock.now()); });
    const SearchResult r = search.run(QStringLiteral("desk7"));
    QCOMPARE(r.matches, 2);
    QCOMPARE(r.outcome, SearchOutcome::Several);
    QCOMPARE(matchTimes.size(), size_t(2));
    // Open until 3 s after the second match, so 5.9 s after the first.
    const double end = clock.now();
    QVERIFY2(end - matchTimes[1] > 3.0 && end - matchTimes[1] < 3.1, qPrintable(QString::number(end - matchTimes[1])));
}

void TstMixerSearch::matchAfterTheQuietTimeIsNotHeard()
{
    ReplyScript script;
    script.replyPort = freeUdpPort();
    script.replies = {{0.5, irReply("desk7", {10, 0, 0, 1})},
                      {0.5 + 3.1, irReply("desk7", {10, 0, 0, 2})}};
    ManualClock clock;
    clock.setStep(0.01);
    clock.setOnWait([&] { script.hook(clock); });
    MixerSearch search(clock, {QHostAddress::LocalHost, freeUdpPort(), script.replyPort});
    connect(&search, &MixerSearch::requestSent, this, [&] { script.requestTime = clock.now(); });
    const SearchResult r = search.run(QStringLiteral("desk7"));
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QCOMPARE(r.address, QStringLiteral("10.0.0.1"));
    QCOMPARE(script.next, size_t(1));
}

void TstMixerSearch::noMixerGivesUpAfterThreeAttempts()
{
    // A listener where the mixers would be counts the requests.
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress::LocalHost, 0));
    std::vector<double> sentAt;
    ManualClock clock; // no step: every wait runs to its deadline
    MixerSearch search(clock, {QHostAddress::LocalHost, listener.localPort(), freeUdpPort()});
    connect(&search, &MixerSearch::requestSent, this, [&] { sentAt.push_back(clock.now()); });
    const double start = clock.now();
    const SearchResult r = search.run(QStringLiteral("nobody"));
    QCOMPARE(r.outcome, SearchOutcome::NotFound);
    QCOMPARE(sentAt.size(), size_t(3));
    QVERIFY(sentAt[1] - sentAt[0] > 20.0 && sentAt[1] - sentAt[0] < 20.1);
    QVERIFY(clock.now() - start > 60.0 && clock.now() - start < 60.1);
    int datagrams = 0;
    while (listener.hasPendingDatagrams()) {
        QCOMPARE(listener.receiveDatagram().data(), searchRequestDatagram());
        ++datagrams;
    }
    QCOMPARE(datagrams, 3);
}

void TstMixerSearch::busyReplyPortIsReportedAtOnce()
{
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::LocalHost, 0, QUdpSocket::DontShareAddress));
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress::LocalHost, 0));
    ManualClock clock;
    MixerSearch search(clock, {QHostAddress::LocalHost, listener.localPort(), holder.localPort()});
    const double start = clock.now();
    const SearchResult r = search.run(QStringLiteral("desk7"));
    QCOMPARE(r.outcome, SearchOutcome::PortError);
    QCOMPARE(clock.now(), start);
    QVERIFY(!listener.hasPendingDatagrams());
    ScriptedDialogs dialogs;
    QVERIFY(!reportSearchResult(r, search.endpoints(), dialogs));
    QVERIFY(dialogs.shown[0].text.contains(QString::number(holder.localPort())));
    QCOMPARE(dialogs.shown[0].icon, MsgIcon::Error);
}

void TstMixerSearch::replySplitOverTwoDatagramsIsJoined()
{
    // The receiver keeps its state between datagrams, as it does between
    // arrivals on a stream.
    const quint16 replyPort = freeUdpPort();
    ManualClock clock;
    clock.setStep(0.01);
    QUdpSocket sender;
    const QByteArray frame = etherFrame(irReply("desk7", {10, 9, 8, 7}));
    bool sent = false;
    clock.setOnWait([&] {
        if (sent)
            return;
        sent = true;
        sender.writeDatagram(frame.left(7), QHostAddress::LocalHost, replyPort);
        sender.writeDatagram(frame.mid(7), QHostAddress::LocalHost, replyPort);
    });
    MixerSearch search(clock, {QHostAddress::LocalHost, freeUdpPort(), replyPort});
    const SearchResult r = search.run(QStringLiteral("desk7"));
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QCOMPARE(r.address, QStringLiteral("10.9.8.7"));
}

void TstMixerSearch::mixerAnsweringEachCopyIsOneMixer()
{
    // The request reached the mixer twice (limited and subnet broadcast); it
    // answers both, a moment apart.
    ReplyScript script;
    script.replyPort = freeUdpPort();
    script.replies = {{0.5, irReply("desk7", {10, 0, 0, 1})}, {0.6, irReply("desk7", {10, 0, 0, 1})}};
    ManualClock clock;
    clock.setStep(0.01);
    clock.setOnWait([&] { script.hook(clock); });
    MixerSearch search(clock, {QHostAddress::LocalHost, freeUdpPort(), script.replyPort});
    int heard = 0;
    connect(&search, &MixerSearch::requestSent, this, [&] { script.requestTime = clock.now(); });
    connect(&search, &MixerSearch::matchArrived, this, [&] { ++heard; });
    const SearchResult r = search.run(QStringLiteral("desk7"));
    QCOMPARE(script.next, size_t(2));
    QCOMPARE(heard, 1);
    QCOMPARE(r.outcome, SearchOutcome::Found);
    QCOMPARE(r.address, QStringLiteral("10.0.0.1"));
}

ZK_TEST_GUILESS_MAIN(TstMixerSearch)
#include "tst_mixersearch.moc"
