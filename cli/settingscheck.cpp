#include "cli/settingscheck.h"

#include "base/regularfile.h"
#include "base/strings.h"
#include "settings/cp932text.h"
#include "settings/keytable.h"
#include "settings/settingsfile.h"

#include <QFileInfo>

namespace {

namespace Msg {
constexpr int Missing = 9763;
constexpr int Unreadable = 9764;
constexpr int BadLine = 9765;
constexpr int BadCount = 9766;
constexpr int TooLarge = 9768;
constexpr int EditorRange = 13000;
constexpr int MixerRange = 13001;
constexpr int NoMixerCount = 13002;
constexpr int MissingSection = 13003;
constexpr int CutShort = 13004;
constexpr int NotRegular = 13005;
constexpr int NotCp932 = 13209;    // "%1: %2 is not CP932 text (...); nothing was sent"
} // namespace Msg

// A file saved in another encoding (UTF-8, UTF-16) may even read by chance,
// its Japanese turned into other characters: it is named for what it is.
bool inOtherEncoding(const QString &path)
{
    const FileBytes file = readRegularFile(path, MaxSettingsFileBytes);
    return file.status == FileRead::Done && isOtherEncoding(file.bytes);
}

} // namespace

QString readSettingsForCommand(const QString &command, const QString &path, SettingsTable &table,
                               ValueLimits limits)
{
    const QString shown = QFileInfo(path).absoluteFilePath();
    const SetDataKeyTable keys = SetDataKeyTable::build();
    resetFileTable(table);
    const SettingsReadResult r = openSettingsFile(path, keys, table, limits);
    const bool readable = r.problem == SettingsProblem::None || r.problem == SettingsProblem::NotCp932
                          || r.problem == SettingsProblem::BadLine;
    if (readable && inOtherEncoding(path))
        return str(Msg::NotCp932).arg(command, shown);
    switch (r.problem) {
    case SettingsProblem::None: return {};
    case SettingsProblem::Missing: return str(Msg::Missing).arg(command, shown);
    case SettingsProblem::NotRegular: return str(Msg::NotRegular).arg(command, shown);
    case SettingsProblem::Unreadable: return str(Msg::Unreadable).arg(command, shown, r.detail);
    case SettingsProblem::TooLarge: return str(Msg::TooLarge).arg(command, shown);
    case SettingsProblem::NotCp932:
    case SettingsProblem::BadLine: return str(Msg::BadLine).arg(command, shown).arg(r.line);
    case SettingsProblem::OutOfRange:
        return str(limits == ValueLimits::Editor ? Msg::EditorRange : Msg::MixerRange)
            .arg(command, shown, QString::number(r.line), r.name, r.value)
            .arg(r.range.low)
            .arg(r.range.high);
    case SettingsProblem::NoMixerCount: return str(Msg::NoMixerCount).arg(command, shown);
    case SettingsProblem::BadMixerCount: return str(Msg::BadCount).arg(command, shown, r.value);
    case SettingsProblem::MissingSection: return str(Msg::MissingSection).arg(command, shown, r.value, r.name);
    case SettingsProblem::CutShort: return str(Msg::CutShort).arg(command, shown, r.name, r.value);
    }
    return {};
}
