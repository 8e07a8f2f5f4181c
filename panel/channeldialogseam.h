#pragma once

// How the panel opens the mixer editor's small channel and output settings
// dialogs (frmChSetting, frmOutputSetting) on a right click in the execution
// state. The panel only asks; whoever owns those dialogs answers, and tells
// the panel when the dialog has closed, so that only one is open at a time.

#include <QtGlobal>

#include <functional>

struct ChannelDialogRequest
{
    int mixer = 0;      // panel mixer 0..15 (mixer 1..16 of the mixer records)
    int slot = 0;       // 0..7 channel 1..8: frmChSetting; 8: frmOutputSetting
    qint32 left = 0;    // where the pointer was pressed, panel twips
    qint32 top = 0;
};

struct ChannelDialogSeam
{
    // Opens the dialog; `closed` must be called once when it has closed.
    std::function<void(const ChannelDialogRequest &, std::function<void()> closed)> open;
    // Closes the dialog if one is open (the panel closes, leaves the execution
    // state, or the link count falls).
    std::function<void()> close;
};
