#include "remote/remoteaccess.h"

#include "base/config.h"
#include "base/secrets.h"
#include "base/strings.h"
#include "remote/remoterequest.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Group = QStringLiteral("Remote/");

QByteArray randomToken()
{
    return randomSecretBytes(Remote::TokenBytes)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}


} // namespace

RemoteTokens RemoteTokens::generate()
{
    return {randomToken(), randomToken()};
}

RemoteAccess RemoteTokens::accessOf(const QByteArray &presented) const
{
    if (!plausibleToken(presented))
        return RemoteAccess::None;
    const bool operates = sameSecret(presented, operate);
    const bool watches = sameSecret(presented, watch);
    if (operates)
        return RemoteAccess::Operate;
    return watches ? RemoteAccess::Watch : RemoteAccess::None;
}

bool RemoteTokens::valid() const
{
    return plausibleToken(operate) && plausibleToken(watch) && operate != watch;
}

RemoteSettings RemoteSettings::load()
{
    RemoteSettings s;
    s.enabled = readUserValue(Group + QStringLiteral("Enabled")) == QLatin1String("1");
    const QString address = readUserValue(Group + QStringLiteral("Address"));
    if (!QHostAddress(address).isNull())
        s.address = address;
    bool ok = false;
    const uint port = readUserValue(Group + QStringLiteral("Port")).toUInt(&ok);
    if (ok && port >= 1 && port <= 65535)
        s.port = quint16(port);
    s.tokens.operate = readUserValue(Group + QStringLiteral("OperateToken")).toLatin1();
    s.tokens.watch = readUserValue(Group + QStringLiteral("WatchToken")).toLatin1();
    s.controlEnabled = readUserValue(Group + QStringLiteral("ControlEnabled")) == QLatin1String("1");
    const uint controlPort = readUserValue(Group + QStringLiteral("ControlPort")).toUInt(&ok);
    if (ok && controlPort >= 1 && controlPort <= 65535)
        s.controlPort = quint16(controlPort);
    s.certificateFile = readUserValue(Group + QStringLiteral("Certificate"));
    s.keyFile = readUserValue(Group + QStringLiteral("Key"));
    if (!s.tokens.valid()) {
        s.tokens = RemoteTokens::generate();
        s.save();
    }
    return s;
}

void RemoteSettings::save() const
{
    writeUserValue(Group + QStringLiteral("Enabled"), enabled ? QStringLiteral("1") : QStringLiteral("0"));
    writeUserValue(Group + QStringLiteral("Address"), address);
    writeUserValue(Group + QStringLiteral("Port"), QString::number(port));
    writeUserValue(Group + QStringLiteral("OperateToken"), QString::fromLatin1(tokens.operate));
    writeUserValue(Group + QStringLiteral("WatchToken"), QString::fromLatin1(tokens.watch));
    writeUserValue(Group + QStringLiteral("Certificate"), certificateFile);
    writeUserValue(Group + QStringLiteral("Key"), keyFile);
    writeUserValue(Group + QStringLiteral("ControlEnabled"), controlEnabled ? QStringLiteral("1") : QStringLiteral("0"));
    writeUserValue(Group + QStringLiteral("ControlPort"), QString::number(controlPort));
}

bool readTokenFile(const QString &path, RemoteTokens &tokens, QString &error)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = str(12410).arg(path);
        return false;
    }
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0 || st.st_uid != ::geteuid()) {
        error = str(12411).arg(path);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = str(12410).arg(path);
        return false;
    }
    const QList<QByteArray> lines = f.read(1024).split('\n');
    RemoteTokens read;
    if (lines.size() >= 2) {
        read.operate = lines[0].trimmed();
        read.watch = lines[1].trimmed();
    }
    if (!read.valid()) {
        error = str(12412).arg(path);
        return false;
    }
    tokens = read;
    return true;
}

QString listenProblem(const QString &address, const RemoteTokens &tokens)
{
    if (!tokens.valid())
        return str(12412).arg(QString());
    if (QHostAddress(address).isNull())
        return str(12413).arg(address);
    return {};
}

bool parseListenAddress(const QString &text, QString &address, quint16 &port)
{
    const int colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok);
    if (!ok || p < 1 || p > 65535 || QHostAddress(host).isNull())
        return false;
    address = host;
    port = quint16(p);
    return true;
}
