#pragma once

// What `save` and `load` share: the mixers read from the link with their
// extended data, and the program's own settings commands over those records,
// with the panel at its reset state and the file name from the command line.

#include "base/dialogs.h"
#include "settings/panelmodel.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"

#include <QString>

#include <memory>

class CliContext;
class MdlComm;
struct LoopState;
struct MixerState;

// Reads every linked mixer (TR, DR, MN) and the master's extension registers,
// which stand for every linked mixer. False when no mixer answered or the
// read failed; its message has been written.
bool cliReadMixers(CliContext &context, MdlComm &comm, LoopState &loop, MixerState &mixers);

struct CliSettingsSession
{
    CliSettingsSession(CliContext &context, Dialogs &messages, LoopState &loop, MixerState &mixers,
                       const QString &path);

    SettingsFiles files;
    MixerStateSettings mixerSettings;
    PanelState panel;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<SettingsCommands> commands;
};
