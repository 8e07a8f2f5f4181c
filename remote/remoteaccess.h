#pragma once

// Who may use the remote-operation server, and where it listens. Two random
// tokens: one that may operate (switch channels), one that may only watch.
// They, the address, the port and the HTTPS files are kept in the per-user
// store (readable by the user alone), never in a settings file: a settings
// file travels with a system, the keys to a room must not.

#include <QByteArray>
#include <QString>

enum class RemoteAccess { None, Watch, Operate };

struct RemoteTokens
{
    QByteArray operate;
    QByteArray watch;

    // Two fresh tokens from the system's random source.
    static RemoteTokens generate();
    // The access a presented token gives. The comparison takes the same time
    // whichever byte differs, so a client cannot find a token byte by byte.
    RemoteAccess accessOf(const QByteArray &presented) const;
    bool valid() const;
};

struct RemoteSettings
{
    bool enabled = false;            // off until the user turns it on
    QString address = QStringLiteral("0.0.0.0");
    quint16 port = 8340;
    RemoteTokens tokens;
    QString certificateFile;         // both set: HTTPS
    QString keyFile;
    // The room controllers' line control, on the same address, its own port;
    // on or off apart from the page.
    bool controlEnabled = false;
    quint16 controlPort = 8341;

    // Read from the per-user store; tokens are made (and stored) the first time.
    static RemoteSettings load();
    void save() const;
    bool https() const { return !certificateFile.isEmpty() && !keyFile.isEmpty(); }
};

// The token file of an unattended start: the operate token on its first line,
// the watch token on its second. Refused (with the reason in `error`) unless
// only its owner may read or write it, and unless both lines are tokens.
bool readTokenFile(const QString &path, RemoteTokens &tokens, QString &error);

// Why a server cannot listen on `address` with `tokens` (a message for the
// user), or nothing when it may try.
QString listenProblem(const QString &address, const RemoteTokens &tokens);

// "ADDRESS:PORT" of the command line ("[::1]:8340" for IPv6). False when
// either part is not valid.
bool parseListenAddress(const QString &text, QString &address, quint16 &port);
