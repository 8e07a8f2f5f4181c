// The address typed for the mixer: the dotted-decimal parser, the addresses
// no mixer can have with its DHCP client off (and the network each refusal
// names), and the user ID bytes read back as text.

#include "link/ipsettings/ipsettings.h"
#include "link/ipsettings/mixeraddress.h"
#include "tests/support/testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(MixerAddressProblem)

namespace {
Ipv4Subnet subnet(const char *network, int prefix)
{
    return {toHostOrder(*parseIpAddress(QLatin1String(network))), prefix};
}
} // namespace

class TestMixerAddress : public QObject
{
    Q_OBJECT

private slots:
    void typedAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // empty: refused
        QTest::newRow("plain") << "192.168.1.20" << "192.168.1.20";
        QTest::newRow("zero-padded as on labels") << "192.168.001.200" << "192.168.1.200";
        QTest::newRow("padded is decimal, not octal") << "010.020.008.009" << "10.20.8.9";
        QTest::newRow("all zeros") << "000.000.000.000" << "0.0.0.0";
        QTest::newRow("four digits") << "192.168.0001.200" << "";
        QTest::newRow("limited broadcast") << "255.255.255.255" << "";
        QTest::newRow("octet too big") << "10.0.0.256" << "";
        QTest::newRow("three parts") << "10.0.1" << "";
        QTest::newRow("empty part") << "10..0.1" << "";
        QTest::newRow("hexadecimal") << "0x0A.0.0.1" << "";
        QTest::newRow("sign") << "+10.0.0.1" << "";
        QTest::newRow("blank") << "10.0.0.1 " << "";
        QTest::newRow("full-width digit") << QStringLiteral("10.0.0.１") << "";
        QTest::newRow("empty") << "" << "";
    }
    void typedAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const std::optional<Ipv4Octets> a = parseIpAddress(text);
        QCOMPARE(a ? dottedDecimal(*a) : QString(), parsed);
    }

    void addressesNoMixerCanHave_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<MixerAddressProblem>("problem");
        QTest::addColumn<QString>("network"); // the network a refusal names
        using P = MixerAddressProblem;
        QTest::newRow("host") << "192.168.100.200" << P::None << "";
        QTest::newRow("this network") << "0.0.0.0" << P::ThisNetwork << "";
        QTest::newRow("this network, any host") << "0.1.2.3" << P::ThisNetwork << "";
        QTest::newRow("loopback") << "127.0.0.1" << P::Loopback << "";
        QTest::newRow("multicast") << "224.0.0.1" << P::Multicast << "";
        QTest::newRow("last multicast") << "239.255.255.254" << P::Multicast << "";
        QTest::newRow("reserved") << "240.0.0.1" << P::Reserved << "";
        QTest::newRow("link-local host") << "169.254.10.20" << P::None << "";
        // On none of the PC's networks: the address class gives the network.
        QTest::newRow("class C broadcast") << "192.168.100.255" << P::Broadcast << "192.168.100.0/24";
        QTest::newRow("class C network") << "192.168.100.0" << P::NetworkAddress << "192.168.100.0/24";
        QTest::newRow("class B broadcast") << "172.20.255.255" << P::Broadcast << "172.20.0.0/16";
        QTest::newRow("class B host ending in 255") << "172.20.1.255" << P::None << "";
        QTest::newRow("class A broadcast") << "10.255.255.255" << P::Broadcast << "10.0.0.0/8";
        QTest::newRow("class A host ending in 0") << "10.20.30.0" << P::None << "";
        // On one of the PC's networks: that network decides.
        QTest::newRow("PC's /24 in class A: broadcast") << "10.1.2.255" << P::Broadcast << "10.1.2.0/24";
        QTest::newRow("PC's /24 in class A: network") << "10.1.2.0" << P::NetworkAddress << "10.1.2.0/24";
        QTest::newRow("PC's /23: .255 inside is a host") << "192.168.4.255" << P::None << "";
        QTest::newRow("PC's /23: its broadcast") << "192.168.5.255" << P::Broadcast << "192.168.4.0/23";
        QTest::newRow("nested networks: the longest prefix") << "172.16.9.63" << P::Broadcast
                                                              << "172.16.9.0/26";
        QTest::newRow("a /31 has no broadcast") << "192.0.2.11" << P::None << "";
    }
    void addressesNoMixerCanHave()
    {
        QFETCH(QString, address);
        QFETCH(MixerAddressProblem, problem);
        QFETCH(QString, network);
        const QList<Ipv4Subnet> pc{subnet("10.1.2.0", 24), subnet("192.168.4.0", 23), subnet("172.16.0.0", 16),
                                   subnet("172.16.9.0", 26), subnet("192.0.2.10", 31),
                                   subnet("127.0.0.0", 8)};
        const Ipv4Octets a = *parseIpAddress(address);
        const MixerAddressVerdict v = judgeMixerAddress(a, pc);
        QCOMPARE(v.problem, problem);
        const QString why = mixerAddressRefusal(a, pc);
        QCOMPARE(why.isEmpty(), problem == MixerAddressProblem::None);
        if (!network.isEmpty())
            QVERIFY2(why.contains(network), qPrintable(why));
    }

    void userIdBytesReadAsTheProgramsCodePage()
    {
        QCOMPARE(decodeUserId("administrator"), QStringLiteral("administrator"));
        // "ミキサ" and a half-width katakana as the mixer may keep them.
        QCOMPARE(decodeUserId(QByteArray::fromHex("837E834C8354B1")), QStringLiteral("ミキサｱ"));
    }
};

ZK_TEST_GUILESS_MAIN(TestMixerAddress)
#include "tst_mixeraddress.moc"
