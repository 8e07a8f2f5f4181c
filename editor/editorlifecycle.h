#pragma once

// What opening and closing a mixer's editor window does beyond the window
// itself. The mixer counts as shown in an editor (the poll then hands it the
// ambient level, the settings file writes it as the mixer's Active); its
// values count as fresh; the first window of a mixer asks for the extended
// registers. Closing takes back only the requests an editor makes.

#include "base/loopstate.h"
#include "editor/editorstate.h"

#include <functional>

class EditorLifecycle
{
public:
    // `drain` empties the link's receive side before the first job request
    // after an idle loop.
    EditorLifecycle(EditorEnv env, LoopState &loop, std::function<void()> drain);

    void opened(int mixer);
    void closed(int mixer);

    // Asks the job loop for an editor job.
    void requestJob(JobCode job);

private:
    EditorEnv m_env;
    LoopState &m_loop;
    std::function<void()> m_drain;
};
