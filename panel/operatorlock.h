#pragma once

// The operator lock of a chairperson's PC. The panel runs in its execution
// state, and the commands that would take it out of that state (design, mode
// change, file and quit) first ask for a passphrase. The passphrase is kept
// only as a salted, slow digest in the per-user store, never in a settings
// file, so a file copied to another PC carries no lock and a look at the
// store does not give the passphrase away.
//
// Once closed on this PC, the lock closes again by itself when nobody has
// touched the PC for the idle time (a setting kept beside the passphrase).

#include <QByteArray>
#include <QString>

#include <functional>

class Clock;

// "pbkdf2-sha256$<rounds>$<salt, base64>$<digest, base64>". A fresh random
// salt each time: two PCs with the same passphrase store different digests.
QString passphraseDigest(const QString &passphrase);
QString passphraseDigest(const QString &passphrase, const QByteArray &salt, int rounds);
// Whether `given` is the passphrase `digest` was made from. A digest that is
// not of the form above (edited by hand, cut short) matches nothing.
bool passphraseMatches(const QString &digest, const QString &given);

class OperatorLock
{
public:
    // Where the digest is kept: readUserValue/writeUserValue in the program,
    // a plain variable in tests. An empty text: no passphrase is set. The
    // idle time in minutes beside it (unset: the default).
    struct Store
    {
        std::function<QString()> read;
        std::function<void(const QString &)> write;
        std::function<QString()> readIdle = {};
        std::function<void(const QString &)> writeIdle = {};
    };
    static Store userStore();

    explicit OperatorLock(Store store = userStore());

    bool hasPassphrase() const { return m_hasPassphrase; }
    bool locked() const { return m_locked; }

    // Locks the panel; only with a passphrase set (false otherwise: nobody
    // could ever open it again).
    bool lock();
    // Opens the lock when `given` is the passphrase; the lock stays open
    // until lock() is called again.
    bool unlock(const QString &given);

    enum class Change { Set, Removed, WrongCurrent, Unchanged };
    // Sets a new passphrase, or removes it when `next` is empty (which also
    // opens the lock). With one already set, `current` must be it.
    Change change(const QString &current, const QString &next);

    // The idle time after which an opened lock closes again, in minutes.
    static constexpr int DefaultIdleMinutes = 5;
    static constexpr int MaxIdleMinutes = 240;
    int idleMinutes() const { return m_idleMinutes; }
    // Stored; a time outside 1..MaxIdleMinutes changes nothing.
    void setIdleMinutes(int minutes);
    // The time the idle watch counts in (none: the lock never closes by itself).
    void setClock(const Clock *clock) { m_clock = clock; }
    // Someone touched the PC: the idle time starts again.
    void noteInput();
    // Whether the lock, closed once since it was made and opened with the
    // passphrase since, is to close again: nothing touched for the idle time.
    bool relockDue() const;

    // Every passphrase given to open the lock or to change it, and whether
    // it was right: the activity log keeps them.
    std::function<void(bool right)> attempted;

private:
    bool check(const QString &given);

    Store m_store;
    bool m_hasPassphrase = false; // read once: the panel asks on every command update
    bool m_locked = false;
    bool m_armed = false; // closed once: it closes again when left alone
    int m_idleMinutes = DefaultIdleMinutes;
    const Clock *m_clock = nullptr;
    double m_lastInput = 0;
};
