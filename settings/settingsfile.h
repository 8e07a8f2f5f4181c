#pragma once

// The settings file: a text of "[Section]" headers and "Key=Value" lines in
// code page 932, CR LF line ends, no blank lines. FileTable holds the file's
// image as last read or written, SetDataTable the current settings in text
// form; both are SettingsTable values of 367 key rows by 33 sections.

#include "mixer/valueranges.h"
#include "settings/keytable.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <bitset>
#include <optional>
#include <utility>
#include <vector>

// A section beyond the key table's, as the file holds it: its key lines as
// text, in file order.
using SectionLines = std::vector<std::pair<QString, QString>>;
// The meeting console's section (meetingsetup.h), written after "SystemData".
inline const QString MeetingSectionName = QStringLiteral("Meeting");

class SettingsTable
{
public:
    SettingsTable() : m_cells(SettingsGrid::KeyRows * SettingsGrid::Sections) {}

    // Out-of-range ids are a programming error: checked with Q_ASSERT, and
    // reads then give an empty text, writes go nowhere.
    const QString &at(int key, int section) const;
    void set(int key, int section, const QString &text);

    // The lines of the "[Meeting]" section; none: the file has no such section.
    const SectionLines &meeting() const { return m_meeting; }
    void setMeeting(SectionLines lines) { m_meeting = std::move(lines); }

    void clear();
    bool operator==(const SettingsTable &o) const { return m_cells == o.m_cells && m_meeting == o.m_meeting; }
    bool operator!=(const SettingsTable &o) const { return !(*this == o); }

private:
    static bool inRange(int key, int section)
    {
        return key >= 0 && key < SettingsGrid::KeyRows && section >= 0
            && section < SettingsGrid::Sections;
    }
    std::vector<QString> m_cells;
    SectionLines m_meeting;
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

// Why a settings file cannot be used.
enum class SettingsProblem {
    None,
    Missing,        // nothing at the path
    NotRegular,     // a device, pipe, socket or folder
    Unreadable,     // the system refused it: `detail`
    TooLarge,
    NotCp932,       // `line` is no CP932 text
    BadLine,        // `line` is malformed, names what the table lacks, or
                    // holds a value its kind cannot take
    OutOfRange,     // `line`: key `name`, value `value` outside `range`
    NoMixerCount,   // "SystemData" holds no MixerCount: empty or cut short
    BadMixerCount,  // MixerCount `value` is no link count
    MissingSection, // section `name` of a counted mixer is not there
    CutShort,       // section `name` lacks key `value`
};

struct SettingsReadResult
{
    SettingsProblem problem = SettingsProblem::None;
    int line = 0;       // from 1
    QString name;
    QString value;
    ValueRange range;
    QString detail;

    bool ok() const { return problem == SettingsProblem::None; }
    explicit operator bool() const { return ok(); }
};

// Which values of the mixer sections a file may hold: those the editor can
// set (every file the program writes from its mixers), or, for a service
// engineer on purpose, those the mixer can hold.
enum class ValueLimits { Editor, Mixer };

// Which mixer sections and keys a file held, for the check that it is whole.
struct KeysSeen
{
    std::array<std::bitset<MixerKey::Count>, MixerKey::Sections> mixerKeys{};
    std::bitset<MixerKey::Sections> mixerSections{};
};

// Reads the file's bytes into `FileTable` (which the caller has reset): the
// first line that is no CP932 text, malformed, unknown or unconvertible, or
// a mixer value outside `limits`, ends the reading with its line. FileTable
// is then partly filled.
SettingsReadResult readSettingsBytes(const QByteArray &bytes, const SetDataKeyTable &keys,
                                     SettingsTable &FileTable, ValueLimits limits = ValueLimits::Editor,
                                     KeysSeen *seen = nullptr);
// The same from a regular file at `path`.
SettingsReadResult readSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable,
                                    ValueLimits limits = ValueLimits::Editor, KeysSeen *seen = nullptr);
bool ReadSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable);

// Whether a read file describes a whole system: a MixerCount of 0..16, and
// every key of the mixer section of each counted mixer. The panel sections
// may lack keys (a file written before they existed takes their defaults).
SettingsReadResult checkSettingsWhole(const SettingsTable &FileTable, const KeysSeen &seen);

// Why the file cannot be used, in the user's words (the string table's).
QString settingsProblemText(const SettingsReadResult &result);

// A settings file of a full system is about 100 kB; anything far beyond that
// is not one of ours and is not read into memory.
constexpr qint64 MaxSettingsFileBytes = 16 * 1024 * 1024;

// What the open command reads: a regular file, read and checked whole.
SettingsReadResult openSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable,
                                    ValueLimits limits = ValueLimits::Editor);

// The file text of `FileTable`: mixer sections 0..FileMixerCount-1, panel
// sections 16..15+FileMixerCount, then "SystemData"; only "SystemData" when
// FileMixerCount is 0. A line break inside a value is written as a blank,
// a character CP932 cannot store (see cp932text.h) as "?".
std::optional<QByteArray> settingsBytes(const SettingsTable &FileTable, const SetDataKeyTable &keys,
                                        int FileMixerCount);
// Writes it through a save file: on any failure the old file stays whole.
// A target that is no regular file (a device, pipe, socket or folder) is
// refused; a symbolic link is followed to the file it names.
bool WriteSettingsFile(const QString &path, const SettingsTable &FileTable,
                       const SetDataKeyTable &keys, int FileMixerCount);
