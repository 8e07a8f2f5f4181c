#pragma once

// Configuration kept outside the settings files: the last settings file in
// the per-user store, the Ethernet defaults in ZK-VR340a.ini, the DEBUG switch.

#include <QString>
#include <QStringList>

// True when the whole command line (the arguments after the program name,
// joined by single spaces) is exactly "DEBUG".
bool isDebugCommandLine(const QStringList &arguments);

// The per-user folder is ~/.config/ZK-VR340a (XDG_CONFIG_HOME honoured);
// the environment variable ZKVR340A_CONFIG_DIR names another one, for a demo
// that must leave the user's own configuration alone.

// Per-user store: section "System", key "DataFileName", under the program's title.
QString readDataFileName();
void writeDataFileName(const QString &path);
// Other per-user choices in the same store (never in a settings file), by
// "Section/Key"; `fallback` when the key is missing. Writing leaves the store
// readable by its owner only: it may hold access tokens.
QString readUserValue(const QString &key, const QString &fallback = {});
void writeUserValue(const QString &key, const QString &value);

struct IpSettings
{
    QString address;  // empty when missing
    QString userId;   // empty when missing
};

// ZK-VR340a.ini beside the executable, in the private-profile format.
//
// An installed program's folder is usually not writable on Linux, so when the
// program folder cannot take the file the per-user configuration folder holds
// it instead; a file already there is read first. The bin folder of an
// installed layout (base/installlayout.h) never takes it, even when it is
// writable (for root): it belongs to the package, not to one user.
class IniConfig
{
public:
    // programDir: the executable's folder; userDir: the per-user fallback
    // folder. Defaults are the running program's folders (the per-user one
    // from ZKVR340A_CONFIG_DIR when set).
    explicit IniConfig(QString programDir = {}, QString userDir = {});

    // The file that is read: the per-user one when it exists, else the one in
    // the program folder.
    QString readPath() const;
    // The file that is written: the per-user one when it exists or the
    // program folder is not writable, else the one in the program folder.
    QString writePath() const;

    // A value of the private-profile file; values longer than 254 characters
    // are cut as a 255-character read buffer would.
    QString value(const QString &section, const QString &key) const;
    bool setValue(const QString &section, const QString &key, const QString &value);

    IpSettings ipSettings() const;

    // Writes both keys of "IP_Setting". The first time the INI file is created
    // beside an installer's uninstall log, registers it there so that
    // uninstalling removes it too.
    bool SaveIpSettings(const QString &address, const QString &userId);

    QString programDir() const { return m_programDir; }

private:
    QString m_programDir;
    QString m_userDir;
    bool m_programDirShared = false;
};

// Reads and rewrites one key of a private-profile text (section lines in
// brackets, then key=value lines). Pure, for the file class and its tests.
QString profileValue(const QString &text, const QString &section, const QString &key);
QString withProfileValue(const QString &text, const QString &section, const QString &key,
                         const QString &value);
