#include "settings/mixersections.h"

#include "mixer/mixerdata.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <limits>

namespace {

constexpr int Sys = SettingsGrid::SystemSection;
constexpr int FirstRemote = 57;     // Override_1; Mute_1..Mute_8 follow at 65

int linkedMixers(const MixerState &s)
{
    return qBound(0, int(s.MixerCount), MaxMixers);
}

} // namespace

std::optional<int> storedMixerCount(const SettingsTable &t)
{
    const QString &text = t.at(0, Sys);
    if (text.isEmpty())
        return 0;      // a file of panel data only
    const auto v = parseWhole(text, 0, SettingsGrid::MaxMixers);
    if (!v)
        return std::nullopt;
    return int(*v);
}

std::optional<qint32> mixerValueOf(const SettingsTable &t, int id, int section)
{
    const KeyKind kind = mixerKeys()[size_t(id)].kind;
    auto parse = [&](const QString &text) -> std::optional<qint32> {
        switch (kind) {
        case KeyKind::Boolean:
            if (const auto b = parseBool(text))
                return *b ? -1 : 0;
            return std::nullopt;
        case KeyKind::Byte:
            if (const auto v = parseWhole(text, 0, 255))
                return qint32(*v);
            return std::nullopt;
        case KeyKind::Int16:
            if (const auto v = parseWhole(text, std::numeric_limits<qint16>::min(),
                                          std::numeric_limits<qint16>::max()))
                return qint32(*v);
            return std::nullopt;
        case KeyKind::Int32:
            if (const auto v = parseWhole(text, std::numeric_limits<qint32>::min(),
                                          std::numeric_limits<qint32>::max()))
                return qint32(*v);
            return std::nullopt;
        default:
            return std::nullopt;
        }
    };
    if (const auto v = parse(t.at(id, section)))
        return v;
    return parse(factoryDefaultText(id));
}

qint16 MixerStateSettings::mixerCount() const { return m_state.MixerCount; }
void MixerStateSettings::setMixerCount(qint16 count) { m_state.MixerCount = count; }
qint16 MixerStateSettings::fileMixerCount() const { return m_state.FileMixerCount; }
void MixerStateSettings::setFileMixerCount(qint16 count) { m_state.FileMixerCount = count; }
bool MixerStateSettings::writeAccess() const { return m_state.WriteAccess; }

void MixerStateSettings::capture(SettingsTable &SetDataTable, bool fromPanel, const PanelRuntime &panel,
                                 int mixers) const
{
    const int count = qBound(0, mixers, MaxMixers);
    for (int m = 1; m <= count; ++m) {
        const int section = m - 1;
        const MixerDataRecord &data = m_state.MixerData[size_t(m)];
        SetDataTable.set(MixerKey::Active, section, boolText(m_state.EditorOpen[size_t(m)]));
        for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
            SetDataTable.set(id, section, QString::number(data.value(id)));
        if (fromPanel && panel.remoteRecord[size_t(section)] != RemoteRecord::None) {
            // The panel switched this mixer's channels off remotely when it
            // took them over; the file keeps what the channels had before.
            for (int n = 0; n < ChannelCount; ++n) {
                const auto on = panel.recordedRemoteOn[size_t(section)][size_t(n)];
                const auto off = panel.recordedRemoteOff[size_t(section)][size_t(n)];
                SetDataTable.set(FirstRemote + n, section, QString::number(on));
                SetDataTable.set(FirstRemote + ChannelCount + n, section, QString::number(off));
            }
        }
        // A model code that is not known (offline, or a mixer gone from the
        // link) leaves the one the table holds from the file or before.
        const qint16 model = m_state.Model[size_t(m)];
        if (model != -1 || SetDataTable.at(MixerKey::Model, section).isEmpty())
            SetDataTable.set(MixerKey::Model, section, QString::number(model));
        const ExtendedRecord &ext = m_state.ExtendedData[size_t(m)];
        for (int id = MixerKey::FirstExtended; id <= MixerKey::LastExtended; ++id)
            SetDataTable.set(id, section, QString::number(ext.value(id)));
    }
    SetDataTable.set(0, Sys, QString::number(count));
}

void MixerStateSettings::apply(const SettingsTable &SetDataTable, int count)
{
    const int mixers = qBound(0, count, MaxMixers);
    for (int m = 1; m <= mixers; ++m) {
        const int section = m - 1;
        for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
            if (const auto v = mixerValueOf(SetDataTable, id, section))
                m_state.takeLoadedValue(m, id, *v);
        ExtendedRecord &ext = m_state.ExtendedData[size_t(m)];
        for (int id = MixerKey::FirstExtended; id <= MixerKey::LastExtended; ++id)
            if (const auto v = mixerValueOf(SetDataTable, id, 0))
                ext.setValue(id, *v);
    }
}

void MixerStateSettings::takeReported()
{
    // A value still flagged is an edit on its way to the mixer (a save may
    // come while SetData runs); it keeps the wanted value, or SetData would
    // send back what the mixer already holds and call it done.
    for (int m = 1; m <= linkedMixers(m_state); ++m)
        m_state.takeReported(m);
}

void MixerStateSettings::adoptApplied(int count)
{
    for (int m = 1; m <= qBound(0, count, MaxMixers); ++m)
        m_state.adoptLoadedValues(m);
}
