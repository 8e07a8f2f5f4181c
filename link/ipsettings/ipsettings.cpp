#include "link/ipsettings/ipsettings.h"

#include "base/config.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"

#include <QNetworkInterface>
#include <QStringDecoder>
#include <QStringList>

namespace {
constexpr int IpTitle = 9140;          // "IP設定"
constexpr int ResetQuestionTail = 2701; // "の設定値を初期化します"

namespace Txt {
constexpr int CannotBeMixerAddress = 11301; // "IPアドレス %1 はミキサーに設定できません。\n%2"
constexpr int ThisNetwork = 11302;
constexpr int Loopback = 11303;
constexpr int Multicast = 11304;
constexpr int Reserved = 11305;
constexpr int NetworkAddress = 11306;       // "%1 のネットワークそのものを表すアドレスです。"
constexpr int Broadcast = 11307;            // "%1 のブロードキャストアドレスです。"
} // namespace Txt
} // namespace

bool validUserId(const QString &text)
{
    if (text.isEmpty() || text.size() > MaxUserIdLength)
        return false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')))
            return false;
    }
    return true;
}

QString decodeUserId(const QByteArray &bytes)
{
    QStringDecoder ansi("CP932");
    return ansi.isValid() ? QString(ansi(bytes)) : QString::fromLatin1(bytes);
}

QList<Ipv4Subnet> localIpv4Subnets()
{
    QList<Ipv4Subnet> out;
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces()) {
        if (!i.flags().testFlag(QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry &e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && e.prefixLength() > 0)
                out.push_back({e.ip().toIPv4Address(), e.prefixLength()});
    }
    return out;
}

QString mixerAddressRefusal(const Ipv4Octets &address, const QList<Ipv4Subnet> &localSubnets)
{
    const MixerAddressVerdict v = judgeMixerAddress(address, localSubnets);
    const QString network = QStringLiteral("%1/%2")
                                .arg(dottedDecimal(toOctets(v.subnet.network)))
                                .arg(v.subnet.prefixLength);
    switch (v.problem) {
    case MixerAddressProblem::None: return {};
    case MixerAddressProblem::ThisNetwork: return str(Txt::ThisNetwork);
    case MixerAddressProblem::Loopback: return str(Txt::Loopback);
    case MixerAddressProblem::Multicast: return str(Txt::Multicast);
    case MixerAddressProblem::Reserved: return str(Txt::Reserved);
    case MixerAddressProblem::NetworkAddress: return str(Txt::NetworkAddress).arg(network);
    case MixerAddressProblem::Broadcast: return str(Txt::Broadcast).arg(network);
    }
    return {};
}

QByteArray ipSettingsRequest(const std::array<quint8, 4> &address, bool dhcpOn, const QString &userId)
{
    NetworkSettings s;
    s.address = address;
    s.addressMode = dhcpOn ? 1 : 0;
    s.userId = userId.toLatin1();
    return networkWriteRequest(s);
}

IpSettingsFlow::IpSettingsFlow(MdlComm &comm, PollHolds *pollHolds, Dialogs &dialogs, IniConfig &ini,
                               IpSettingsHooks hooks)
    : m_comm(comm), m_pollHolds(pollHolds), m_dialogs(dialogs), m_ini(ini), m_hooks(std::move(hooks)),
      m_protocol(comm)
{
}

std::optional<IpSettingsView> IpSettingsFlow::load()
{
    const auto first
        = m_protocol.sendAndJudgeFirst(networkReadRequest(), ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0});
    const std::optional<NetworkSettings> s =
        first.valid ? parseNetworkReply(first.reply.data(), first.count) : std::nullopt;
    if (!s) {
        if (!m_comm.closed())
            m_dialogs.tell(str(StrId::NoResponse), MsgIcon::Error);
        return std::nullopt;
    }
    IpSettingsView view;
    view.address = dottedDecimal(s->address);
    view.dhcpOn = s->addressMode == 1;
    view.userId = decodeUserId(s->userId);
    if (m_pollHolds)
        m_pollHold.emplace(*m_pollHolds);
    return view;
}

bool IpSettingsFlow::transfer(const QString &address, const QString &userId, bool dhcpOn)
{
    const auto parsed = parseIpAddress(address);
    if (!parsed || !validUserId(userId)) {
        m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error);
        return false;
    }
    // A mixer that takes its address from a DHCP server keeps this one only
    // as a fallback; one set by hand must be reachable.
    if (!dhcpOn) {
        const QString why = mixerAddressRefusal(
            *parsed, m_hooks.localSubnets ? m_hooks.localSubnets() : localIpv4Subnets());
        if (!why.isEmpty()) {
            m_dialogs.tell(str(Txt::CannotBeMixerAddress).arg(dottedDecimal(*parsed), why), MsgIcon::Error);
            return false;
        }
    }
    // The next Ethernet connection goes to the new address, whatever the
    // outcome of the write. The plain decimal form: the connection reads a
    // zero-padded number as octal.
    m_ini.SaveIpSettings(dottedDecimal(*parsed), userId);
    runWithReconnect(IpJob{IpJob::Kind::Write, ipSettingsRequest(*parsed, dhcpOn, userId)});
    return true;
}

bool IpSettingsFlow::reset()
{
    const MsgAnswer a = m_dialogs.message(str(IpTitle) + str(ResetQuestionTail), MsgButtons::OkCancel,
                                          MsgIcon::Warning, str(StrId::AppTitle));
    if (a != MsgAnswer::Ok)
        return false;
    runWithReconnect(IpJob{IpJob::Kind::Reset, {}});
    return true;
}

void IpSettingsFlow::closed()
{
    m_pollHold.reset();
}

bool IpSettingsFlow::runWithReconnect(const IpJob &job)
{
    const bool ethernet = m_comm.state().linkKind == LinkKind::Ethernet;
    if (ethernet && m_hooks.hideWindows)
        m_hooks.hideWindows();
    const bool ok = m_hooks.runJob ? m_hooks.runJob(job) : false;
    if (ethernet) {
        // The mixer may now answer at another address.
        m_comm.CommClose();
        if (m_hooks.placeConnectionDialog)
            m_hooks.placeConnectionDialog(m_dialogGeometry);
        m_comm.CommOpen();
        if (m_hooks.showEditor)
            m_hooks.showEditor();
    }
    return ok;
}
