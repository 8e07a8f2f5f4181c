#pragma once

// The rules of the two small settings dialogs the control panel opens on a
// right click, without widgets: frmChSetting for one channel of one mixer
// (input attenuator, phantom power, head amp, low cut, threshold target and
// the channel level) and frmOutputSetting for a mixer's output (output
// attenuator, output level, NOMA and key lock).
//
// A dialog edits like the mixer editor, through MixerEdits with neither
// ch1-Link nor Mixer-Link: the code goes into MixerSetData of its one mixer
// and channel, marked for sending where it differs from MixerData. What is
// its own: the values it keeps for Cancel, what its edit lock offers, its
// title and where it opens.

#include "editor/editorrules.h"
#include "editor/mixeredits.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <utility>
#include <vector>

// The panel slot of a mixer's output; slots 0..7 are its channels.
constexpr int OutputSlot = 8;

// The title line: "マスター" or "スレーブ", a space and the slave number
// (スレーブ 3), then for a channel two spaces and "ch" with the channel's
// number across the linked system ("マスター  ch 3", "スレーブ 1  ch 11").
QString settingsDialogTitle(int dialogMixer, int dialogSlot);

// Where a dialog opens, in twips from the panel's corner: at the pointer,
// but no further right than the panel's width less the dialog's width and
// 420, nor further down than the panel's height less its toolbar, the
// dialog's height and 980, so the whole dialog stands over the panel. A panel
// smaller than the dialog puts it at the corner rather than off the screen.
QPoint settingsDialogPlace(QPoint pointer, QSize dialog, QSize panel, int toolbarHeight);

class SettingsDialogEdits
{
public:
    // The dialog of panel mixer `dialogMixer` (0..15) and slot `dialogSlot`:
    // mixer dialogMixer + 1, channel dialogSlot + 1, or the mixer's output
    // for OutputSlot. Keeps the values Cancel restores: what the mixer holds,
    // or what is already waiting to be sent to it.
    SettingsDialogEdits(EditorEnv env, int dialogMixer, int dialogSlot);

    bool output() const { return m_channel == 0; }
    int mixer() const { return m_edits.editMixer(); }
    int channel() const { return m_channel; } // 1..8; 0 for the output
    bool master() const { return mixer() == 1; }
    qint16 model() const;
    const MixerDataRecord &reported() const;

    // OpnParamCh(row × 10 + choice) of the channel, rows 0..4.
    bool channelOptionClicked(int row, int choice);
    // OpnParam(group × 10 + choice) of the output: output level, NOMA, key
    // lock. A slave's NOMA and key lock are the master's to set.
    bool outputOptionClicked(int group, int choice);
    // The channel's InputGain, or the mixer's OutputGain. Nothing is stored
    // while the dialog refreshes.
    bool gainChanged(int code);

    // Which choice buttons are offered: none while the edit lock is clear;
    // with it ticked, what the mixer's model has, except a row whose value
    // the older model's buttons cannot show (that row stays locked rather
    // than offer choices that would silently replace the value). NOMA and
    // key lock only for the master.
    bool channelChoiceOffered(bool lockTicked, int row, int choice) const;
    bool outputChoiceOffered(bool lockTicked, int group, int choice) const;

    // Cancel: the kept values go back into MixerSetData, every one of them
    // marked to be sent again, changed or not.
    void cancel();
    // Key id and value of each kept value.
    const ValueSet &kept() const { return m_kept; }

private:
    EditorEnv m_env;
    MixerEdits m_edits;
    int m_channel;
    ValueSet m_kept;
};

// The rows of the channel dialog, top to bottom, as its row labels Lbl1L(0..5)
// name them (strings 2101..2105, 2108); -1 is the channel level.
constexpr std::array<int, 6> ChannelDialogRows{RowInputLevel, RowPhantom, RowHeadAmp,
                                               RowLowCutFil,  -1,         RowThresholdObj};
int channelDialogLabelId(int label);
