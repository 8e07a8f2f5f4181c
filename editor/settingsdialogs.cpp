#include "editor/settingsdialogs.h"

#include "base/strings.h"
#include "editor/editortexts.h"

#include <algorithm>

namespace {
constexpr int MasterText = 1902; // "マスター"
constexpr int SlaveText = 1903;  // "スレーブ"
// What keeps the dialog clear of the panel's right edge and of its caption,
// menu and bottom edge, in twips.
constexpr int RightMargin = 420;
constexpr int BottomMargin = 980;

// The channel rows' parameters, then the output's, in the order they are kept.
constexpr std::array<ChannelFamily, 6> ChannelKept{
    ChannelFamily::InputLevel, ChannelFamily::Phantom,      ChannelFamily::HeadAmp,
    ChannelFamily::LowCutFil,  ChannelFamily::ThresholdObj, ChannelFamily::InputGain};
constexpr std::array<int, 4> OutputKept{MixerKey::OutputGain, MixerKey::OutputLevel, MixerKey::Noma,
                                        MixerKey::KeyLock};
} // namespace

QString settingsDialogTitle(int dialogMixer, int dialogSlot)
{
    QString title = dialogMixer == 0 ? str(MasterText)
                                     : str(SlaveText) + u' ' + QString::number(dialogMixer);
    if (dialogSlot != OutputSlot)
        title += QStringLiteral("  ") + channelText(dialogMixer + 1, dialogSlot);
    return title;
}

QPoint settingsDialogPlace(QPoint pointer, QSize dialog, QSize panel, int toolbarHeight)
{
    const int right = panel.width() - dialog.width() - RightMargin;
    const int bottom = panel.height() - toolbarHeight - dialog.height() - BottomMargin;
    return {std::max(0, std::min(pointer.x(), right)), std::max(0, std::min(pointer.y(), bottom))};
}

int channelDialogLabelId(int label)
{
    // The channel strip's labels without override and mute.
    return label < 5 ? EditorText::RowLabelFirst + label : EditorText::RowLabelFirst + 7;
}

SettingsDialogEdits::SettingsDialogEdits(EditorEnv env, int dialogMixer, int dialogSlot)
    : m_env(env), m_edits(env, std::clamp(dialogMixer, 0, MaxMixers - 1) + 1),
      m_channel(dialogSlot >= 0 && dialogSlot < ChannelCount ? dialogSlot + 1 : 0)
{
    const MixerState &s = m_env.mixers;
    const int m = mixer();
    // A value still waiting to be sent is what the mixer is about to hold:
    // Cancel must not take it back to the older reported one.
    auto keep = [&](int id) {
        m_kept.push_back({id, (s.waiting(m, id) ? s.MixerSetData : s.MixerData)[size_t(m)].value(id)});
    };
    if (output())
        for (int id : OutputKept)
            keep(id);
    else
        for (ChannelFamily f : ChannelKept)
            keep(channelKeyId(f, m_channel));
}

qint16 SettingsDialogEdits::model() const
{
    return m_env.mixers.Model[size_t(mixer())];
}

const MixerDataRecord &SettingsDialogEdits::reported() const
{
    return m_env.mixers.MixerData[size_t(mixer())];
}

bool SettingsDialogEdits::channelOptionClicked(int row, int choice)
{
    if (output() || row < RowInputLevel || row > RowThresholdObj || choice < 0)
        return false;
    return m_edits.channelOptionClicked({m_channel - 1, row, choice});
}

bool SettingsDialogEdits::outputOptionClicked(int group, int choice)
{
    if (!output() || group < GroupOutputLevel || group > GroupKeyLock || choice < 0)
        return false;
    return m_edits.systemOptionClicked(group * 10 + choice).stored;
}

bool SettingsDialogEdits::gainChanged(int code)
{
    if (m_env.editor.Refreshing)
        return false;
    if (!output())
        return m_edits.gainChanged(m_channel - 1, code);
    m_edits.outputGainChanged(code);
    return true;
}

bool SettingsDialogEdits::channelChoiceOffered(bool lockTicked, int row, int choice) const
{
    if (!lockTicked || output() || choice < 0 || choice >= rowChoices(row))
        return false;
    const qint16 m = model();
    const MixerDataRecord &d = reported();
    const OlderModelLocks locks = olderModelLocks(m, d.channel(ChannelFamily::InputLevel, m_channel),
                                                  d.channel(ChannelFamily::HeadAmp, m_channel));
    if ((row == RowInputLevel && locks.inputLevel) || (row == RowHeadAmp && locks.headAmp))
        return false;
    return enableRules(mixer(), m).newerChoices || !newerOnlyChoice(row, choice);
}

bool SettingsDialogEdits::outputChoiceOffered(bool lockTicked, int group, int choice) const
{
    if (!lockTicked || !output() || choice < 0 || choice >= groupChoices(group))
        return false;
    switch (group) {
    case GroupOutputLevel: {
        const MixerDataRecord &d = reported();
        if (outputLevelLocked(model(), d.block[MixerKey::OutputLevel - 1]))
            return false;
        // The output level offers the same choices as the input attenuator.
        return enableRules(mixer(), model()).newerChoices || !newerOnlyChoice(RowInputLevel, choice);
    }
    case GroupNoma:
    case GroupKeyLock: return master();
    default: return false;
    }
}

void SettingsDialogEdits::cancel()
{
    m_env.sync.submit(mixer(), m_kept, Submit::Copy);
}
