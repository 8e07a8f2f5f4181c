#pragma once

// The recovery file: while the panel's design holds changes that were never
// saved, the panel window writes the current settings every minute to a file
// of its own in the per-user data folder, never over the user's settings
// file. An orderly end of the panel (a save, leaving it, quitting) removes
// it; after a crash or a power cut the next start finds it and offers to put
// its panel back.
//
// The file is a settings file like any other (the same writer: CP932, CR LF),
// so the one who finds it can also open it by hand.

#include <QDateTime>
#include <QString>

#include <optional>

class SetDataKeyTable;
class SettingsTable;

class DesignRecovery
{
public:
    // The file in the per-user data folder.
    static QString defaultPath();

    explicit DesignRecovery(QString path = defaultPath());

    const QString &path() const { return m_path; }

    // Writes the current settings; false when the file could not be written
    // (the design itself is untouched either way).
    bool write(const SettingsTable &SetDataTable, const SetDataKeyTable &keys, int FileMixerCount) const;
    void discard() const;

    // When the file left behind was written; nothing when there is none.
    std::optional<QDateTime> leftBehind() const;

    // Takes the panel from the file into the current settings: its button
    // sections and its "SystemData" keys; the mixers' own sections stay as
    // the mixers are now. False (and nothing taken) for a file that cannot
    // be read.
    bool restoreInto(SettingsTable &SetDataTable, const SetDataKeyTable &keys) const;

private:
    QString m_path;
};
