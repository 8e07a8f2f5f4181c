#pragma once

// The settings file: a text of "[Section]" headers and "Key=Value" lines in
// code page 932, CR LF line ends, no blank lines. FileTable holds the file's
// image as last read or written, SetDataTable the current settings in text
// form; both are SettingsTable values of 367 key rows by 33 sections.

#include "settings/keytable.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class SettingsTable
{
public:
    SettingsTable() : m_cells(SettingsGrid::KeyRows * SettingsGrid::Sections) {}

    // Out-of-range ids are a programming error: checked with Q_ASSERT, and
    // reads then give an empty text, writes go nowhere.
    const QString &at(int key, int section) const;
    void set(int key, int section, const QString &text);

    void clear();
    bool operator==(const SettingsTable &o) const { return m_cells == o.m_cells; }
    bool operator!=(const SettingsTable &o) const { return !(*this == o); }

private:
    static bool inRange(int key, int section)
    {
        return key >= 0 && key < SettingsGrid::KeyRows && section >= 0
            && section < SettingsGrid::Sections;
    }
    std::vector<QString> m_cells;
};

// Empties every cell and presets the image keys of "SystemData" so a file
// written before they existed loads with the image off at 100 %.
void resetFileTable(SettingsTable &table);

enum class LineKind : qint16 {
    Malformed = -1,
    Neither = 0,
    SectionHeader = 1,
    KeyLine = 2,
};

struct ParsedLine
{
    LineKind kind = LineKind::Neither;
    QString name;      // section name or key
    QString value;     // key lines only
};

// One line without its line end. Nothing is trimmed: "Active = True" has the
// key "Active " and the value " True". The key ends at the first "="; the
// value may hold "=" and "]" ("IconText_1=[1]=A" has the value "[1]=A").
ParsedLine ParseLine(const QString &line);

// The text stored for `value` under a key of `kind`, or nothing when the
// value does not convert. Kinds that hold no value give an empty text.
std::optional<QString> convertValue(const QString &value, KeyKind kind);

// Reads the file at `path` into `FileTable` (which the caller has reset).
// False for a missing or unreadable file, text that is not valid CP932, or
// any line that is unknown, malformed or unconvertible; FileTable is then
// partly filled.
bool ReadSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable);
// The same from the file's bytes.
bool readSettingsBytes(const QByteArray &bytes, const SetDataKeyTable &keys, SettingsTable &FileTable);

// The file text of `FileTable`: mixer sections 0..FileMixerCount-1, panel
// sections 16..15+FileMixerCount, then "SystemData"; only "SystemData" when
// FileMixerCount is 0. A line break inside a value is written as a blank,
// a character CP932 cannot store (see cp932text.h) as "?".
std::optional<QByteArray> settingsBytes(const SettingsTable &FileTable, const SetDataKeyTable &keys,
                                        int FileMixerCount);
// Writes it through a save file: on any failure the old file stays whole.
bool WriteSettingsFile(const QString &path, const SettingsTable &FileTable,
                       const SetDataKeyTable &keys, int FileMixerCount);
