#pragma once

// The way from mixer mode to the control panel and back. A mode change is
// asked for by the user, by the operator start (--operate) once the mixers
// are counted, or by the idle watch of a chairperson's PC; it waits, where it
// must, for the job window to close and for the mixers' data, and says
// whether the panel it opens starts operating (locked, in the execution
// state). It owns no window: the application does what each step says, and
// the facts the rules need (a job window open, the data read) are given with
// each event.

class ModeFlow
{
public:
    enum class State {
        MixerMode,     // the main window and the editors
        OperateStart,  // --operate: mixer mode until the mixers are counted and read
        AwaitingJob,   // a mode change waits for the job window to close
        AwaitingData,  // a mode change waits for the mixers' data
        Panel,         // the control panel is up
    };

    // How the panel a mode change opens starts.
    enum class Opening { AsLeft, Operating };

    // What the application does after an event.
    enum class Step {
        None,          // nothing: refused, or the change under way goes on as it was
        QueueChange,   // ask the job loop for the change once the job window has gone; grey the main window
        Wait,          // grey the main window until the data come
        Open,          // open the panel as it was left
        OpenOperating, // open the panel operating, locked
    };

    State state() const { return m_state; }
    // The opening of the change under way (AsLeft when none is).
    Opening opening() const { return m_opening; }

    // --operate was given: the panel waits for the start. From mixer mode only.
    bool startOperate();
    // The operator start may go on: the start-up polls have counted the
    // mixers, their data have been read (they are what the panel gives back)
    // and no job window is open.
    bool operateStartDue(bool startupPollsDone, bool dataRead, bool jobWindowOpen) const;
    // The operator start ends in mixer mode, for the application to open its
    // file and ask for the change, operating. False when no start waits.
    bool finishOperateStart();

    // A mode change. `dataReady`: the mixers' data have been read, or the
    // link is offline. An operating opening asked for once stays so until
    // its panel opens. While the operator start waits the change waits with
    // it: the panel comes once, operating.
    Step ask(Opening opening, bool jobWindowOpen, bool dataReady);
    // The job loop's change, once the job window has gone.
    Step jobEnded(bool dataReady);
    // A change that waited for the data may go on (the application asks
    // again, closing what was opened meanwhile).
    bool dataArrived(bool dataRead, bool jobWindowOpen) const;
    // The idle watch of a chairperson's PC: back to the panel, operating, when
    // it is left in mixer mode for the lock's idle time; never while a
    // question or a job window is open or the panel is up.
    Step idle(bool relockDue, bool answerAwaited, bool jobWindowOpen, bool dataReady);
    // The panel closed for the mode change back to mixer mode.
    bool panelClosed();

private:
    Step open();

    State m_state = State::MixerMode;
    Opening m_opening = Opening::AsLeft;
};
