#pragma once

// Writing the wanted values into the mixers and checking that they took.
//
// Values are submitted (SyncStatus::submit): the wanted value goes into
// MixerSetData and its SetDataPending flag is raised. When the status poll
// finds raised flags, the job loop runs SetData:
// every flagged value goes out in its own five-byte write, then thresholds
// and data are read back and compared. A flag is lowered only when the read
// back shows the wanted value, or when the value is one the mixer does not
// keep per mixer or per channel. Passes repeat until everything matches or
// eleven passes have failed (counted again when the number of linked mixers
// changes, but never more than PassLimit passes in all). No value is given
// more than eleven passes of its own, also while new edits keep the run
// going; and with the connection down, what waits fails at once.

#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "mixer/setfailure.h"
#include "mixer/syncstatus.h"

#include <QtGlobal>

#include <array>
#include <functional>
#include <vector>

class MdlComm;

// The two single-value writes (SendParameter's kind). Wire letters are in
// link/protocol.h.
enum class WriteKind : int {
    Parameter = 0, // "D","S", mixer, key id 1..84, value
    Threshold = 1, // "T","S", mixer, high byte, low byte
};

// Which flagged values a run writes.
enum class SendScope {
    Everything,  // every flagged value, in every pass until it verifies
    // A load: the mixers are read first, and the first pass leaves out the
    // values they hold already. Those are verified by the read-back like
    // the rest, so one changed on the mixer meanwhile is written next pass.
    Differences,
    // The same, compared with MixerData, which the caller has just read
    // whole (the tool, a moment before): the read is not made twice.
    DifferencesJustRead,
};

// How the last run went, for the job loop's callers and the tests.
struct SetDataOutcome
{
    bool sent = false;      // at least one value was written
    bool verified = false;  // a pass ended with every read-back matching
    bool gaveUp = false;    // eleven passes failed: flags dropped, message shown
    bool readBack = false;  // at least one valid read-back reply arrived
    int passes = 0;
    int written = 0;        // values written, each once however many passes it took
    int held = 0;           // values left out because the mixers held them, never written
};

class SetData
{
public:
    static constexpr int LastPass = 10;      // passes are counted 0..10
    static constexpr int ResendPass = 5;     // the pass that writes reported values back
    static constexpr double PassPause = 0.5;
    // A changed mixer count starts the pass count again; a count that keeps
    // changing (a loose link cable) must not keep SetData going for ever.
    static constexpr int PassLimit = 3 * (LastPass + 1);
    // Passes one value is compared in before it fails: new edits give the
    // run more passes, not a value that does not take.
    static constexpr int ValuePassLimit = LastPass + 1;

    // Writes in a row without a reply, while the program is ending, after
    // which the mixers count as silent and the run's other writes are skipped.
    static constexpr int SilentWritesWhileEnding = 2;

    SetData(MdlComm &comm, MixerState &mixers);

    // Whether the program is ending (the user quit from the control panel and
    // the last values are on their way): asked during the run. While it is,
    // a run against mixers that do not answer ends at once, reported with
    // message 1803, instead of keeping an invisible program alive for
    // eleven passes. Mixers that answer get every pass as usual.
    std::function<bool()> ending;

    // Told when a flagged value's flag is lowered: Verified when the read-back
    // showed it, Settled when the mixer does not keep it, Failed when the run
    // gave up or the mixer is past the linked ones.
    std::function<void(int mixer, int id, ValueState state)> settled;

    // Sends the flagged values of `scope` and verifies; true when at least
    // one value was written.
    bool run(SendScope scope = SendScope::Everything);

    // One single-value write, then at most 0.8 s for any reply (not judged)
    // and a 0.06 s pause. A value outside WriteKind sends nothing but waits
    // all the same. Returns whether any reply came.
    bool SendParameter(WriteKind kind, int value, int parameter, int mixer);

    // Read-backs. `count` receives the number of mixers the valid reply
    // carried (left alone when none came); `resend` writes reported values
    // back for the values that do not match. True when every flagged value
    // of the linked mixers matched or needs no comparison.
    bool ThresholdVerify(int &count, bool resend);
    bool DataVerify(int &count, bool resend);

    // Lets events run for more than `seconds` (less when the link closes).
    void Wait(double seconds);

    const SetDataOutcome &outcome() const { return m_outcome; }
    // The writes a pass makes for the values flagged now in the linked
    // mixers (Priority_2..8 go out with Priority_1, never alone), without
    // those a load's first pass leaves out.
    int writesDue() const;
    // Passes the flagged value has been compared in during this run, since
    // its value last changed (1..ValuePassLimit); read while it settles. 0
    // for a value the mixer held already, which nothing was written for.
    int passesOf(int mixer, int id) const;

    // Pass counter of the last or running run, 0..11.
    int SetDataRetryCount = 0;

private:
    template <typename T>
    using PerValue = std::array<std::array<T, PendingFlagCount>, MixerSlots>;

    void sendMixer(int mixer);
    // SendScope::Differences: what the mixers hold now, for the first pass
    // to leave out. A reply that does not come leaves its values to be sent.
    void readHeld();
    void takeHeldFromRecords();
    // The first pass of a load, and the mixer reported `id` as wanted.
    bool heldNow(int mixer, int id) const;
    void countWritten();
    // The passes of run(), until everything verified or failed.
    void runPasses();
    // Sends the flagged values of mixers 1.. up to the first one past the
    // linked mixers.
    void sendPass();
    // Every flagged value counts this pass; one edited again starts anew.
    void countPass();
    void forgetPasses();
    // Lowers every flag of the mixer as failed; `told` lists them for the
    // message.
    void failFlags(int mixer, bool told);
    // Fails the values that had their passes.
    void failWorn();
    SetFailReason reasonFor(int mixer, int id) const;
    // Message 1803, naming what failed since it was last shown.
    void tellFailures();
    bool anyFlagged() const;
    void lower(bool &flag, int mixer, int id, ValueState state);
    bool isEnding() const { return ending && ending(); }
    // The mixers are taken as silent: the program is ending and the last
    // writes got no reply.
    bool silentWhileEnding() const { return m_silentWrites >= SilentWritesWhileEnding && isEnding(); }
    void giveUp();

    MdlComm &m_comm;
    MixerState &m_mixers;
    SetDataOutcome m_outcome;
    int m_silentWrites = 0; // writes in a row that got no reply
    PerValue<int> m_passes{};          // of each flagged value, see passesOf()
    PerValue<qint32> m_countedValue{}; // the value those passes were for
    PerValue<qint32> m_reported{};     // what the last read-back showed; -1 none
    PerValue<bool> m_readFirst{};      // readHeld() has the value in m_held
    PerValue<qint32> m_held{};         // what the mixers held as the run began
    PerValue<bool> m_left{};           // left out of the first pass
    PerValue<bool> m_written{};        // written in this run
    bool m_firstPass = false;
    std::vector<SetFailure> m_failures; // not yet told
};
