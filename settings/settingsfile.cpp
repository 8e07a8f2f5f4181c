#include "settings/settingsfile.h"

#include "base/regularfile.h"
#include "base/strings.h"
#include "settings/cp932text.h"
#include "settings/valuetext.h"

#include <QLoggingCategory>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <limits>

Q_LOGGING_CATEGORY(lcSettingsFile, "zkvr.settings.file")

namespace {

const char *const Codec = "CP932";

namespace SettingsText {
constexpr int Missing = 13101;
constexpr int NotRegular = 13102;
constexpr int Unreadable = 13103;
constexpr int TooLarge = 13104;
constexpr int NotCp932 = 13105;
constexpr int BadLine = 13106;
constexpr int OutOfRange = 13107;
constexpr int NoMixerCount = 13108;
constexpr int BadMixerCount = 13109;
constexpr int MissingSection = 13110;
constexpr int CutShort = 13111;
} // namespace SettingsText

// A line break cannot stand inside a key line; it is written as one blank so
// the rest of the value and the file survive.
QString oneLine(const QString &value)
{
    if (!value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    QString out = value;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

SettingsReadResult failure(SettingsProblem problem, int line)
{
    SettingsReadResult r;
    r.problem = problem;
    r.line = line;
    return r;
}

// The number (from 1) of the first line that is no CP932 text. Lines end at
// CR LF, CR or LF as the reader splits them; neither byte occurs inside a
// two-byte CP932 character, so each line decodes on its own.
int firstUndecodableLine(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    int line = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        QStringDecoder decoder(Codec, QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView(bytes.constData() + start, i - start));
        if (decoder.hasError())
            return line;
        if (i + 1 < n && bytes[i] == '\r' && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
        ++line;
    }
    return line - 1;
}

// A whole-number value of a mixer key outside what `limits` allow; the
// line is the caller's. Text that is no number is the kind's to refuse.
SettingsReadResult checkRange(const KeyEntry &entry, const QString &value, ValueLimits limits)
{
    const auto range = limits == ValueLimits::Editor ? editorRange(entry.id) : mixerRange(entry.id);
    if (!range)
        return {};
    const auto v = parseWhole(value, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    if (!v || range->contains(*v))
        return {};
    SettingsReadResult r = failure(SettingsProblem::OutOfRange, 0);
    r.name = entry.key;
    r.value = value;
    r.range = *range;
    return r;
}

} // namespace

const QString &SettingsTable::at(int key, int section) const
{
    Q_ASSERT(inRange(key, section));
    static const QString empty;
    if (!inRange(key, section))
        return empty;
    return m_cells[size_t(key) * SettingsGrid::Sections + size_t(section)];
}

void SettingsTable::set(int key, int section, const QString &text)
{
    Q_ASSERT(inRange(key, section));
    if (inRange(key, section))
        m_cells[size_t(key) * SettingsGrid::Sections + size_t(section)] = text;
}

void SettingsTable::clear()
{
    for (QString &c : m_cells)
        c.clear();
    m_meeting.clear();
}

void resetFileTable(SettingsTable &table)
{
    table.clear();
    const int sys = SettingsGrid::SystemSection;
    table.set(360, sys, QStringLiteral("False"));   // ImageVisible
    table.set(362, sys, QStringLiteral("0"));       // ImageStretch
    table.set(363, sys, QStringLiteral("0"));       // ImageWidth
    table.set(364, sys, QStringLiteral("0"));       // ImageHeight
    table.set(365, sys, QStringLiteral("100"));     // ImageXScale
    table.set(366, sys, QStringLiteral("100"));     // ImageYScale
}

ParsedLine ParseLine(const QString &line)
{
    ParsedLine r;
    const qsizetype c = line.indexOf(u']');
    const qsizetype e = line.indexOf(u'=');
    // A "]" before the first "=" (or a line opening with "[") makes a section
    // header; otherwise the first "=" ends the key and everything after it is
    // the value, "=" and "]" included. Every line that holds exactly one "="
    // and no "]" reads as it always did.
    const bool header = c >= 0 && (e < 0 || c < e || line.startsWith(u'['));
    if (header) {
        if (e >= 0 || !line.startsWith(u'[') || !line.endsWith(u']') || line.count(u'[') != 1
            || line.count(u']') != 1) {
            r.kind = LineKind::Malformed;
            return r;
        }
        r.kind = LineKind::SectionHeader;
        r.name = line.mid(1, line.size() - 2);
        return r;
    }
    if (e >= 0) {
        r.kind = LineKind::KeyLine;
        r.name = line.left(e);
        r.value = line.mid(e + 1);
        return r;
    }
    return r;
}

std::optional<QString> convertValue(const QString &value, KeyKind kind)
{
    // An empty value is what this program writes for a cell it never filled;
    // it reads back as an empty cell, whatever the kind, so every file that
    // was written can be opened again.
    if (value.isEmpty())
        return kind == KeyKind::Section ? std::nullopt : std::optional<QString>(QString());

    auto whole = [&](qint64 lo, qint64 hi) -> std::optional<QString> {
        const auto v = parseWhole(value, lo, hi);
        return v ? std::optional<QString>(QString::number(*v)) : std::nullopt;
    };
    switch (kind) {
    case KeyKind::Int16:
        return whole(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    case KeyKind::Int32:
        return whole(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case KeyKind::Byte:
        return whole(0, 255);
    case KeyKind::Text:
        return value;
    case KeyKind::Real: {
        const auto d = parseDouble(value);
        return d ? std::optional<QString>(doubleText(*d)) : std::nullopt;
    }
    case KeyKind::Boolean: {
        const auto b = parseBool(value);
        return b ? std::optional<QString>(boolText(*b)) : std::nullopt;
    }
    case KeyKind::Section:
    default:
        return QString();       // holds no value: nothing stored
    }
}

namespace {

// The line that starts at `pos`, without its end (CR LF, CR or LF); `pos`
// moves past it.
QString takeLine(const QString &text, qsizetype &pos)
{
    const qsizetype n = text.size();
    qsizetype end = pos;
    while (end < n && text.at(end) != u'\r' && text.at(end) != u'\n')
        ++end;
    const QString line = text.mid(pos, end - pos);
    if (end < n && text.at(end) == u'\r' && end + 1 < n && text.at(end + 1) == u'\n')
        ++end;
    pos = end + 1;
    return line;
}

} // namespace

SettingsReadResult readSettingsBytes(const QByteArray &bytes, const SetDataKeyTable &keys,
                                     SettingsTable &FileTable, ValueLimits limits, KeysSeen *seen)
{
    // The whole file is one piece: a stateless decoder reports a lead byte
    // left without its trail byte at the end instead of keeping it for more.
    QStringDecoder decoder(Codec, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        qCWarning(lcSettingsFile) << "no CP932 codec";
        return failure(SettingsProblem::Unreadable, 0);
    }
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return failure(SettingsProblem::NotCp932, firstUndecodableLine(bytes));

    int section = -1;
    bool inMeeting = false;
    SectionLines meeting;
    int lineNo = 0;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        ++lineNo;
        const QString line = takeLine(text, pos);

        if (line.isEmpty())
            continue;
        const ParsedLine p = ParseLine(line);
        if (p.kind != LineKind::SectionHeader && p.kind != LineKind::KeyLine)
            return failure(SettingsProblem::BadLine, lineNo);
        // The meeting section's keys are its own, kept as text.
        if (p.kind == LineKind::SectionHeader)
            inMeeting = p.name == MeetingSectionName;
        if (inMeeting) {
            if (p.kind == LineKind::KeyLine)
                meeting.emplace_back(p.name, p.value);
            section = -1;
            continue;
        }
        const KeyEntry *entry = keys.find(p.name);
        if (!entry)
            return failure(SettingsProblem::BadLine, lineNo);
        if (p.kind == LineKind::SectionHeader) {
            // Only section names open a section: "[Active]" would otherwise
            // select a column by a key's id, far past the last section.
            if (!isSection(*entry))
                return failure(SettingsProblem::BadLine, lineNo);
            section = entry->id;
            if (seen && section < MixerKey::Sections)
                seen->mixerSections.set(size_t(section));
            continue;
        }
        if (section < 0)
            continue;           // key lines before the first section are ignored
        if (isSection(*entry))
            continue;           // a section name used as a key holds nothing
        // A key under a section of another list is left out: its cell would
        // be written back under that list's key of the same number, another
        // key of another kind, and the file written could not be read again.
        const int list = keys.listOf(p.name);
        if (list != SetDataKeyTable::listOfSection(section))
            continue;
        if (list == SetDataKeyTable::MixerList) {
            if (SettingsReadResult r = checkRange(*entry, p.value, limits); !r.ok()) {
                r.line = lineNo;
                return r;
            }
            if (seen)
                seen->mixerKeys[size_t(section)].set(size_t(entry->id));
        }
        const auto stored = convertValue(p.value, entry->kind);
        if (!stored)
            return failure(SettingsProblem::BadLine, lineNo);
        FileTable.set(entry->id, section, *stored);
    }
    if (!meeting.empty())
        FileTable.setMeeting(std::move(meeting));
    return {};
}

SettingsReadResult readSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable,
                                    ValueLimits limits, KeysSeen *seen)
{
    const FileBytes file = readRegularFile(path, MaxSettingsFileBytes);
    switch (file.status) {
    case FileRead::Done:
        return readSettingsBytes(file.bytes, keys, FileTable, limits, seen);
    case FileRead::Missing:
        return failure(SettingsProblem::Missing, 0);
    case FileRead::NotRegular:
        return failure(SettingsProblem::NotRegular, 0);
    case FileRead::TooLarge:
        return failure(SettingsProblem::TooLarge, 0);
    case FileRead::Unreadable:
        break;
    }
    SettingsReadResult r = failure(SettingsProblem::Unreadable, 0);
    r.detail = file.reason;
    return r;
}

bool ReadSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable)
{
    return readSettingsFile(path, keys, FileTable).ok();
}

SettingsReadResult checkSettingsWhole(const SettingsTable &FileTable, const KeysSeen &seen)
{
    // Every file the program writes ends with "SystemData", MixerCount
    // first: without it the file is empty or was cut short.
    const QString &count = FileTable.at(0, SettingsGrid::SystemSection);
    if (count.isEmpty())
        return failure(SettingsProblem::NoMixerCount, 0);
    const auto mixers = parseWhole(count, 0, SettingsGrid::MaxMixers);
    if (!mixers) {
        SettingsReadResult r = failure(SettingsProblem::BadMixerCount, 0);
        r.value = count;
        return r;
    }
    for (int m = 0; m < int(*mixers); ++m) {
        SettingsReadResult r;
        r.name = mixerSectionName(m + 1);
        r.value = count;
        if (!seen.mixerSections.test(size_t(m))) {
            r.problem = SettingsProblem::MissingSection;
            return r;
        }
        for (int id = 0; id < MixerKey::Count; ++id) {
            if (!seen.mixerKeys[size_t(m)].test(size_t(id))) {
                r.problem = SettingsProblem::CutShort;
                r.value = mixerKey(id);
                return r;
            }
        }
    }
    return {};
}

QString settingsProblemText(const SettingsReadResult &r)
{
    namespace Text = SettingsText;
    switch (r.problem) {
    case SettingsProblem::None: return {};
    case SettingsProblem::Missing: return str(Text::Missing);
    case SettingsProblem::NotRegular: return str(Text::NotRegular);
    case SettingsProblem::Unreadable: return str(Text::Unreadable).arg(r.detail);
    case SettingsProblem::TooLarge: return str(Text::TooLarge);
    case SettingsProblem::NotCp932: return str(Text::NotCp932).arg(r.line);
    case SettingsProblem::BadLine: return str(Text::BadLine).arg(r.line);
    case SettingsProblem::OutOfRange:
        return str(Text::OutOfRange).arg(QString::number(r.line), r.name, r.value, QString::number(r.range.low),
                                         QString::number(r.range.high));
    case SettingsProblem::NoMixerCount: return str(Text::NoMixerCount);
    case SettingsProblem::BadMixerCount: return str(Text::BadMixerCount).arg(r.value);
    case SettingsProblem::MissingSection: return str(Text::MissingSection).arg(r.value, r.name);
    case SettingsProblem::CutShort: return str(Text::CutShort).arg(r.name, r.value);
    }
    return {};
}

SettingsReadResult openSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable,
                                    ValueLimits limits)
{
    KeysSeen seen;
    const SettingsReadResult read = readSettingsFile(path, keys, FileTable, limits, &seen);
    return read.ok() ? checkSettingsWhole(FileTable, seen) : read;
}

std::optional<QByteArray> settingsBytes(const SettingsTable &FileTable, const SetDataKeyTable &keys,
                                        int FileMixerCount)
{
    const int mixers = qBound(0, FileMixerCount, SettingsGrid::MaxMixers);
    QString text;
    text.reserve(mixers * 8000 + 12000);
    auto writeSection = [&](const KeyList &list, const KeyEntry &section) {
        text += u'[';
        text += section.key;
        text += QLatin1String("]\r\n");
        for (const KeyEntry &k : list.keys) {
            text += k.key;
            text += u'=';
            text += oneLine(FileTable.at(k.id, section.id));
            text += QLatin1String("\r\n");
        }
    };
    for (int l = 0; l < SetDataKeyTable::ListCount; ++l) {
        const KeyList &list = keys.list(l);
        // List 3 has one section; lists 1 and 2 one per mixer.
        const int count = l == SetDataKeyTable::SystemList ? 1 : mixers;
        for (int s = 0; s < count && s < int(list.sections.size()); ++s)
            writeSection(list, list.sections[size_t(s)]);
    }
    // After every section an earlier program knows: only a file that has
    // meeting settings holds it.
    if (!FileTable.meeting().empty()) {
        text += u'[' + MeetingSectionName + QLatin1String("]\r\n");
        for (const auto &[key, value] : FileTable.meeting())
            text += key + u'=' + oneLine(value) + QLatin1String("\r\n");
    }
    // Look-alikes are written best-fit; a character CP932 lacks altogether
    // (refused where text is typed) becomes "?" rather than costing the save.
    return toCp932(text);
}

bool WriteSettingsFile(const QString &path, const SettingsTable &FileTable,
                       const SetDataKeyTable &keys, int FileMixerCount)
{
    // A save file writes beside the target and renames: over a device node
    // or a pipe it would put a file in the node's place.
    if (!saveTargetAllowed(path))
        return false;
    const auto bytes = settingsBytes(FileTable, keys, FileMixerCount);
    if (!bytes)
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(*bytes) != bytes->size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
