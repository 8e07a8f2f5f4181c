#include "link/ipsettings/ipsettings.h"

#include "base/config.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "link/comm.h"

#include <QStringDecoder>
#include <QStringList>

namespace {
constexpr int IpTitle = 9140;          // "IP設定"
constexpr int ResetQuestionTail = 2701; // "の設定値を初期化します"
constexpr quint8 ResetNetworkCode = 21;
constexpr int MaxOctet = 255;
} // namespace

std::optional<std::array<quint8, 4>> parseIpAddress(const QString &text)
{
    for (QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.'))
            return std::nullopt;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    std::array<quint8, 4> out{};
    bool allMax = true;
    for (int i = 0; i < 4; ++i) {
        const QString &p = parts[i];
        if (p.isEmpty() || p.size() > 3 || (p.size() > 1 && p.front() == QLatin1Char('0')))
            return std::nullopt;
        const int v = p.toInt();
        if (v > MaxOctet)
            return std::nullopt;
        out[size_t(i)] = quint8(v);
        allMax = allMax && v == MaxOctet;
    }
    if (allMax)
        return std::nullopt;
    return out;
}

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

QByteArray ipSettingsRequest(const std::array<quint8, 4> &address, bool dhcpOn, const QString &userId)
{
    NetworkSettings s;
    s.address = address;
    s.addressMode = dhcpOn ? 1 : 0;
    s.userId = userId.toLatin1();
    return networkWriteRequest(s);
}

IpSettingsFlow::IpSettingsFlow(MdlComm &comm, LoopState &loop, Dialogs &dialogs, IniConfig &ini,
                               IpSettingsHooks hooks)
    : m_comm(comm), m_loop(loop), m_dialogs(dialogs), m_ini(ini), m_hooks(std::move(hooks)),
      m_protocol(comm)
{
}

std::optional<IpSettingsView> IpSettingsFlow::load()
{
    LinkState &link = m_comm.state();
    const int count = putRequest(link.SendBuffer, networkReadRequest());
    const auto first = m_protocol.sendAndJudgeFirst(count, ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0});
    const std::optional<NetworkSettings> s =
        first.valid ? parseNetworkReply(link.ReceiveBuffer.data(), first.count) : std::nullopt;
    if (!s) {
        if (!link.closed)
            m_dialogs.tell(str(StrId::NoResponse), MsgIcon::Error);
        return std::nullopt;
    }
    IpSettingsView view;
    view.address = QStringLiteral("%1.%2.%3.%4").arg(s->address[0]).arg(s->address[1]).arg(s->address[2]).arg(s->address[3]);
    view.dhcpOn = s->addressMode == 1;
    QStringDecoder ansi("CP932");
    view.userId = ansi.isValid() ? QString(ansi(s->userId)) : QString::fromLatin1(s->userId);
    m_loop.JobRequest = JobIpActive;
    return view;
}

bool IpSettingsFlow::transfer(const QString &address, const QString &userId, bool dhcpOn)
{
    const auto parsed = parseIpAddress(address);
    if (!parsed || !validUserId(userId)) {
        m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error);
        return false;
    }
    // The next Ethernet connection goes to the new address, whatever the
    // outcome of the write.
    m_ini.SaveIpSettings(address, userId);
    putRequest(m_comm.state().SendBuffer, ipSettingsRequest(*parsed, dhcpOn, userId));
    runWithReconnect(JobIpActive);
    return true;
}

bool IpSettingsFlow::reset()
{
    const MsgAnswer a = m_dialogs.message(str(IpTitle) + str(ResetQuestionTail), MsgButtons::OkCancel,
                                          MsgIcon::Warning, str(StrId::AppTitle));
    if (a != MsgAnswer::Ok)
        return false;
    putRequest(m_comm.state().SendBuffer, initialiseRequest(Wire::Attached, ResetNetworkCode));
    m_loop.JobRequest = JobInitialise;
    runWithReconnect(JobInitialise);
    return true;
}

void IpSettingsFlow::closed()
{
    m_loop.JobRequest = JobIdle;
}

bool IpSettingsFlow::runWithReconnect(int job)
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
