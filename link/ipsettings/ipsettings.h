#pragma once

// The mixer's own network settings (address, DHCP client, user ID) without
// widgets: checks of the typed values, the IP request, and the flow of
// FrmIPSetting: read on opening, write with read-back, reset to defaults, and
// the reconnect an Ethernet link needs afterwards.

#include "link/ipsettings/mixeraddress.h"
#include "link/protocol.h"

#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <optional>

#include "base/pollhold.h"

class Dialogs;
class IniConfig;
class MdlComm;

constexpr int MaxUserIdLength = 20;
// The initialise code that sets the attached mixer's network settings back
// to the factory's.
constexpr quint8 ResetNetworkCode = 21;

// 1 to 20 characters, each A-Z, a-z or 0-9.
bool validUserId(const QString &text);
// The user ID bytes the mixer keeps, as text: each byte read in the code page
// of the program's texts (CP932), as the dialog and the tool both show it.
QString decodeUserId(const QByteArray &bytes);

// The networks of this PC's IPv4 interfaces that are up.
QList<Ipv4Subnet> localIpv4Subnets();
// Why `address` cannot be given to a mixer whose DHCP client is off, one
// sentence naming the reason; empty when it can.
QString mixerAddressRefusal(const Ipv4Octets &address, const QList<Ipv4Subnet> &localSubnets);
// "IP" 1, address, mode (1 DHCP on), N, user ID, 0: 11 + length + 1 bytes.
QByteArray ipSettingsRequest(const std::array<quint8, 4> &address, bool dhcpOn, const QString &userId);

// What the dialog shows after the read.
struct IpSettingsView
{
    QString address;   // dotted decimal
    QString userId;
    bool dhcpOn = false;
};

// The jobs the dialog runs in the job window: the write of new settings
// (`request`, "I","P"), or the initialise of the attached mixer's network
// settings (ResetNetworkCode).
struct IpJob
{
    enum class Kind { Write, Reset };
    Kind kind = Kind::Write;
    QByteArray request;
};

// What the flow reaches outside the link. runJob is required; the others
// matter over Ethernet only.
struct IpSettingsHooks
{
    // Runs a job in the job window over the dialog; whether it succeeded.
    std::function<bool(const IpJob &job)> runJob;
    // Before the job: hide the dialog and the editor window of the mixer shown.
    std::function<void()> hideWindows;
    // Between CommClose and CommOpen: the connection dialog is to appear
    // where the IP settings dialog was (its frame geometry).
    std::function<void(const QRect &where)> placeConnectionDialog;
    // After CommOpen: show the editor window again.
    std::function<void()> showEditor;
    // The networks an address is judged against; this PC's when not set.
    std::function<QList<Ipv4Subnet>()> localSubnets;
};

class IpSettingsFlow
{
public:
    // `pollHolds`: while the dialog is open the status poll is held.
    IpSettingsFlow(MdlComm &comm, PollHolds *pollHolds, Dialogs &dialogs, IniConfig &ini, IpSettingsHooks hooks);

    // Reads the settings ("I","R" 1, first reply judged). On success the
    // poll is held until the dialog closes; otherwise "応答がありません" was
    // shown and the dialog closes.
    std::optional<IpSettingsView> load();
    // The transfer button: false (with "無効なデータです", or the reason an
    // address cannot be the mixer's with DHCP off; nothing sent or stored)
    // when a text is refused; true when the dialog is to close. The address
    // is stored and sent in its plain decimal form.
    bool transfer(const QString &address, const QString &userId, bool dhcpOn);
    // The reset button: false when the user cancelled (nothing sent); true
    // when the dialog is to close.
    bool reset();
    // Closing the dialog by any means.
    void closed();
    // Where the dialog is, for the connection dialog of the reconnect.
    void setDialogGeometry(const QRect &r) { m_dialogGeometry = r; }

private:
    bool runWithReconnect(const IpJob &job);

    MdlComm &m_comm;
    PollHolds *m_pollHolds;
    std::optional<PollHold> m_pollHold;
    Dialogs &m_dialogs;
    IniConfig &m_ini;
    IpSettingsHooks m_hooks;
    MixerProtocol m_protocol;
    QRect m_dialogGeometry;
};
