#include "panel/designrecovery.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "settings/keytable.h"
#include "settings/panelsections_keys.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

namespace Res {
constexpr int Untitled = 1953;        // "(無題)"
constexpr int Question = 14207;       // "...元のファイル：%1\n記録した日時：%2\n復元しますか？"
constexpr int PartlyRead = 14208;     // "...（%1 行。最初は %2 行目：%3）...%4"
constexpr int NotRead = 14209;        // "復元ファイルを読めませんでした（%1）。...%2"
constexpr int CannotOpen = 14210;     // "ファイルを開けません"
constexpr int NoPanel = 14211;        // "コントロールパネルの値がありません"
constexpr int NotMoved = 14212;       // "（移せませんでした）"
} // namespace Res

// A recovery file is a few hundred kilobytes at most; anything far beyond
// that is not one of ours.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
constexpr int Sys = SettingsGrid::SystemSection;
constexpr int ShownText = 60;   // characters of a damaged line shown

// The file read line by line: what reads goes into `table`; keys and
// sections this program does not know are passed over, and a line that
// does not read (not CP932, not a key line, a value of the wrong kind) is
// counted and left out.
RecoveryRead readLeniently(const QByteArray &bytes, const SetDataKeyTable &keys, SettingsTable &table)
{
    RecoveryRead read;
    read.opened = true;
    QStringDecoder cp932("CP932");
    const QString text = cp932.decode(bytes);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    int section = -1;
    for (int n = 0; n < lines.size(); ++n) {
        const QString &line = lines[n];
        if (line.isEmpty())
            continue;
        const ParsedLine p = ParseLine(line);
        const KeyEntry *entry = keys.find(p.name);
        std::optional<QString> value;
        if (!line.contains(QChar::ReplacementCharacter) && p.kind == LineKind::SectionHeader) {
            section = entry && isSection(*entry) ? entry->id : -1;
            continue;
        }
        if (!line.contains(QChar::ReplacementCharacter) && p.kind == LineKind::KeyLine) {
            if (section < 0 || !entry || isSection(*entry)
                || keys.listOf(p.name) != SetDataKeyTable::listOfSection(section))
                continue;
            value = convertValue(p.value, entry->kind);
        }
        if (!value) {
            if (read.damagedLines++ == 0) {
                read.firstDamagedLine = n + 1;
                read.firstDamagedText = line.left(ShownText);
            }
            continue;
        }
        table.set(entry->id, section, *value);
    }
    // Without the link count the button sections cannot be taken.
    read.panelTaken = parseWhole(table.at(SystemKey::MixerCount, Sys), 0, SettingsGrid::MaxMixers).has_value();
    return read;
}

QString asidePath(const QString &path, const QDateTime &written)
{
    const QFileInfo info(path);
    const QString stem = info.absolutePath() + u'/' + info.completeBaseName() + u'-'
                         + written.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = stem + QStringLiteral(".ini");
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = stem + QStringLiteral("-%1.ini").arg(n);
    return candidate;
}

} // namespace

QString DesignRecovery::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/design-recovery.ini");
}

DesignRecovery::DesignRecovery(QString path) : m_path(std::move(path))
{
}

QString DesignRecovery::sourceNotePath(const QString &file) const
{
    const QFileInfo info(file);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".source");
}

bool DesignRecovery::write(const SettingsTable &SetDataTable, const SetDataKeyTable &keys, int FileMixerCount,
                           const QString &source) const
{
    if (m_path.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (!WriteSettingsFile(m_path, SetDataTable, keys, FileMixerCount))
        return false;
    // The source note is a line of its own beside the file, which stays a
    // settings file any copy of the program opens.
    const QString note = sourceNotePath(m_path);
    if (source.isEmpty()) {
        QFile::remove(note);
        return true;
    }
    QSaveFile f(note);
    if (f.open(QIODevice::WriteOnly))
        f.write(source.toUtf8());
    f.commit();
    return true;
}

void DesignRecovery::discard() const
{
    if (m_path.isEmpty())
        return;
    QFile::remove(m_path);
    QFile::remove(sourceNotePath(m_path));
}

std::optional<QDateTime> DesignRecovery::leftBehind() const
{
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || !info.isFile())
        return std::nullopt;
    return info.lastModified();
}

QString DesignRecovery::source() const
{
    QFile f(sourceNotePath(m_path));
    if (m_path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(4096)).trimmed();
}

QString DesignRecovery::question(const QDateTime &written) const
{
    const QLocale locale(language() == Language::English ? QLocale::English : QLocale::Japanese);
    const QString from = source();
    return str(Res::Question)
        .arg(from.isEmpty() ? str(Res::Untitled) : QDir::toNativeSeparators(from),
             locale.toString(written, QLocale::ShortFormat));
}

RecoveryRead DesignRecovery::restoreInto(SettingsTable &SetDataTable, const SetDataKeyTable &keys) const
{
    QFile f(m_path);
    if (m_path.isEmpty() || !f.open(QIODevice::ReadOnly) || f.size() > MaxFileBytes)
        return {};
    SettingsTable file;
    resetFileTable(file);
    const RecoveryRead read = readLeniently(f.readAll(), keys, file);
    if (!read.panelTaken)
        return read;
    for (int s = SettingsGrid::PanelSectionBase; s < SettingsGrid::Sections; ++s)
        for (int k = 0; k < SettingsGrid::KeyRows; ++k)
            SetDataTable.set(k, s, file.at(k, s));
    return read;
}

bool DesignRecovery::takeInto(SettingsTable &SetDataTable, const SetDataKeyTable &keys, Dialogs &dialogs) const
{
    const RecoveryRead read = restoreInto(SetDataTable, keys);
    if (!read.damaged())
        return true;
    QString aside = setAside();
    if (aside.isEmpty())
        aside = QDir::toNativeSeparators(m_path) + str(Res::NotMoved);
    if (read.panelTaken) {
        dialogs.tell(str(Res::PartlyRead)
                         .arg(QString::number(read.damagedLines), QString::number(read.firstDamagedLine),
                              read.firstDamagedText, aside),
                     MsgIcon::Warning);
        return true;
    }
    dialogs.tell(str(Res::NotRead).arg(str(read.opened ? Res::NoPanel : Res::CannotOpen), aside), MsgIcon::Warning);
    return false;
}

QString DesignRecovery::setAside() const
{
    const std::optional<QDateTime> written = leftBehind();
    if (!written)
        return {};
    const QString aside = asidePath(m_path, *written);
    if (!QFile::rename(m_path, aside))
        return {};
    QFile::rename(sourceNotePath(m_path), sourceNotePath(aside));
    return QDir::toNativeSeparators(aside);
}
