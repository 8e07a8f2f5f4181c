#include "cli/mixerread.h"

#include "base/strings.h"
#include "cli/clicontext.h"
#include "mixer/mixersync.h"

namespace {
constexpr int NotLinked = 9206; // "zkvr340a-ctl: %1: mixer %2 is not linked (%3 linked)"
}

std::optional<CliExit> readLinkedMixer(CliContext &context, MixerSync &sync, const MixerState &mixers,
                                       int mixer, const char *command)
{
    if (!sync.readAll()) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (mixer > mixers.MixerCount) {
        context.err() << str(NotLinked).arg(QLatin1String(command)).arg(mixer).arg(mixers.MixerCount)
                      << Qt::endl;
        return CliExit::Usage;
    }
    return std::nullopt;
}
