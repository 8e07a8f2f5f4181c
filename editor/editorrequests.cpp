#include "editor/editorrequests.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "editor/editortexts.h"
#include "mixer/extendedregisters.h"

namespace T = EditorText;

EditorRequests::EditorRequests(EditorEnv env, EditorJobs &jobs, Dialogs &dialogs, int mixer)
    : m_env(env), m_jobs(jobs), m_dialogs(dialogs), m_mixer(mixer)
{
}

void EditorRequests::writeGroup(int n, const std::function<ExtendedEntries()> &entries)
{
    m_dialogs.tell(str(T::Changed), MsgIcon::Information);
    m_jobs.writeExtended(n);
    markGroupWaiting(n, entries());
}

void EditorRequests::markGroupWaiting(int n, const ExtendedEntries &entries)
{
    // A group asked for before and not yet written still waits its turn.
    for (int reg : extendedGroupRegisters(n)) {
        qint32 value = entries.values.value(extendedRegisterKey(reg));
        if (reg == NoiseReferenceRegister)
            value = entries.noiseReference;
        else if (reg == NoiseThresholdRegister)
            value = entries.noiseThreshold;
        m_env.mixers.awaitExtendedWrite(reg, value);
    }
}

void EditorRequests::initialise(int code)
{
    m_jobs.initialise(m_mixer, code);
}

void EditorRequests::readExtended()
{
    m_jobs.readExtended();
}
