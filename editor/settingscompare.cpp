#include "editor/settingscompare.h"

#include "base/strings.h"
#include "editor/editortexts.h"
#include "editor/extendedentries.h"
#include "editor/parametergrid.h"
#include "editor/scales.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"

#include <algorithm>

namespace T = EditorText;

namespace {

namespace Msg {
constexpr int CountsLoad = 12600;    // "接続されているミキサーは %1 台、ファイルのミキサーは %2 台です。"
constexpr int NotSent = 12601;       // "%1 台目から先のファイルの値は送信されません。"
constexpr int LeftAlone = 12602;     // "%1 台目から先のミキサーはファイルになく、変わりません。"
constexpr int CountsFiles = 12603;   // "最初のファイルのミキサーは %1 台、次のファイルは %2 台です。"
constexpr int OnlyInOne = 12604;     // "%1 台目から先は片方のファイルにしかなく、比べていません。"
} // namespace Msg

constexpr int AttenuatorCaption = 2113; // 2113 − code: the input attenuator's captions
constexpr int HeadAmpCaption = 2123;    // 2123 − code: the head amp's
constexpr int LastOlderRegisterKey = 96; // ThresholdActDef, register 10

// Priority_1..8 and OnlyType: shown together as the simultaneous selection,
// whose choice the priority switch (Priority_1) and OnlyType make.
bool simultaneousKey(int id)
{
    return (id >= channelKeyId(ChannelFamily::Priority, 1)
            && id <= channelKeyId(ChannelFamily::Priority, ChannelCount))
        || id == MixerKey::OnlyType;
}

bool channelKey(int id)
{
    return id >= MixerKey::FirstBlock && id <= channelKeyId(ChannelFamily::RemoteOff, ChannelCount);
}

ChannelFamily familyOf(int id)
{
    return ChannelFamily((id - 1) / ChannelCount);
}

// Row label of a channel family: the editor's Lbl1L(0..7) in their order.
int rowLabelId(ChannelFamily f)
{
    switch (f) {
    case ChannelFamily::InputLevel: return T::RowLabelFirst;
    case ChannelFamily::Phantom: return T::RowLabelFirst + 1;
    case ChannelFamily::HeadAmp: return T::RowLabelFirst + 2;
    case ChannelFamily::LowCutFil: return T::RowLabelFirst + 3;
    case ChannelFamily::InputGain: return T::RowLabelFirst + 4;
    case ChannelFamily::RemoteOn: return T::RowLabelFirst + 5;
    case ChannelFamily::RemoteOff: return T::RowLabelFirst + 6;
    case ChannelFamily::ThresholdObj: return T::RowLabelFirst + 7;
    case ChannelFamily::Priority: break;
    }
    return T::Simultaneous;
}

// A caption of a numbered list; a code that none stands for shows as itself.
QString captionOf(int firstId, qint32 code, int count, bool downwards)
{
    if (code < 0 || code >= count)
        return QString::number(code);
    return gridCaption(str(downwards ? firstId - code : firstId + code));
}

QString onOff(qint32 code)
{
    return code == 0 || code == 1 ? str(code == 1 ? T::On : T::Off) : QString::number(code);
}

QString withUnit(const QString &number, int unitId)
{
    return number + str(unitId);
}

QString levelText(qint32 code)
{
    if (code < LevelCodeMin || code > LevelCodeMax)
        return QString::number(code);
    return code == LevelCodeMin ? displayCode(Scale::Level, code)
                                : withUnit(displayCode(Scale::Level, code), T::Decibel);
}

// The group's caption without the blanks that lay it out on its button; the
// simultaneous selection's are built, and keep theirs ("1ch オンリー").
QString groupText(int group, qint32 code)
{
    if (code < 0 || code >= groupChoices(group))
        return QString::number(code);
    return group == GroupSimultaneous ? systemCaption(group, code) : gridCaption(systemCaption(group, code));
}

// The noise-detection values as the editor's 16-bit entries show them.
QString noiseEntryText(qint32 field, bool reference)
{
    ExtendedRecord r;
    (reference ? r.Noise_Detection_Reference : r.Noise_Detection_Threshold) = field;
    const ExtendedEntries e = ExtendedEntries::fromRecord(r);
    return QString::number(reference ? e.noiseReference : e.noiseThreshold);
}

qint32 valueOf(const SystemValues &s, int mixer, int id)
{
    if (id == SimultaneousKeyId)
        return simultaneousChoice(s.data[size_t(mixer)]);
    if (id >= MixerKey::FirstExtended)
        return s.extended[size_t(mixer)].value(id);
    return s.data[size_t(mixer)].value(id);
}

ValueChange changeOf(int id, int mixer, qint32 from, qint32 to)
{
    ValueChange c;
    c.keyId = id;
    c.key = id == SimultaneousKeyId ? QStringLiteral("Simultaneous") : mixerKey(id);
    c.tab = editorKeyTab(id);
    c.label = editorKeyLabel(id);
    if (channelKey(id) && !simultaneousKey(id))
        c.channel = (mixer - 1) * ChannelCount + (id - 1) % ChannelCount + 1;
    c.fromCode = from;
    c.toCode = to;
    c.fromText = editorValueText(id, from);
    c.toText = editorValueText(id, to);
    return c;
}

MixerChanges compareMixer(const SystemValues &from, const SystemValues &to, int mixer, bool allRegisters)
{
    MixerChanges out;
    out.mixer = mixer;
    out.name = mixerLabel(mixer);
    auto add = [&](int id) {
        const qint32 a = valueOf(from, mixer, id), b = valueOf(to, mixer, id);
        if (a == b)
            return false;
        out.values.push_back(changeOf(id, mixer, a, b));
        ++out.perTab[size_t(out.values.back().tab)];
        return true;
    };
    // The group first when its choice changes; when only a code behind an
    // unchanged choice differs (OnlyType while all channels may be on),
    // that code. The echoes of the priority switch are never sent.
    const bool groupChanged = add(SimultaneousKeyId);
    for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
        if (!priorityEcho(id) && (!simultaneousKey(id) || !groupChanged))
            add(id);
    if (mixer == 1) {
        const int last = allRegisters ? MixerKey::LastExtended : LastOlderRegisterKey;
        for (int id = MixerKey::FirstExtended; id <= last; ++id)
            add(id);
    }
    // The group's row was added first only to learn whether it changed; the
    // editor's order puts it with the system values.
    std::stable_sort(out.values.begin(), out.values.end(), [](const ValueChange &a, const ValueChange &b) {
        auto rank = [](const ValueChange &c) { return c.keyId == SimultaneousKeyId ? MixerKey::OnlyType : c.keyId; };
        return rank(a) < rank(b);
    });
    return out;
}

SettingsComparison compare(const SystemValues &from, const SystemValues &to, int mixers, bool allRegisters)
{
    SettingsComparison c;
    c.fromMixers = from.mixerCount;
    c.toMixers = to.mixerCount;
    c.comparedMixers = std::clamp(mixers, 0, MaxMixers);
    for (int m = 1; m <= c.comparedMixers; ++m) {
        c.mixers.push_back(compareMixer(from, to, m, allRegisters));
        for (int t = 0; t < EditorTabCount; ++t)
            c.perTab[size_t(t)] += c.mixers.back().perTab[size_t(t)];
    }
    return c;
}

} // namespace

