// `ip get` prints the network settings the attached mixer keeps (address,
// DHCP client, user ID); `ip set ADDRESS USERID [--dhcp on|off]` writes them
// with read-back, keeping the mixer's DHCP mode unless --dhcp is given. The
// checks are those of the IP settings dialog: with DHCP off, an address no
// mixer can have is refused with the reason. Nothing is stored in the
// program's INI file.

#include "cli/clicontext.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/ipsettings/ipsettings.h"
#include "link/protocol.h"

namespace {

namespace Msg {
constexpr int Usage = 9770;
constexpr int GetUsage = 9771;
constexpr int SetUsage = 9772;
constexpr int DhcpWanted = 9773;
constexpr int BadAddress = 9774;
constexpr int BadUserId = 9775;
constexpr int NotMixerAddress = 11308; // "ip set: %1 cannot be the mixer's address with DHCP off: %2"
} // namespace Msg

// Why the address cannot be the mixer's when its DHCP client is off; empty
// when it can.
QString refusalWithDhcpOff(const Ipv4Octets &address)
{
    const QString why = mixerAddressRefusal(address, localIpv4Subnets());
    return why.isEmpty() ? why : str(Msg::NotMixerAddress).arg(dottedDecimal(address), why);
}

struct IpSetArgs
{
    QString address;
    QString userId;
    std::optional<bool> dhcpOn;
};

std::optional<IpSetArgs> parseIpSet(const QStringList &args, QString &problem)
{
    IpSetArgs out;
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dhcp")) {
            const QString v = i + 1 < args.size() ? args[i + 1] : QString();
            if (v != QLatin1String("on") && v != QLatin1String("off")) {
                problem = str(Msg::DhcpWanted);
                return std::nullopt;
            }
            out.dhcpOn = v == QLatin1String("on");
            ++i;
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2) {
        problem = str(Msg::SetUsage);
        return std::nullopt;
    }
    out.address = positional[0];
    out.userId = positional[1];
    const std::optional<Ipv4Octets> address = parseIpAddress(out.address);
    if (!address) {
        problem = str(Msg::BadAddress).arg(out.address);
        return std::nullopt;
    }
    // Known unusable before any link opens when DHCP is switched off here.
    if (out.dhcpOn.has_value() && !*out.dhcpOn) {
        problem = refusalWithDhcpOff(*address);
        if (!problem.isEmpty())
            return std::nullopt;
    }
    if (!validUserId(out.userId)) {
        problem = str(Msg::BadUserId);
        return std::nullopt;
    }
    return out;
}

// The mixer's settings, as the dialog reads them when it opens.
std::optional<NetworkSettings> readSettings(MdlComm &comm)
{
    MixerProtocol protocol(comm);
    const MixerProtocol::FirstReply first
        = protocol.sendAndJudgeFirst(networkReadRequest(), ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0});
    return first.valid ? parseNetworkReply(first.reply.data(), first.count) : std::nullopt;
}

} // namespace

QString checkIpArgs(const QStringList &args)
{
    if (args.isEmpty())
        return str(Msg::Usage);
    if (args.first() == QLatin1String("get"))
        return args.size() == 1 ? QString() : str(Msg::GetUsage);
    if (args.first() == QLatin1String("set")) {
        QString problem;
        parseIpSet(args, problem);
        return problem;
    }
    return str(Msg::Usage);
}

CliExit runIpCommand(CliContext &context, const QStringList &args)
{
    if (args.first() == QLatin1String("set"))
        context.requireWriteAccess(QStringLiteral("ip set"));
    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    const std::optional<NetworkSettings> current = readSettings(*comm);
    if (!current) {
        context.err() << str(StrId::NoResponse) << '\n';
        return CliExit::NoMixer;
    }
    if (args.first() == QLatin1String("get")) {
        const auto &a = current->address;
        context.out() << "address " << a[0] << '.' << a[1] << '.' << a[2] << '.' << a[3] << '\n'
                      << "dhcp " << (current->addressMode == 1 ? "on" : "off") << '\n'
                      << "user-id " << decodeUserId(current->userId) << '\n';
        return CliExit::Ok;
    }
    QString problem;
    const IpSetArgs set = *parseIpSet(args, problem);
    const bool dhcpOn = set.dhcpOn.value_or(current->addressMode == 1);
    const Ipv4Octets address = *parseIpAddress(set.address);
    if (!dhcpOn) {
        // The mixer keeps its DHCP mode: only now is it known to be off.
        if (const QString refused = refusalWithDhcpOff(address); !refused.isEmpty()) {
            context.err() << refused << '\n';
            return CliExit::NoMixer;
        }
    }
    MixerProtocol protocol(*comm);
    const auto setFailed = [comm] { comm->dialogs().tell(str(StrId::SetFailed), MsgIcon::Warning); };
    if (protocol.IpWriteWithVerify(ipSettingsRequest(address, dhcpOn, set.userId), setFailed)
        != MixerProtocol::VerifyResult::Verified) {
        context.err() << str(StrId::NoResponse) << '\n';
        return CliExit::NoMixer;
    }
    return CliExit::Ok;
}
