#include "panel/heldchannels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QString OnKey = QStringLiteral("RemoteOn");
const QString OffKey = QStringLiteral("RemoteOff");

// "[Mixer3]": panel mixer 2.
QString sectionOf(int mixer)
{
    return QStringLiteral("[Mixer%1]").arg(mixer + 1);
}

std::optional<int> mixerOfSection(const QString &line)
{
    if (!line.startsWith(QLatin1String("[Mixer")) || !line.endsWith(u']'))
        return std::nullopt;
    bool ok = false;
    const int n = line.mid(6, line.size() - 7).toInt(&ok);
    if (!ok || n < 1 || n > Panel::MaxMixers)
        return std::nullopt;
    return n - 1;
}

QString valuesText(const std::array<quint8, Panel::ChannelSlots> &values)
{
    QStringList parts;
    for (quint8 v : values)
        parts << QString::number(v);
    return parts.join(u',');
}

// Eight switches of 0 or 1, as the mixers take them.
bool parseValues(const QString &text, std::array<quint8, Panel::ChannelSlots> &values)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != Panel::ChannelSlots)
        return false;
    for (int c = 0; c < Panel::ChannelSlots; ++c) {
        bool ok = false;
        const int v = parts[c].trimmed().toInt(&ok);
        if (!ok || v < 0 || v > 1)
            return false;
        values[size_t(c)] = quint8(v);
    }
    return true;
}

} // namespace

QString HeldChannels::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/held-channels.ini");
}

HeldChannels::HeldChannels(QString path) : m_path(std::move(path))
{
}

bool HeldChannels::keep(const PanelRuntime &runtime)
{
    Record next = m_kept;
    for (int m = 0; m < Panel::MaxMixers; ++m)
        if (runtime.remoteRecord[size_t(m)] != RemoteRecord::None)
            next[m] = Switches{runtime.recordedRemoteOn[size_t(m)], runtime.recordedRemoteOff[size_t(m)]};
    if (next == m_kept && (next.empty() || QFileInfo::exists(m_path)))
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QString text = QStringLiteral("; The channels' switches the control panel took over, to be given back.\r\n");
    for (const auto &[mixer, switches] : next)
        text += sectionOf(mixer) + QStringLiteral("\r\n") + OnKey + u'=' + valuesText(switches.on)
                + QStringLiteral("\r\n") + OffKey + u'=' + valuesText(switches.off) + QStringLiteral("\r\n");
    f.write(text.toUtf8());
    if (!f.commit())
        return false;
    m_kept = std::move(next);
    return true;
}

void HeldChannels::discard()
{
    m_kept.clear();
    QFile::remove(m_path);
}

std::optional<QDateTime> HeldChannels::leftBehind() const
{
    const QFileInfo info(m_path);
    if (!info.isFile())
        return std::nullopt;
    return info.lastModified();
}

std::optional<HeldChannels::Record> HeldChannels::read() const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024)
        return std::nullopt;
    Record record;
    std::optional<int> mixer;
    // Which of the two keys each mixer has: both, or the file is cut short.
    std::map<int, int> seen;
    for (const QString &raw : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            mixer = mixerOfSection(line);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!mixer || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (key != OnKey && key != OffKey)
            continue;
        Switches &s = record[*mixer];
        if (!parseValues(line.mid(eq + 1), key == OnKey ? s.on : s.off))
            return std::nullopt;
        seen[*mixer] |= key == OnKey ? 1 : 2;
    }
    for (const auto &[m, keys] : seen)
        if (keys != 3)
            return std::nullopt;
    if (record.empty())
        return std::nullopt;
    return record;
}

QString HeldChannels::setAside() const
{
    const QString aside = m_path + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(m_path, aside);
    return aside;
}

void HeldChannels::owe(const Record &record, PanelRuntime &runtime)
{
    for (const auto &[mixer, switches] : record) {
        runtime.recordedRemoteOn[size_t(mixer)] = switches.on;
        runtime.recordedRemoteOff[size_t(mixer)] = switches.off;
        runtime.remoteRecord[size_t(mixer)] = RemoteRecord::Owed;
    }
}
