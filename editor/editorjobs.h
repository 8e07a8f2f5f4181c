#pragma once

// What an editor asks of the job loop. The application carries each request
// to the loop, where it waits its turn behind those asked for before.

class EditorJobs
{
public:
    virtual ~EditorJobs() = default;

    // The extended registers of the linked mixers, read into the editors.
    virtual void readExtended() = 0;
    // The extended register group `group` (0..3) written from the master's
    // editor, then read back.
    virtual void writeExtended(int group) = 0;
    // Settings `code` of `mixer` set back to the factory's, once confirmed.
    virtual void initialise(int mixer, int code) = 0;
    // Takes back the editor's requests that still wait (its window closed);
    // true when an extended write was among them.
    virtual bool withdrawEditorJobs() = 0;
};
