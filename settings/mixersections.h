#pragma once

// The mixer side of the settings text, as the settings commands see it: the
// link count, the file's mixer count, the capture step (live records into the
// mixer sections of SetDataTable) and the apply step (a loaded file's mixer
// sections into the values to be sent). MixerStateSettings is the program's
// implementation over the mixer records; tests may put a fake behind it.

#include "settings/panelmodel.h"

#include <QtGlobal>

#include <optional>

class SettingsTable;
struct MixerState;

// The file's "MixerCount", when it is a link count a system can have; 0 for
// a file without one (panel data only).
std::optional<int> storedMixerCount(const SettingsTable &table);

// Mixer key id 0..103 of mixer section `section` as the apply step takes it:
// converted by the key's kind, the factory default when the cell is empty or
// does not convert ("Active" as -1 / 0). Nothing for ids without a value.
std::optional<qint32> mixerValueOf(const SettingsTable &table, int id, int section);

class MixerSettings
{
public:
    virtual ~MixerSettings() = default;

    virtual qint16 mixerCount() const = 0;
    virtual void setMixerCount(qint16 count) = 0;
    virtual qint16 fileMixerCount() const = 0;
    virtual void setFileMixerCount(qint16 count) = 0;
    // False only after the Ethernet access check refused: loaded mixer values
    // are then neither applied nor sent.
    virtual bool writeAccess() const = 0;

    // Sections 0..mixers-1 from the values last reported, and "MixerCount"
    // of "SystemData" := mixers. With `fromPanel` the remote on/off values of
    // a mixer whose channels the panel recorded when it took them over are
    // the recorded ones, not the switched-off live ones.
    virtual void capture(SettingsTable &SetDataTable, bool fromPanel, const PanelRuntime &panel,
                         int mixers) const = 0;
    // Mixers 1..count take section m-1 as the values to send, every value
    // marked pending.
    virtual void apply(const SettingsTable &SetDataTable, int count) = 0;
    // Before a save: the wanted values become the reported ones, except
    // those still waiting to be sent.
    virtual void takeReported() = 0;
    // Offline no mixer reports back: the values just applied to mixers
    // 1..count stand as their own, for the editor to show and a save to
    // write, and nothing waits to be sent.
    virtual void adoptApplied(int count) = 0;
};

// The program's mixer records behind the settings commands.
class MixerStateSettings final : public MixerSettings
{
public:
    explicit MixerStateSettings(MixerState &state) : m_state(state) {}

    qint16 mixerCount() const override;
    void setMixerCount(qint16 count) override;
    qint16 fileMixerCount() const override;
    void setFileMixerCount(qint16 count) override;
    bool writeAccess() const override;
    // A mixer no longer linked keeps its last reported values and, where it
    // is no longer known, the model the table already holds for it.
    void capture(SettingsTable &SetDataTable, bool fromPanel, const PanelRuntime &panel,
                 int mixers) const override;
    // The extended values of every applied mixer come from the master's
    // section. A cell that is empty or does not convert takes the factory
    // default of its key.
    void apply(const SettingsTable &SetDataTable, int count) override;
    void takeReported() override;
    void adoptApplied(int count) override;

private:
    MixerState &m_state;
};
