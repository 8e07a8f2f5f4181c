// zkvr340a-ctl search against the virtual mixer program on loopback.

#include "tests/cli/clitesthelpers.h"
#include "tests/support/testmain.h"

#include <QHostAddress>
#include <QUdpSocket>
#include <QtTest>

namespace {

quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

QProcessEnvironment searchEnv(quint16 port, quint16 replyPort)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZKVR340A_SEARCH_ADDRESS"), QStringLiteral("127.0.0.1"));
    env.insert(QStringLiteral("ZKVR340A_SEARCH_PORT"), QString::number(port));
    env.insert(QStringLiteral("ZKVR340A_SEARCH_REPLY_PORT"), QString::number(replyPort));
    return env;
}

} // namespace

class TstCtlSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void printsTheFoundAddress();
    void invalidUserIdSendsNothing();
    void busyReplyPortExitsOne();
    void virtualMixersShareOneSearchAddress();

private:
    Run search(const QStringList &args, const QProcessEnvironment &env);
    QStringList m_prefix; // link options put before the command (none needed)
};

Run TstCtlSearch::search(const QStringList &args, const QProcessEnvironment &env)
{
    return ctl(m_prefix + QStringList{QStringLiteral("search")} + args, env);
}

void TstCtlSearch::initTestCase()
{
    QVERIFY(QFileInfo(bin("zkvr340a-ctl")).isExecutable());
    QVERIFY(QFileInfo(bin("zkvr340a-sim")).isExecutable());
    // The search needs no link option: it finds the mixer before any link.
    const Run probe = ctl({QStringLiteral("search"), QStringLiteral("a_b")});
    QCOMPARE(probe.exitCode, 2);
    QVERIFY2(!QString::fromUtf8(probe.err).contains(QStringLiteral("接続を指定してください")), qPrintable(probe.err));
}

void TstCtlSearch::printsTheFoundAddress()
{
    const quint16 replyPort = freePort();
    Sim sim;
    QVERIFY(sim.start({"--search-port", "0", "--reply-port", QString::number(replyPort),
                       "--user-id", "desk7", "--address", "10.4.5.6"}));
    const quint16 port = quint16(sim.endpoints.value("search").section(':', -1).toUInt());
    QVERIFY(port > 0);
    const Run r = search({QStringLiteral("desk7")}, searchEnv(port, replyPort));
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QCOMPARE(r.out, QByteArray("10.4.5.6\n"));
    QCOMPARE(r.err, QByteArray());
}

void TstCtlSearch::invalidUserIdSendsNothing()
{
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress::LocalHost, 0));
    for (const char *id : {"desk_7", "abcdefghijklmnopqrstu"}) {
        const Run r = search({QString::fromLatin1(id)}, searchEnv(listener.localPort(), freePort()));
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(QStringLiteral("ユーザーID")), r.err.constData());
        QCOMPARE(r.out, QByteArray());
    }
    QCOMPARE(search({}, searchEnv(listener.localPort(), freePort())).exitCode, 2);
    QVERIFY(!listener.hasPendingDatagrams());
}

void TstCtlSearch::busyReplyPortExitsOne()
{
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::LocalHost, 0, QUdpSocket::DontShareAddress));
    const Run r = search({QStringLiteral("desk7")}, searchEnv(freePort(), holder.localPort()));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QVERIFY(QString::fromUtf8(r.err).contains(QString::number(holder.localPort())));
}

void TstCtlSearch::virtualMixersShareOneSearchAddress()
{
    // Three virtual mixer programs side by side on one loopback search
    // address, two of them with the same user ID.
    const quint16 port = freePort();
    const quint16 replyPort = freePort();
    const QString at = QStringLiteral("127.255.255.255:%1").arg(port);
    Sim a, b, c;
    QVERIFY(a.start({"--search-port", at, "--reply-port", QString::number(replyPort),
                     "--user-id", "hall", "--address", "10.0.0.2"}));
    QVERIFY(b.start({"--search-port", at, "--reply-port", QString::number(replyPort),
                     "--user-id", "hall", "--address", "10.0.0.3"}));
    QVERIFY(c.start({"--search-port", at, "--reply-port", QString::number(replyPort),
                     "--user-id", "foyer", "--address", "10.0.0.4"}));
    QProcessEnvironment env = searchEnv(port, replyPort);
    env.insert(QStringLiteral("ZKVR340A_SEARCH_ADDRESS"), QStringLiteral("127.255.255.255"));
    const Run several = search({QStringLiteral("hall")}, env);
    QCOMPARE(several.exitCode, 1);
    QVERIFY(QString::fromUtf8(several.err).contains(QStringLiteral("複数のミキサー")));
    const Run one = search({QStringLiteral("foyer")}, env);
    QVERIFY2(one.exitCode == 0, one.err.constData());
    QCOMPARE(one.out, QByteArray("10.0.0.4\n"));
}

ZK_TEST_GUILESS_MAIN(TstCtlSearch)
#include "tst_ctlsearch.moc"
