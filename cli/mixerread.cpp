#include "cli/mixerread.h"

#include "base/strings.h"
#include "cli/clicontext.h"
#include "mixer/mixersync.h"
#include "mixer/valueranges.h"

namespace {
constexpr int NotLinked = 9206; // "zkvr340a-ctl: %1: mixer %2 is not linked (%3 linked)"
constexpr int NotHeld = 10101;  // "%1: mixer %2 %3 reads back %4, not %5"
constexpr int NotReadBack = 10102; // "%1: mixer %2 %3 was not read back (%4 linked)"
} // namespace

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

std::vector<WantedValue> flaggedValues(const MixerState &mixers)
{
    std::vector<WantedValue> out;
    for (int m = 1; m <= MaxMixers; ++m)
        for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
            // The echoes of the priority switch are never sent: what the
            // mixer shows there is the switch, not these values.
            if (mixers.waiting(m, id) && !priorityEcho(id))
                out.push_back({m, id, mixers.MixerSetData[size_t(m)].value(id)});
    return out;
}

CliExit reportValuesNotHeld(CliContext &context, MixerSync &sync, const MixerState &mixers,
                            const std::vector<WantedValue> &wanted, const char *command)
{
    if (!sync.readAll()) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    const QString name = QLatin1String(command);
    bool allHeld = true;
    for (const WantedValue &w : wanted) {
        if (w.mixer > mixers.MixerCount) {
            allHeld = false;
            context.err() << str(NotReadBack).arg(name).arg(w.mixer).arg(mixerKey(w.id)).arg(mixers.MixerCount)
                          << Qt::endl;
            continue;
        }
        // Whole values: a wanted value is one the mixer can hold (the file
        // and set refuse others), so any difference is a value that did not take.
        const qint32 held = mixers.MixerData[size_t(w.mixer)].value(w.id);
        if (held != w.value) {
            allHeld = false;
            context.err() << str(NotHeld).arg(name).arg(w.mixer).arg(mixerKey(w.id)).arg(held).arg(w.value)
                          << Qt::endl;
        }
    }
    return allHeld ? CliExit::Ok : CliExit::NoMixer;
}
