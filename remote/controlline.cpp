#include "remote/controlline.h"

#include <utility>

namespace {

// A decimal number of one or two digits, or -1.
int seatNumber(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 2)
        return -1;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

QList<QByteArray> wordsOf(const QByteArray &line)
{
    QList<QByteArray> words;
    QByteArray word;
    for (const char c : line) {
        if (c == ' ' || c == '\t') {
            if (!word.isEmpty())
                words << std::exchange(word, {});
        } else {
            word.append(c);
        }
    }
    if (!word.isEmpty())
        words << word;
    return words;
}

ControlCommand malformed(const QByteArray &problem)
{
    ControlCommand c;
    c.problem = problem;
    return c;
}

// "<mixer> <channel>" from words[first] on, and nothing after them.
ControlCommand seat(ControlVerb verb, const QList<QByteArray> &words, qsizetype first, const QByteArray &usage)
{
    if (words.size() != first + 2)
        return malformed("usage: " + usage);
    ControlCommand c;
    c.mixer = seatNumber(words[first]);
    c.channel = seatNumber(words[first + 1]);
    if (c.mixer < 0 || c.channel < 0)
        return malformed("mixer and channel are numbers");
    c.verb = verb;
    return c;
}

ControlCommand alone(ControlVerb verb, const QList<QByteArray> &words)
{
    if (words.size() != 1)
        return malformed(words[0].toUpper() + " takes no arguments");
    ControlCommand c;
    c.verb = verb;
    return c;
}

} // namespace

QList<QByteArray> LineFraming::feed(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    for (const char c : bytes) {
        if (m_verdict != Verdict::Fine)
            break;
        if (quint8(c) >= 0x80) {
            m_verdict = Verdict::NotAscii;
        } else if (c == '\r' || c == '\n') {
            // CR LF ends a line and then an empty one, which is skipped.
            if (!m_line.isEmpty())
                lines << std::exchange(m_line, {});
        } else if (m_line.size() >= Control::MaxLineBytes) {
            m_verdict = Verdict::LineTooLong;
        } else {
            m_line.append(c);
        }
    }
    return lines;
}

ControlCommand parseControlLine(const QByteArray &line)
{
    for (const char c : line)
        if ((quint8(c) < 0x20 && c != '\t') || quint8(c) >= 0x7F)
            return malformed("control characters in the line");
    const QList<QByteArray> words = wordsOf(line);
    if (words.isEmpty())
        return malformed("empty line");
    const QByteArray verb = words[0].toUpper();
    if (verb == "LOGIN") {
        if (words.size() != 2)
            return malformed("usage: LOGIN <token>");
        ControlCommand c;
        c.verb = ControlVerb::Login;
        c.token = words[1];
        return c;
    }
    if (verb == "MIC") {
        const QByteArray how = words.value(1).toUpper();
        if (how != "ON" && how != "OFF")
            return malformed("usage: MIC ON|OFF <mixer> <channel>");
        return seat(how == "ON" ? ControlVerb::MicOn : ControlVerb::MicOff, words, 2,
                    "MIC " + how + " <mixer> <channel>");
    }
    if (verb == "MIC?")
        return seat(ControlVerb::MicQuery, words, 1, "MIC? <mixer> <channel>");
    if (verb == "REQUEST")
        return seat(ControlVerb::Request, words, 1, "REQUEST <mixer> <channel>");
    if (verb == "WITHDRAW")
        return seat(ControlVerb::Withdraw, words, 1, "WITHDRAW <mixer> <channel>");
    if (verb == "ALLOFF")
        return alone(ControlVerb::AllOff, words);
    if (verb == "NEXT")
        return alone(ControlVerb::Next, words);
    if (verb == "STATUS?")
        return alone(ControlVerb::Status, words);
    if (verb == "HELP")
        return alone(ControlVerb::Help, words);
    if (verb == "QUIT")
        return alone(ControlVerb::Quit, words);
    return malformed("unknown command, HELP lists them");
}

bool meetingVerb(ControlVerb verb)
{
    return verb == ControlVerb::AllOff || verb == ControlVerb::Next || verb == ControlVerb::Request
           || verb == ControlVerb::Withdraw;
}

bool looksLikeHttp(const QByteArray &line)
{
    if (line.endsWith(" HTTP/1.1") || line.endsWith(" HTTP/1.0") || line.startsWith("PRI * HTTP/2"))
        return true;
    // "Origin: http://…", "Host: …": a name and a colon, no space between.
    const qsizetype colon = line.indexOf(':');
    const qsizetype space = line.indexOf(' ');
    return colon > 0 && (space < 0 || colon < space);
}
