#include "panel/designrecovery.h"

#include "settings/keytable.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString DesignRecovery::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/design-recovery.ini");
}

DesignRecovery::DesignRecovery(QString path) : m_path(std::move(path))
{
}

bool DesignRecovery::write(const SettingsTable &SetDataTable, const SetDataKeyTable &keys, int FileMixerCount) const
{
    if (m_path.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return WriteSettingsFile(m_path, SetDataTable, keys, FileMixerCount);
}

void DesignRecovery::discard() const
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

std::optional<QDateTime> DesignRecovery::leftBehind() const
{
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || !info.isFile())
        return std::nullopt;
    return info.lastModified();
}

bool DesignRecovery::restoreInto(SettingsTable &SetDataTable, const SetDataKeyTable &keys) const
{
    SettingsTable file;
    resetFileTable(file);
    // Only the panel sections are taken; the mixer sections hold whatever
    // the mixers reported, which need not be values the editor sets.
    if (!readSettingsFile(m_path, keys, file, ValueLimits::Mixer))
        return false;
    for (int s = SettingsGrid::PanelSectionBase; s < SettingsGrid::Sections; ++s)
        for (int k = 0; k < SettingsGrid::KeyRows; ++k)
            SetDataTable.set(k, s, file.at(k, s));
    return true;
}
