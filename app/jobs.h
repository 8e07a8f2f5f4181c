#pragma once

// The jobs of the job window, without widgets: extended read and write,
// initialise, direct memory access, the transfer of loaded settings and the
// mixer IP write. Each job builds its requests from the work it is given,
// reports its own failure through Dialogs and returns whether it succeeded.

#include "app/jobwork.h"
#include "mixer/extendedregisters.h"
#include "mixer/mixerdata.h"
#include "mixer/setdata.h"
#include "mixer/valuestate.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <vector>

class ActivityLog;
class Clock;
class Dialogs;
class MdlComm;
class MixerProtocol;
struct LinkState;

// ---- Direct memory access ----------------------------------------------------

// One AR or AW exchange, judged on reply arrival within about one second of
// timer ticks. The request is 8 bytes AR or 12 bytes AW.
class DirectAccessJob
{
public:
    static constexpr int TickIntervalMs = 50;

    enum class State { Idle, Waiting, Succeeded, Failed };

    DirectAccessJob(MdlComm &comm, Dialogs &dialogs, bool readMode, QByteArray request);

    // Sends the request and arms the tick budget.
    void start();
    // One timer tick: receives, judges, counts down. Shows 1802 on failure.
    State tick();
    // start() and ticks paced through the clock until the job ends.
    State run(Clock &clock);

    State state() const { return m_state; }
    // Reply bytes 3..6 as eight upper-case hexadecimal digits after a read.
    QString dataText() const { return m_dataText; }
    int ticksAllowed() const { return (1000 + TickIntervalMs / 2) / TickIntervalMs; }

private:
    void fail();

    MdlComm &m_comm;
    Dialogs &m_dialogs;
    bool m_read;
    QByteArray m_request;
    std::vector<quint8> m_reply;
    quint8 m_first = 0;
    quint8 m_second = 0;
    int m_ticks = 0;
    State m_state = State::Idle;
    QString m_dataText;
};

// ---- The jobs ------------------------------------------------------------------

struct JobContext
{
    LinkState &link;
    MixerState &mixers;
    Dialogs &dialogs;
    MixerProtocol &protocol;

    // Values of the extended write; ExtendedData of the master when unset.
    const ExtendedValuesSource *extendedValues = nullptr;
    // A failed extended read: the status poll's FirstReply goes from 0 to 1.
    std::function<void()> markFirstReply;
    // After an extended read: the editor of `mixer` shows its extended values again.
    std::function<void(int mixer)> refreshExtendedDisplay;
    // The write-and-verify routine that ends the transfer of loaded settings,
    // within the scope asked for; how its run went.
    std::function<SetDataOutcome(SendScope)> SetData;
    // Where the transfer notes how many values it sent and found held.
    ActivityLog *activity = nullptr;
};

// Values a transfer of loaded settings wrote, and those it found held.
struct TransferCounts
{
    int sent = 0;
    int held = 0;
};

class JobRunner
{
public:
    explicit JobRunner(JobContext context) : m_c(std::move(context)) {}

    bool extendedRead();
    bool extendedWrite(int group);         // the registers of one group, 0..3
    bool initialise(int mixer, int code);  // "I","S" to `mixer`
    // The loaded values into the mixers: only those they do not hold (each
    // register read first, SetData within SendScope::Differences), or with
    // `everything` each one. `heldRegisters`: what the registers held when
    // the caller read them a moment ago, instead of reading each again.
    bool transferLoaded(bool everything = false, const ExtendedRecord *heldRegisters = nullptr);
    bool ipWrite(const QByteArray &request);

    // The job of `work`; false for jobs that are not the job window's.
    bool run(const JobWork &work);

private:
    void noResponse();
    // A write that did not verify in all its attempts.
    void setFailed();
    bool writeRegister(int reg, const RegisterBytes &d);
    // ExtendedWrite of a register the job wrote, and of those a failed job
    // did not reach.
    void settleRegister(int reg, const RegisterBytes &d, ValueState state);
    void abandonRegisters(const std::vector<int> &regs);
    // The loaded registers not held yet, each written and verified; counts
    // into `counts`. False when one failed (its message shown).
    bool transferRegisters(bool everything, const ExtendedRecord *held, TransferCounts &counts);
    void noteTransfer(const TransferCounts &counts, bool completed);

    JobContext m_c;
};
