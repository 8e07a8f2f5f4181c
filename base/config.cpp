#include "config.h"

#include "base/installlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kIniName = QStringLiteral("ZK-VR340a.ini");
const QString kUninstallLog = QStringLiteral("ST6UNST.LOG");
const QString kOrg = QStringLiteral("ZK-VR340a");
constexpr int kProfileBuffer = 255; // characters, terminating zero included

// A demo or a trial run names a configuration folder of its own, so that
// the user's own ZK-VR340a.ini and last file name are never touched.
QString configDirOverride()
{
    return qEnvironmentVariable("ZKVR340A_CONFIG_DIR");
}

QSettings userStore()
{
    const QString dir = configDirOverride();
    if (!dir.isEmpty())
        return QSettings(dir + u'/' + kOrg + QStringLiteral(".conf"), QSettings::IniFormat);
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrg, kOrg);
}

bool folderWritable(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(f.readAll());
}

} // namespace

bool isDebugCommandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(u' ') == QLatin1String("DEBUG");
}

QString readDataFileName()
{
    return userStore().value(QStringLiteral("System/DataFileName")).toString();
}

void writeDataFileName(const QString &path)
{
    QSettings s = userStore();
    s.setValue(QStringLiteral("System/DataFileName"), path);
    s.sync();
}

QString readUserValue(const QString &key, const QString &fallback)
{
    return userStore().value(key, fallback).toString();
}

void writeUserValue(const QString &key, const QString &value)
{
    QSettings s = userStore();
    s.setValue(key, value);
    s.sync();
    // The store may hold access tokens: the user's alone.
    QFile::setPermissions(s.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString profileValue(const QString &text, const QString &section, const QString &key)
{
    bool inSection = false;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inSection = line.mid(1, line.indexOf(u']') - 1).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed().left(kProfileBuffer - 1);
    }
    return {};
}

QString withProfileValue(const QString &text, const QString &section, const QString &key,
                         const QString &value)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString entry = key + u'=' + value;
    int sectionAt = -1;
    int insertAt = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(u'[')) {
            if (sectionAt >= 0)
                break;
            if (line.mid(1, line.indexOf(u']') - 1).compare(section, Qt::CaseInsensitive) == 0) {
                sectionAt = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionAt < 0)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            lines[i] = entry;
            return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        }
        if (!line.isEmpty())
            insertAt = i + 1;
    }
    if (sectionAt < 0) {
        lines << u'[' + section + u']';
        insertAt = int(lines.size());
    }
    lines.insert(insertAt, entry);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

IniConfig::IniConfig(QString programDir, QString userDir)
    : m_programDir(std::move(programDir)), m_userDir(std::move(userDir))
{
    if (m_programDir.isEmpty())
        m_programDir = QCoreApplication::applicationDirPath();
    if (m_userDir.isEmpty())
        m_userDir = configDirOverride();
    if (m_userDir.isEmpty())
        m_userDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    + QStringLiteral("/ZK-VR340a");
    m_programDirShared = isInstalledProgramDir(m_programDir);
}

QString IniConfig::readPath() const
{
    const QString user = m_userDir + u'/' + kIniName;
    return QFileInfo::exists(user) ? user : m_programDir + u'/' + kIniName;
}

QString IniConfig::writePath() const
{
    const QString user = m_userDir + u'/' + kIniName;
    const QString local = m_programDir + u'/' + kIniName;
    if (QFileInfo::exists(user) || m_programDirShared)
        return user;
    if (QFileInfo::exists(local) ? QFileInfo(local).isWritable() : folderWritable(m_programDir))
        return local;
    return user;
}

QString IniConfig::value(const QString &section, const QString &key) const
{
    return profileValue(readText(readPath()), section, key);
}

bool IniConfig::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString path = writePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString text = withProfileValue(readText(path), section, key, value);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text.toLocal8Bit());
    return f.commit();
}

IpSettings IniConfig::ipSettings() const
{
    const QString text = readText(readPath());
    return {profileValue(text, QStringLiteral("IP_Setting"), QStringLiteral("IP_Address")),
            profileValue(text, QStringLiteral("IP_Setting"), QStringLiteral("User_ID"))};
}

bool IniConfig::SaveIpSettings(const QString &address, const QString &userId)
{
    const QString ini = writePath();
    const QString log = m_programDir + u'/' + kUninstallLog;
    if (QFileInfo::exists(log) && !QFileInfo::exists(ini)) {
        const QString marker = u'\\' + kIniName;
        const QString logText = readText(log);
        if (!logText.contains(marker)) {
            QFile f(log);
            if (f.open(QIODevice::Append)) {
                const QString line = QStringLiteral("ACTION: PrivateFile: \"")
                                     + QDir::toNativeSeparators(m_programDir) + marker
                                     + QStringLiteral("\"\r\n");
                f.write(line.toLocal8Bit());
            }
        }
    }
    return setValue(QStringLiteral("IP_Setting"), QStringLiteral("IP_Address"), address)
           && setValue(QStringLiteral("IP_Setting"), QStringLiteral("User_ID"), userId);
}
