#include "panel/operatorlock.h"

#include "base/clock.h"
#include "base/config.h"
#include "base/secrets.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QStringList>

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
const QString StoreKey = QStringLiteral("Operate/Passphrase");
const QString IdleKey = QStringLiteral("Operate/IdleMinutes");
// Slow enough that guessing from a copied store costs real time, quick
// enough (some tens of milliseconds) that nobody waits at the panel.
constexpr int Rounds = 60000;
constexpr int SaltBytes = 16;
constexpr int DigestBytes = 32;

QByteArray digestBytes(const QString &passphrase, const QByteArray &salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, passphrase.toUtf8(), salt, rounds,
                                              DigestBytes);
}


} // namespace

QString passphraseDigest(const QString &passphrase, const QByteArray &salt, int rounds)
{
    return QStringList{Scheme, QString::number(rounds), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(digestBytes(passphrase, salt, rounds).toBase64())}
        .join(u'$');
}

QString passphraseDigest(const QString &passphrase)
{
    return passphraseDigest(passphrase, randomSecretBytes(SaltBytes), Rounds);
}

bool passphraseMatches(const QString &digest, const QString &given)
{
    const QStringList parts = digest.split(u'$');
    if (parts.size() != 4 || parts[0] != Scheme)
        return false;
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    // A hand-edited round count must not stall the panel for minutes.
    if (!ok || rounds < 1000 || rounds > 10'000'000)
        return false;
    const auto salt = QByteArray::fromBase64Encoding(parts[2].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const auto stored = QByteArray::fromBase64Encoding(parts[3].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !stored || salt.decoded.isEmpty() || stored.decoded.size() != DigestBytes)
        return false;
    return sameSecret(digestBytes(given, salt.decoded, rounds), stored.decoded);
}

OperatorLock::Store OperatorLock::userStore()
{
    return Store{[] { return readUserValue(StoreKey); },
                 [](const QString &digest) { writeUserValue(StoreKey, digest); },
                 [] { return readUserValue(IdleKey); },
                 [](const QString &minutes) { writeUserValue(IdleKey, minutes); }};
}

OperatorLock::OperatorLock(Store store) : m_store(std::move(store)), m_hasPassphrase(!m_store.read().isEmpty())
{
    bool ok = false;
    const int minutes = m_store.readIdle ? m_store.readIdle().toInt(&ok) : 0;
    if (ok && minutes >= 1 && minutes <= MaxIdleMinutes)
        m_idleMinutes = minutes;
}

bool OperatorLock::lock()
{
    m_locked = hasPassphrase();
    m_armed = m_armed || m_locked;
    return m_locked;
}

void OperatorLock::setIdleMinutes(int minutes)
{
    if (minutes < 1 || minutes > MaxIdleMinutes)
        return;
    m_idleMinutes = minutes;
    if (m_store.writeIdle)
        m_store.writeIdle(QString::number(minutes));
}

void OperatorLock::noteInput()
{
    if (m_clock)
        m_lastInput = m_clock->now();
}

bool OperatorLock::relockDue() const
{
    return m_armed && !m_locked && m_hasPassphrase && m_clock
           && m_clock->now() - m_lastInput >= m_idleMinutes * 60.0;
}

bool OperatorLock::check(const QString &given)
{
    const bool right = passphraseMatches(m_store.read(), given);
    if (attempted)
        attempted(right);
    return right;
}

bool OperatorLock::unlock(const QString &given)
{
    if (!m_locked)
        return true;
    if (!check(given))
        return false;
    m_locked = false;
    noteInput();
    return true;
}

OperatorLock::Change OperatorLock::change(const QString &current, const QString &next)
{
    if (hasPassphrase() && !check(current))
        return Change::WrongCurrent;
    if (next.isEmpty()) {
        if (!hasPassphrase())
            return Change::Unchanged;
        m_store.write(QString());
        m_hasPassphrase = false;
        m_locked = false;
        m_armed = false;
        return Change::Removed;
    }
    m_store.write(passphraseDigest(next));
    m_hasPassphrase = true;
    return Change::Set;
}
