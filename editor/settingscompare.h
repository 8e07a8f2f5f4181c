#pragma once

// What loading a settings file would change, without widgets: the mixer
// values of one system (the linked mixers, or a settings file) against those
// of another, value by value, each named and shown as the mixer editor names
// and shows it (its row label, the channel, dB, ON/OFF, seconds ...). The
// load's comparison window and the tool's `diff` and `load --dry-run` read
// the same result.
//
// Compared are the values a load sends: the 85 parameters of every mixer the
// apply step fills (data block and threshold) and the extended data, which
// are the system's: the load writes them from the master's section once, so
// they are compared for the master only, and only the registers the
// master's model takes. The editor's activity flag and the model code travel
// in the file but are never sent.

#include "editor/editorrules.h"
#include "mixer/mixerdata.h"
#include "settings/panelcompare.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class SettingsTable;

// The mixer values of one system, in the form the apply step puts them into
// the mixer records.
struct SystemValues
{
    int mixerCount = 0;
    std::array<MixerDataRecord, MixerSlots> data{};   // index 1..16
    std::array<ExtendedRecord, MixerSlots> extended{};
    // Whether a load writes every extension register: the newer model
    // takes registers 1..16 and 18, the older (or an unknown) master only
    // 1..10, ThresholdMax .. ThresholdActDef. A file has no such limit.
    bool allRegisters = true;

    // The linked mixers as they last reported.
    static SystemValues fromMixers(const MixerState &mixers);
    // A read settings file (FileTable): its "MixerCount" (a count outside
    // 0..16 reads as 0) and its mixer sections converted as the apply step
    // converts them, factory values for empty or unconvertible cells.
    static SystemValues fromFile(const SettingsTable &FileTable);
};

// The simultaneous-selection group: Priority_1..8 and OnlyType are one
// choice in the editor ("All OK", "1ch オンリー" ...). Its codes are the choice.
constexpr int SimultaneousKeyId = -1;

struct ValueChange
{
    int keyId = 0;       // settings key id, or SimultaneousKeyId
    QString key;         // settings key ("InputGain_3"), "Simultaneous" for the group
    EditorTab tab = TabChannels; // where the editor shows it: the kind of the value
    QString label;       // the editor's row or field label, on one line
    int channel = 0;     // the editor's channel number across the system, 0 for mixer values
    qint32 fromCode = 0; // the value now (the mixer's, or the first file's)
    qint32 toCode = 0;   // the value the file gives
    QString fromText;    // both as the editor shows them
    QString toText;
};

struct MixerChanges
{
    int mixer = 0;       // 1..16
    QString name;        // "マスター", "スレーブ1" ...
    std::vector<ValueChange> values; // in key id order, the extended data last
    std::array<int, EditorTabCount> perTab{};
};

struct SettingsComparison
{
    int fromMixers = 0;     // mixers of the current system
    int toMixers = 0;       // mixers the file holds
    int comparedMixers = 0; // mixers 1..comparedMixers were compared
    bool fromIsFile = false;
    std::vector<MixerChanges> mixers; // every compared mixer, also those without changes
    std::array<int, EditorTabCount> perTab{};
    // Two files: how their control panels differ (the mixers hold none).
    std::optional<PanelDifference> panels;

    int total() const;
    bool countsDiffer() const { return fromMixers != toMixers; }
    bool panelsDiffer() const { return panels && panels->any(); }
    // Nothing would change: no value differs, the counts agree and, for two
    // files, so do the control panels.
    bool same() const { return total() == 0 && !countsDiffer() && !panelsDiffer(); }
};

// Loading `file` into the linked `mixers` (online, with write access): the
// mixers the apply step fills, which are the linked ones when the file holds
// as many or more, else the file's; mixers beyond stay as they are.
SettingsComparison compareLoad(const SystemValues &mixers, const SystemValues &file);
// Two settings files: the mixers both hold.
SettingsComparison compareFiles(const SystemValues &first, const SystemValues &second);

// The value of key id 1..103 (or the simultaneous choice) as the editor shows
// it: choices by their captions, levels in dB ("MUTE" for code 0), times in
// seconds, factors and counts as its entry fields show them. A code that no
// caption stands for shows as its number.
QString editorValueText(int keyId, qint32 code);
// The editor's label of key id 1..103 (or the group), on one line.
QString editorKeyLabel(int keyId);
// The tab that shows key id 1..103 (or the group).
EditorTab editorKeyTab(int keyId);
// The tab's caption: "チャンネル設定データ" ...
QString editorTabName(EditorTab tab);

// The counts per kind after a total, " (チャンネル設定データ 2, 拡張データ 1)",
// naming only the kinds that have any; empty when none has.
QString kindCountsText(const std::array<int, EditorTabCount> &perTab);
// The value's label with its channel where it has one: "ゲイン ch 3".
QString changeLabel(const ValueChange &change);

// The line the comparison window and the tool put at the top when the mixer
// counts differ (empty when they agree): how many each side holds and which
// mixers a load leaves alone or which a file holds alone.
QString countNote(const SettingsComparison &comparison);