SystemValues SystemValues::fromMixers(const MixerState &mixers)
{
    SystemValues s;
    s.mixerCount = std::clamp<int>(mixers.MixerCount, 0, MaxMixers);
    s.data = mixers.MixerData;
    s.extended = mixers.ExtendedData;
    s.allRegisters = mixers.Model[1] > 0;
    return s;
}

SystemValues SystemValues::fromFile(const SettingsTable &FileTable)
{
    SystemValues s;
    s.mixerCount = storedMixerCount(FileTable).value_or(0);
    for (int m = 1; m <= s.mixerCount; ++m) {
        MixerDataRecord &d = s.data[size_t(m)];
        ExtendedRecord &e = s.extended[size_t(m)];
        for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
            if (const auto v = mixerValueOf(FileTable, id, m - 1))
                d.setValue(id, *v);
        for (int id = MixerKey::FirstExtended; id <= MixerKey::LastExtended; ++id)
            if (const auto v = mixerValueOf(FileTable, id, m - 1))
                e.setValue(id, *v);
    }
    return s;
}

int SettingsComparison::total() const
{
    int n = 0;
    for (int v : perTab)
        n += v;
    return n;
}

SettingsComparison compareLoad(const SystemValues &mixers, const SystemValues &file)
{
    const int applied = file.mixerCount >= mixers.mixerCount ? mixers.mixerCount : file.mixerCount;
    return compare(mixers, file, applied, mixers.allRegisters);
}

SettingsComparison compareFiles(const SystemValues &first, const SystemValues &second)
{
    SettingsComparison c = compare(first, second, std::min(first.mixerCount, second.mixerCount), true);
    c.fromIsFile = true;
    return c;
}

