#pragma once

// The recovery file: while the panel's design holds changes that were never
// saved, the panel window writes the current settings every minute to a file
// of its own in the per-user data folder, never over the user's settings
// file, with the name of the file the design came from beside it. The file
// stays until the design is saved or the user gives it up (declines to save
// it, loads another file, clears the panel, or declines the recovery); a
// crash, a power cut or an end without that question leaves it, and the next
// start offers to put its panel back.
//
// The file is a settings file like any other (the same writer: CP932, CR LF),
// so the one who finds it can also open it by hand. Read back for a recovery
// it is taken as far as it can be: keys a newer program wrote are passed
// over, a damaged line costs that line only, and a file that had any damage
// is kept aside under a name of its own, for whoever wants to look at it.

#include <QDateTime>
#include <QString>

#include <optional>

class Dialogs;
class SetDataKeyTable;
class SettingsTable;

// What reading a recovery file found.
struct RecoveryRead
{
    bool opened = false;       // the file could be read at all
    bool panelTaken = false;   // it held the panel's values, which were taken
    int damagedLines = 0;      // lines that could not be read
    int firstDamagedLine = 0;  // counted from 1
    QString firstDamagedText;

    bool damaged() const { return !opened || !panelTaken || damagedLines > 0; }
};

class DesignRecovery
{
public:
    // The file in the per-user data folder.
    static QString defaultPath();

    explicit DesignRecovery(QString path = defaultPath());

    const QString &path() const { return m_path; }

    // Writes the current settings, and `source` (the settings file the
    // design came from, empty for none) beside them; false when the file
    // could not be written (the design itself is untouched either way).
    bool write(const SettingsTable &SetDataTable, const SetDataKeyTable &keys, int FileMixerCount,
               const QString &source) const;
    void discard() const;

    // When the file left behind was written; nothing when there is none.
    std::optional<QDateTime> leftBehind() const;
    // The settings file the design came from; empty when it had none.
    QString source() const;
    // The question at start: when the design was written (in the program's
    // language) and which file it came from.
    QString question(const QDateTime &written) const;

    // Takes the panel from the file into the current settings: its button
    // sections and its "SystemData" keys; the mixers' own sections stay as
    // the mixers are now. Nothing is taken from a file without the panel's
    // values.
    RecoveryRead restoreInto(SettingsTable &SetDataTable, const SetDataKeyTable &keys) const;
    // restoreInto, and for a damaged file the file kept aside and the user
    // told what was wrong and where it is. Returns whether a panel was taken.
    bool takeInto(SettingsTable &SetDataTable, const SetDataKeyTable &keys, Dialogs &dialogs) const;
    // Renames the file (and its source note) aside, out of the next start's
    // way. Returns the new path; empty when it could not be moved.
    QString setAside() const;

private:
    QString sourceNotePath(const QString &file) const;

    QString m_path;
};
