#include "app/runninginstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace {
// What a second start sends, and what the first answers once its window is forward.
const QByteArray RaiseRequest = "raise\n";
const QByteArray RaisedAnswer = "raised\n";
constexpr int RetryMs = 100;
constexpr int RequestMs = 5000;
} // namespace

RunningInstance::RunningInstance(const QString &lockName) : m_lock(std::make_unique<InstanceLock>(lockName))
{
}

RunningInstance::~RunningInstance() = default;

QString RunningInstance::socketPath() const
{
    // Beside the lock: the same per-user folder, the same name.
    const QFileInfo lock(m_lock->path());
    return lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
}

RunningInstance::Outcome RunningInstance::claim(int answerMs)
{
    if (m_lock->acquired()) {
        // Should the socket not come up, this program still runs; a second
        // start then says it found no answer.
        listen();
        return Outcome::First;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return Outcome::LockFailed;
    m_holder = m_lock->holder();
    // The first may still be starting: its socket comes a moment after its lock.
    const QDeadlineTimer deadline(answerMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (!socket.waitForConnected(int(deadline.remainingTime()))) {
            QThread::msleep(RetryMs); // before any window or event loop exists
            continue;
        }
        socket.write(RaiseRequest);
        socket.waitForBytesWritten(int(deadline.remainingTime()));
        QByteArray reply;
        while (!reply.contains('\n') && socket.waitForReadyRead(int(deadline.remainingTime())))
            reply += socket.readAll();
        return reply == RaisedAnswer ? Outcome::Raised : Outcome::NoAnswer;
    }
    return Outcome::NoAnswer;
}

bool RunningInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a run that crashed: the lock is ours, so nobody listens on it.
    QLocalServer::removeServer(socketPath());
    if (!m_server->listen(socketPath()))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, &RunningInstance::answer);
    return true;
}

void RunningInstance::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A second start asks at once with one short line; anything else is
        // not kept waiting for.
        QTimer::singleShot(RequestMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > RaiseRequest.size())
                    socket->abort();
                return;
            }
            if (socket->readLine() == RaiseRequest) {
                if (raise)
                    raise();
                socket->write(RaisedAnswer);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}
