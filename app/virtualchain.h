#pragma once

// The virtual chain: linked virtual mixers that run inside the program, for
// preparing a system without hardware. They answer on a TCP listener on
// 127.0.0.1 (a port the system chooses) and the program reaches them through
// its ordinary Ethernet transport, so every window, job, save and load works
// as with a room of mixers. Nothing goes beyond the loopback interface: the
// listener takes no other address, the transport is only ever given
// 127.0.0.1, and the connection dialog with its UDP search never opens.

#include "base/config.h"
#include "link/comm.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class Clock;
class Dialogs;
class SimChain;
class SimTcpFront;
struct LinkState;

// What the command line asks of the virtual chain:
// `zkvr340a --virtual N [--model CODE] [--virtual-port PORT]` (also
// "--virtual=N", "--model=CODE", "--virtual-port=PORT").
struct VirtualRequest
{
    bool ok = true;
    QString error;       // why the command line was refused, for stderr
    int mixers = 0;      // 1..16; 0 when no virtual chain was asked for
    int model = 1;       // the code the mixers report (0 the older model)
    quint16 port = 0;    // where they answer on 127.0.0.1; 0: a port the system chooses
    QStringList rest;    // the command line without them, program name first
};

// `arguments` with the program name first, as QCoreApplication gives them.
// Without --virtual and --model the command line is left to its usual
// reading (anything but "DEBUG" is ignored). With them, only "DEBUG" may
// stand beside them: anything else is refused rather than guessed at.
VirtualRequest parseVirtualArguments(const QStringList &arguments);

// "仮想ミキサー (N 台)": shown in the title and status line of the windows
// that stand for the system, so nobody takes the chain for a room.
QString virtualMark(int mixers);

class VirtualChain
{
public:
    static constexpr int MinMixers = 1;
    static constexpr int MaxMixers = 16;

    VirtualChain(int mixers, int model);
    ~VirtualChain();
    // A started chain, or null after telling the user why it cannot start.
    static std::unique_ptr<VirtualChain> launch(const VirtualRequest &request, Dialogs &dialogs);
    VirtualChain(const VirtualChain &) = delete;
    VirtualChain &operator=(const VirtualChain &) = delete;

    // Starts listening on 127.0.0.1 and `port` (0: one the system chooses);
    // false with the reason when it cannot.
    bool start(QString &error, quint16 port = 0);

    int mixers() const;
    QString mark() const { return virtualMark(mixers()); }
    quint16 port() const;
    // "127.0.0.1:PORT": where the tool reaches the chain.
    QString address() const;
    // "仮想ミキサー (N 台) 127.0.0.1:PORT": the link's name in the status line.
    QString statusMark() const;
    SimChain &chain() { return *m_chain; }
    SimTcpFront &front() { return *m_front; }

    // Sends every opening of the link to the chain: an Ethernet transport to
    // 127.0.0.1 and the listener's port (whatever ZKVR340A_TCP_PORT says),
    // naming the chain and its address as where the link goes. The reconnect policy of
    // `endpoints` is kept.
    void attach(LinkEndpoints &endpoints, LinkState &link, Clock &clock);

    // A configuration file of the chain's own. The IP settings dialog stores
    // the address it gives the mixer as the next one to connect to; given to
    // a virtual mixer, that must not replace the room's address in the
    // user's file.
    IniConfig &scratchIni() { return *m_ini; }

private:
    std::unique_ptr<SimChain> m_chain;
    std::unique_ptr<SimTcpFront> m_front;
    QTemporaryDir m_dir;
    std::unique_ptr<IniConfig> m_ini;
};
