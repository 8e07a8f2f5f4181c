#pragma once

// The first step of get and set: every linked mixer read with the poll's own
// requests, and the named mixer found among them. And the last step of set
// and load: every value they wrote read back and compared.

#include "cli/cliargs.h"

#include <QtGlobal>

#include <optional>
#include <vector>

class CliContext;
class MixerSync;
struct MixerState;

// nullopt when the mixers were read and `mixer` is linked; otherwise the exit
// code, with the reason written to err ("応答がありません", or the mixer is
// not linked for `command`).
std::optional<CliExit> readLinkedMixer(CliContext &context, MixerSync &sync, const MixerState &mixers,
                                       int mixer, const char *command);

// One value a command wants a mixer to hold.
struct WantedValue
{
    int mixer = 1;      // 1..16
    int id = 1;         // key id 1..85
    qint32 value = 0;
};

// The values flagged to be sent, as MixerSetData holds them now; the echoes
// of the priority switch (Priority_2..8) are never sent and are left out.
std::vector<WantedValue> flaggedValues(const MixerState &mixers);

// Reads every linked mixer again and names on err each wanted value the
// mixer does not hold, compared whole.
// SetData lowers some flags without comparing (values a slave takes from
// the master, thresholds while unused), so only
// this read tells whether a value took. Ok when every value holds.
CliExit reportValuesNotHeld(CliContext &context, MixerSync &sync, const MixerState &mixers,
                            const std::vector<WantedValue> &wanted, const char *command);
