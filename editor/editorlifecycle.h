#pragma once

// What opening and closing a mixer's editor window does beyond the window
// itself. The mixer counts as shown in an editor (the poll then hands it the
// ambient level, the settings file writes it as the mixer's Active); its
// values count as fresh; the first window of a mixer asks for the extended
// registers. Closing takes back only the requests an editor makes.

#include "editor/editorjobs.h"
#include "editor/editorstate.h"

class EditorLifecycle
{
public:
    EditorLifecycle(EditorEnv env, EditorJobs &jobs);

    void opened(int mixer);
    void closed(int mixer);

private:
    EditorEnv m_env;
    EditorJobs &m_jobs;
};
