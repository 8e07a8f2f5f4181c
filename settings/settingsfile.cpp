#include "settings/settingsfile.h"

#include "settings/cp932text.h"
#include "settings/valuetext.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <limits>

Q_LOGGING_CATEGORY(lcSettingsFile, "zkvr.settings.file")

namespace {

// A settings file of a full system is about 100 kB; anything far beyond that
// is not one of ours and is not read into memory.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

const char *const Codec = "CP932";

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

bool readSettingsBytes(const QByteArray &bytes, const SetDataKeyTable &keys, SettingsTable &FileTable)
{
    // The whole file is one piece: a stateless decoder reports a lead byte
    // left without its trail byte at the end instead of keeping it for more.
    QStringDecoder decoder(Codec, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        qCWarning(lcSettingsFile) << "no CP932 codec";
        return false;
    }
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;

    int section = -1;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        // A line ends at CR LF, CR or LF.
        qsizetype end = pos;
        while (end < n && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        const QString line = text.mid(pos, end - pos);
        if (end < n && text.at(end) == u'\r' && end + 1 < n && text.at(end + 1) == u'\n')
            ++end;
        pos = end + 1;

        if (line.isEmpty())
            continue;
        const ParsedLine p = ParseLine(line);
        if (p.kind != LineKind::SectionHeader && p.kind != LineKind::KeyLine)
            return false;
        const KeyEntry *entry = keys.find(p.name);
        if (!entry)
            return false;
        if (p.kind == LineKind::SectionHeader) {
            // Only section names open a section: "[Active]" would otherwise
            // select a column by a key's id, far past the last section.
            if (!isSection(*entry))
                return false;
            section = entry->id;
            continue;
        }
        if (section < 0)
            continue;           // key lines before the first section are ignored
        if (isSection(*entry))
            continue;           // a section name used as a key holds nothing
        // A key under a section of another list is left out: its cell would
        // be written back under that list's key of the same number, another
        // key of another kind, and the file written could not be read again.
        if (keys.listOf(p.name) != SetDataKeyTable::listOfSection(section))
            continue;
        const auto stored = convertValue(p.value, entry->kind);
        if (!stored)
            return false;
        FileTable.set(entry->id, section, *stored);
    }
    return true;
}

bool ReadSettingsFile(const QString &path, const SetDataKeyTable &keys, SettingsTable &FileTable)
{
    QFile f(path);
    if (!f.exists() || !f.open(QIODevice::ReadOnly))
        return false;
    if (f.size() > MaxFileBytes)
        return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return false;
    return readSettingsBytes(bytes, keys, FileTable);
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
    // Look-alikes are written best-fit; a character CP932 lacks altogether
    // (refused where text is typed) becomes "?" rather than costing the save.
    return toCp932(text);
}

bool WriteSettingsFile(const QString &path, const SettingsTable &FileTable,
                       const SetDataKeyTable &keys, int FileMixerCount)
{
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
