#pragma once

// The line protocol of room controllers, decoded from the bytes a client
// sent, without sockets: the framing of a connection's bytes into lines and
// the command each line asks for. A room controller (or a person at `nc`)
// types ASCII lines ending in CR, LF or CR LF; each is one command.
// Everything here takes any bytes and answers with a result or a reason.

#include <QByteArray>
#include <QList>

namespace Control {
constexpr int MaxLineBytes = 256;   // a line without its end
constexpr int MaxClients = 8;
constexpr int CommandsPerSecond = 20;
// Commands a client may send ahead while an earlier one waits for its mixer.
constexpr int MaxQueuedLines = 20;
} // namespace Control

// The lines in a connection's bytes. A longer line or a byte that is not
// ASCII (0x80 and above) is a refusal that sticks: the client is closed.
class LineFraming
{
public:
    enum class Verdict { Fine, LineTooLong, NotAscii };
    // Takes the next bytes; the complete lines they end (empty lines skipped).
    QList<QByteArray> feed(const QByteArray &bytes);
    Verdict verdict() const { return m_verdict; }

private:
    Verdict m_verdict = Verdict::Fine;
    QByteArray m_line;
};

enum class ControlVerb {
    Login,     // LOGIN <token>
    MicOn,     // MIC ON <mixer> <channel>
    MicOff,    // MIC OFF <mixer> <channel>
    MicQuery,  // MIC? <mixer> <channel>
    AllOff,    // ALLOFF
    Next,      // NEXT
    Request,   // REQUEST <mixer> <channel>
    Withdraw,  // WITHDRAW <mixer> <channel>
    Status,    // STATUS?
    Help,      // HELP
    Quit,      // QUIT
    Malformed, // anything else: ERR 400
};

struct ControlCommand
{
    ControlVerb verb = ControlVerb::Malformed;
    QByteArray token;   // LOGIN
    // MIC, REQUEST, WITHDRAW: as typed, 0..99; whether such a mixer or
    // channel is there is the server's question (404), not the parser's.
    int mixer = 0;
    int channel = 0;
    QByteArray problem; // Malformed: why, in the words of the ERR line
};

// One line (without its end). Words are separated by spaces or tabs; the
// command words are taken in any case, the token as it stands.
ControlCommand parseControlLine(const QByteArray &line);

// Whether a command is one of the meeting console's (the chair's ALLOFF and
// NEXT, a seat's REQUEST and WITHDRAW).
bool meetingVerb(ControlVerb verb);

// Whether a line is a browser's: an HTTP request line or header field. A
// page elsewhere can make a browser post to any port; what it sends is HTTP,
// and a client that speaks it is closed before any of its lines count.
bool looksLikeHttp(const QByteArray &line);
