#pragma once

// The parameter grid's content, without widgets: one setting of every linked
// mixer (items 8..11) or of every channel of every linked mixer (items
// 0..7), read from MixerData; the window is given it anew after every poll
// and every change of a written value's state. The window
// (editor/ui/frmparameter.h) only shows it.

#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"

#include <QString>

#include <utility>
#include <vector>

// GridItem: 0..7 as the editor's channel row labels, 8..11 as the system
// tab's four field labels.
constexpr int GridItemCount = 12;
constexpr int FirstMixerItem = 8;

struct ParameterGrid
{
    QString title;                // the item's name, also the window's caption
    QString mixerHeader;          // "ミキサー番号"
    std::vector<std::pair<QString, QString>> rows; // row label, value
    // Per row: how the value the program last wrote there stands (Settled
    // when nothing was written or no one asked).
    std::vector<ValueState> states;
};

// The grid of `item` for mixers 1..MixerCount. `ambientLevel` is the last
// ambient level the mixers reported, shown for a gate attenuation left to
// the mixer. An item outside 0..11 gives an empty grid.
// With `sync`, each row also says whether a value written there waits or
// failed.
ParameterGrid parameterGrid(int item, const MixerState &mixers, double ambientLevel,
                            const SyncStatus *sync = nullptr);

// A mixer's row label: "マスター" for mixer 1, "スレーブ" and the slave's
// number for 2..16 ("スレーブ2").
QString mixerLabel(int mixer);

// A caption as the grid shows it, on one line: the half-width spaces that lay
// it out in the editor are removed, at either end and inside, except that a
// run of them between two ASCII characters (words of an English caption)
// leaves one space. Full-width spaces stay.
QString gridCaption(const QString &text);
