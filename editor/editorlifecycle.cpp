#include "editor/editorlifecycle.h"

EditorLifecycle::EditorLifecycle(EditorEnv env, EditorJobs &jobs) : m_env(env), m_jobs(jobs) {}

void EditorLifecycle::opened(int mixer)
{
    if (mixer < 1 || mixer > MaxMixers)
        return;
    MixerState &s = m_env.mixers;
    m_env.sync.editorOpened(mixer);
    if (!s.EditorOpen[size_t(mixer)]) {
        // A slave's editor shows the master's extended registers until the
        // read brings the mixer's own.
        if (mixer != 1)
            s.ExtendedData[size_t(mixer)] = s.ExtendedData[1];
        m_jobs.readExtended();
    }
    s.setEditorOpen(mixer, true);
}

void EditorLifecycle::closed(int mixer)
{
    m_env.mixers.setEditorOpen(mixer, false);
    // Only the editor's own requests go with it; a request another window
    // made (direct access, IP settings, a mode change) stays.
    if (m_jobs.withdrawEditorJobs())
        m_env.mixers.dropWaitingExtendedWrites();
    // The next editor writes every control anew.
    m_env.sync.forgetReceived();
}