QString editorValueText(int id, qint32 code)
{
    if (id == SimultaneousKeyId)
        return groupText(GroupSimultaneous, code);
    if (channelKey(id)) {
        switch (familyOf(id)) {
        case ChannelFamily::InputLevel: return captionOf(AttenuatorCaption, code, rowChoices(RowInputLevel), true);
        case ChannelFamily::HeadAmp: return captionOf(HeadAmpCaption, code, rowChoices(RowHeadAmp), true);
        case ChannelFamily::InputGain: return levelText(code);
        case ChannelFamily::Priority: return QString::number(code);
        default: return onOff(code);
        }
    }
    switch (id) {
    case MixerKey::OutputLevel: return groupText(GroupOutputLevel, code);
    case MixerKey::OutputGain: return levelText(code);
    case MixerKey::MuteChange: return groupText(GroupMuteChange, code);
    case MixerKey::MuteAtt:
    case 95: // MuteAttDef
        return captionOf(T::MuteAttFirst, code, 3, false);
    case MixerKey::ThresholdAction:
    case 96: // ThresholdActDef
        return groupText(GroupThresholdAction, code);
    case MixerKey::ThresholdUnit: return groupText(GroupThresholdUnit, code);
    case MixerKey::Action: return groupText(GroupAction, code);
    case MixerKey::Noma: return groupText(GroupNoma, code);
    case MixerKey::LastOn: return groupText(GroupLastOn, code);
    case MixerKey::KeyLock: return groupText(GroupKeyLock, code);
    case MixerKey::HoldTime: return withUnit(displayCode(Scale::HalfSeconds, code), T::Seconds);
    case 89: return displayCode(Scale::Hundredths, code);                       // ThresholdK
    case 90:                                                                     // MuteK
    case 91: return withUnit(displayCode(Scale::Tenths, code), T::Decibel);     // OutPeakLEDK
    case 92:                                                                     // PriorityDef
    case 97:                                                                     // Noise_Detection
    case 100: return onOff(code);                                                // Head_Lack_Prevention
    case 98: return noiseEntryText(code, true);
    case 99: return noiseEntryText(code, false);
    case 101:                                                                    // Silent_Time
    case 102: return withUnit(displayCode(Scale::Twentieths, code), T::Seconds); // Hold_Time2
    default: return QString::number(code); // OnlyType, Threshold, the counts
    }
}

QString editorKeyLabel(int id)
{
    if (id == SimultaneousKeyId || simultaneousKey(id))
        return gridCaption(str(T::Simultaneous));
    if (channelKey(id))
        return gridCaption(str(rowLabelId(familyOf(id))));
    auto defaults = [](int labelId) { return joinWords(gridCaption(str(labelId)), str(T::DefaultSuffix)); };
    switch (id) {
    case MixerKey::OutputLevel: return gridCaption(str(T::FieldLabelFirst));
    case MixerKey::OutputGain: return gridCaption(str(T::FieldLabelFirst + 1));
    case MixerKey::Threshold: return gridCaption(str(T::FieldLabelFirst + 2));
    case MixerKey::MuteChange:
    case MixerKey::MuteAtt: return gridCaption(str(T::FieldLabelFirst + 3));
    case MixerKey::ThresholdAction: return gridCaption(str(T::ThresholdAction));
    case MixerKey::ThresholdUnit: return gridCaption(str(T::ThresholdUnit));
    case MixerKey::Action: return gridCaption(str(T::AutomaticAction));
    case MixerKey::Noma: return gridCaption(str(T::Noma));
    case MixerKey::LastOn: return gridCaption(str(T::LastOn));
    case MixerKey::HoldTime: return gridCaption(str(T::HoldTime));
    case MixerKey::KeyLock: return gridCaption(str(T::KeyLock));
    case 87: return gridCaption(str(T::ThresholdMaxLabel));
    case 88: return gridCaption(str(T::ThresholdMinLabel));
    case 89: return gridCaption(str(T::ExtendedLabelFirst + 1));
    case 90: return gridCaption(str(T::ExtendedLabelFirst));
    case 91: return gridCaption(str(T::ExtendedLabelFirst + 2));
    case 92: case 93: case 94: case 95: case 96: return defaults(T::DefaultLabelFirst + id - 92);
    default:
        if (id >= 97 && id <= MixerKey::LastExtended)
            return gridCaption(str(T::NoiseLabelFirst + id - 97));
        return mixerKey(id);
    }
}

EditorTab editorKeyTab(int id)
{
    if (channelKey(id) && !simultaneousKey(id))
        return TabChannels;
    if (id >= 92 && id <= 96)
        return TabDefaults;
    if (id >= MixerKey::FirstExtended)
        return TabExtended;
    return TabSystem;
}

QString editorTabName(EditorTab tab)
{
    return str(T::TabFirst + int(tab));
}

QString kindCountsText(const std::array<int, EditorTabCount> &perTab)
{
    QStringList parts;
    for (int t = 0; t < EditorTabCount; ++t)
        if (perTab[size_t(t)])
            parts << editorTabName(EditorTab(t)) + u' ' + QString::number(perTab[size_t(t)]);
    return parts.isEmpty() ? QString() : QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
}

QString changeLabel(const ValueChange &change)
{
    constexpr int ChannelText = 2911; // "ch"
    return change.channel ? change.label + u' ' + str(ChannelText) + u' ' + QString::number(change.channel)
                          : change.label;
}

QString countNote(const SettingsComparison &c)
{
    if (!c.countsDiffer())
        return {};
    const QString from = QString::number(c.fromMixers), to = QString::number(c.toMixers);
    const QString next = QString::number(c.comparedMixers + 1);
    if (c.fromIsFile)
        return str(Msg::CountsFiles).arg(from, to) + str(Msg::OnlyInOne).arg(next);
    return str(Msg::CountsLoad).arg(from, to)
        + str(c.toMixers > c.fromMixers ? Msg::NotSent : Msg::LeftAlone).arg(next);
}
