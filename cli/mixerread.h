#pragma once

// The first step of get and set: every linked mixer read with the poll's own
// requests, and the named mixer found among them.

#include "cli/cliargs.h"

#include <optional>

class CliContext;
class MixerSync;
struct MixerState;

// nullopt when the mixers were read and `mixer` is linked; otherwise the exit
// code, with the reason written to err ("応答がありません", or the mixer is
// not linked for `command`).
std::optional<CliExit> readLinkedMixer(CliContext &context, MixerSync &sync, const MixerState &mixers,
                                       int mixer, const char *command);
