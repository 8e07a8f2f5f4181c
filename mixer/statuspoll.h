#pragma once

// The periodic status exchange with the linked mixers. Every call of
// StatusPoll collects the reply to the previous call's request, decodes it
// into the mixer records and sends the next of three requests in turn:
// "T","R" (thresholds), "D","R" (all parameters), "A","M" (ambient level).
// Replies are therefore one poll behind their requests.
//
// Also here: the model query made for each counted mixer, the write-access
// check made once on Ethernet links, and the test for values waiting to be
// sent, which hands over to SetData.

#include "base/loopstate.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class MdlComm;

// The three requests of the poll cycle, in turn.
enum PollPhaseCode : quint8 {
    PollThresholds = 0,
    PollData = 1,
    PollAmbient = 2,
};

// Read marks: the editor watches them to know that fresh values arrived.
enum ReadMarkCode : quint8 {
    MarkNone = 0,
    MarkRequested = 1,
    MarkDecoded = 2,
};

// FirstReply: whether the main window's menus may be enabled yet.
enum FirstReplyCode : quint8 {
    NoReplyYet = 0,
    ReplyArrived = 1,
    MenusEnabled = 2,
};

enum class AccessResult {
    NotChecked, // no Ethernet link: writing is allowed without asking
    Granted,
    Denied,     // message 4200 shown, WriteAccess false
    NoResponse, // message 1801 shown
    TimedOut,   // the data read got no reply at all: allowed, no message
};

// Settings-file texts the first poll writes into the master's section:
// ids 0..72 go to FileTable, ids 73..103 to SetDataTable.
struct FirstPollTexts
{
    std::vector<std::pair<int, QString>> fileTable;
    std::vector<std::pair<int, QString>> setDataTable;
};
FirstPollTexts firstPollTexts(const MixerState &mixers);

// What other subsystems do when the poll reaches them. All optional.
struct StatusPollHooks
{
    // The main window's Menu_Enable(true), once the first reply arrived.
    std::function<void(bool)> Menu_Enable;
    // First-poll step: set up the control panel if it is not yet.
    std::function<void()> setUpPanel;
    // First-poll step: store the master's factory texts in the text tables.
    std::function<void(const FirstPollTexts &)> writeFactoryTexts;
    // Mixer shown in the editor window (0: none).
    std::function<int()> editorMixer;
    // The editor's Enable_Control for a newly appeared mixer it shows.
    std::function<void(int mixer)> Enable_Control;
    // The ambient level for a linked mixer whose editor is open; the editor
    // shows it where its label is enabled.
    std::function<void(int mixer, double level)> ambientLevelShown;
};

class StatusPoll
{
public:
    static constexpr int PollBufferSize = 2065;  // indices 0..2064
    static constexpr int ReceiveAttempts = 3;
    static constexpr int NoReplyLimit = 10;
    static constexpr double MinReplyTimeUnit = PollUnitSeconds;
    static constexpr double DataSlotSeconds = SerialDataSlotSeconds;           // RS-232C, per "D","R" slot
    static constexpr double ThresholdSlotSeconds = SerialThresholdSlotSeconds; // RS-232C, per "T","R" slot

    StatusPoll(MdlComm &comm, LoopState &loop, MixerState &mixers);

    StatusPollHooks hooks;

    // One poll: collect, decode, send the next request unless values wait
    // to be sent. Returns whether they do.
    bool poll();

    // Whether the request the last poll sent still awaits its reply: until
    // it has arrived, or the next poll stops waiting for it, nothing else
    // may go out on the line.
    bool awaitingReply() const { return m_awaitingReply; }
    // Collects and decodes the replies that have arrived (values waiting to
    // be sent need not wait for the next poll). Returns true once nothing
    // more waits, false when it stopped at a reply on USB, which hands over
    // one a poll.
    bool takeArrived();

    // Decodes one complete message at the start of buffer; length excludes
    // the 0x55 0xAA trailer.
    void DecodeReply(const quint8 *buffer, int length);

    // Model code of mixer n: "M","N" n, and for the master an "I","R" reply
    // as the sign of the current model. 0 when nothing usable came back.
    qint16 ReadModel(int n);

    // The write-access check of an Ethernet link: reads mixer 1's data and
    // writes its InputLevel(1) back unchanged. Other links only allow writing.
    AccessResult CheckAccess();

    // Whether any send flag that causes a send is set (Priority counts for
    // channel 1 only).
    bool PendingChanges() const;

    // The request this poll prepared: sent at its end unless values were
    // waiting to be sent.
    const QByteArray &preparedRequest() const { return m_prepared; }

    // The request the next poll prepares. A write run's read-back takes the
    // place of the poll's requests, so the cycle starts again with the data.
    PollPhaseCode nextRequest() const { return m_phase; }
    void startWith(PollPhaseCode phase) { m_phase = phase; }

    // Empties the collected bytes, and waits for no reply (connect step, a
    // connection that came back).
    void clearPollBuffer()
    {
        PollFill = 0;
        m_awaitingReply = false;
    }

    // Poll state, read by the editor and the tests.
    std::array<quint8, PollBufferSize> PollBuffer{};
    int PollFill = 0;
    int NoReplyCount = 0;
    quint8 FirstReply = NoReplyYet;
    std::array<quint8, MixerSlots> ThresholdReadMark{};
    std::array<quint8, MixerSlots> DataReadMark{};
    quint8 DataReceived = 0;
    // Data replies decoded since the link opened: the mixers' switches and
    // values are known once there is one.
    int DataReplies = 0;
    int ThresholdReplies = 0;
    double AmbientLevel = 0.0;

private:
    void prepareRequest();
    // Appends a received chunk; returns false when it overflowed the buffer.
    void collect(const quint8 *data, int count);
    // Decodes every complete message collected so far; returns whether one was.
    bool decodeCollected();
    void decodeData(const quint8 *buffer, int length);
    void decodeThresholds(const quint8 *buffer, int length);
    void decodeAmbient(const quint8 *buffer, int length);
    // The reply time of the link for `count` mixers (RS-232C: per mixer).
    void raiseReplyTimeUnit(int count, double slotSeconds);
    void firstPollStep();

    MdlComm &m_comm;
    LinkState &m_link;
    LoopState &m_loop;
    MixerState &m_mixers;
    // The request of this poll. It goes out after the decoding, which may
    // have asked each mixer for its model meanwhile.
    QByteArray m_prepared;
    PollPhaseCode m_phase = PollThresholds;
    bool m_awaitingReply = false;
};
