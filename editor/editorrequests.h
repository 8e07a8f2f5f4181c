#pragma once

// What one editor window asks of the job loop, and what such a request
// changes at once: a group written marks its registers waiting with the
// values the entries show, so that their marks say so before the job runs.
// The jobs themselves, and when they run, are the job loop's (EditorJobs);
// which entries the window shows is the window's.

#include "editor/editorjobs.h"
#include "editor/editorstate.h"
#include "editor/extendedentries.h"

#include <functional>

class Dialogs;

class EditorRequests
{
public:
    EditorRequests(EditorEnv env, EditorJobs &jobs, Dialogs &dialogs, int mixer);

    // Extended group `n` written from `entries`, read when the user has
    // taken note that it is on its way.
    void writeGroup(int n, const std::function<ExtendedEntries()> &entries);
    // Settings `code` of the window's mixer set back to the factory's.
    void initialise(int code);
    // The extended registers read again into the editors.
    void readExtended();

private:
    // The group's registers wait to be written, with `entries`' values.
    void markGroupWaiting(int n, const ExtendedEntries &entries);

    EditorEnv m_env;
    EditorJobs &m_jobs;
    Dialogs &m_dialogs;
    int m_mixer;
};
