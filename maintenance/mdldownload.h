#pragma once

// MdlDownLoad: firmware into the mixer attached to the link, without widgets.
//
// The file is chosen and judged first, and an image meant for the other
// family than the attached mixer's is sent only when the user says so:
// nothing reaches the mixer before that. Then R prepares the first target
// and switches the mixer to download mode; over USB the mixer is switched off
// and on after it, over Ethernet the connection is made again. Kinds 1 to 3
// (the older model) send their file as the data of one L message. Kind 4 (the
// newer model) sends the optional E step, sections M, P and D (each prepared
// again) and the final S, after which the mixer restarts and gets ten
// seconds. Every step that gets no or a wrong reply shows "応答がありません"
// and ends the download; a complete one ends with a message saying so.
//
// The windows it needs come through hooks: the progress window (shown while
// the transfer runs; FrmProgressBar in the program, lines on stderr in the
// tool), the file choice, the question about the family, the power-cycle
// request and the reconnect.

#include "maintenance/firmwarefile.h"

#include <QString>

#include <functional>

class Dialogs;
class MdlComm;

// What the transfer is doing at a moment.
enum class DownloadStep {
    Preparing,  // R sent: the mixer is to accept the target
    Sending,    // an L message is being handed to the link
    Waiting,    // the whole L message is out: the mixer writes it, then answers
    Restarting, // the final S was accepted: the mixer restarts with its new firmware
};

// How far a transfer is: image bytes handed to the link out of all the
// download sends, and the step under way.
struct DownloadProgress
{
    qint64 done = 0;
    qint64 total = 0;
    quint8 target = 0; // the target being prepared or sent, 0 before the first
    DownloadStep step = DownloadStep::Preparing;
    double seconds = 0; // how long the wait of a Waiting or Restarting step has lasted
    double limit = 0;   // and how long it lasts at most
};

// One line saying what the transfer is doing, for the progress window and
// the tool: "メインプログラムを送信しています。", "ミキサーの応答を待っています
// （12秒／最大50秒）。" ...
QString downloadStepText(const DownloadProgress &p);

struct DownloadHooks
{
    // Shows the progress window while `transfer` runs and returns its result;
    // `progress` tells how far it is at any moment. Unset: the transfer runs
    // without a window.
    std::function<bool(const std::function<bool()> &transfer,
                       const std::function<DownloadProgress()> &progress)>
        showProgress;
    // The file to download; an empty text when the user cancelled. Unset:
    // the open-file dialog through the dialog seam.
    std::function<QString(DownloadKind kind)> chooseFile;
    // The master's model code (MN): -1 unknown, 0 the older model, above 0
    // the newer. Unset: unknown, and no family is checked.
    std::function<int()> masterModel;
    // Asked before an image of the other family is sent; true sends it.
    // Unset: a warning box with Yes and No.
    std::function<bool(const QString &question)> confirm;
    // After the mixer accepted R over USB: the user switches it off and on,
    // and the download goes on when this returns true; false ends it with
    // nothing more sent. Unset: the message box.
    std::function<bool()> powerCycle;
    // Right before the Ethernet link opens again (the connection dialog is
    // then placed next to the main window). Returns false when the program
    // is ending, and the link is then left closed.
    std::function<bool()> beforeReconnect;
    // Whether the link is opened again after a model file over Ethernet,
    // while the mixer restarts: the program goes on talking to it; the tool
    // ends once the final step was accepted.
    bool reopenAfterModelFile = true;
};

class MdlDownLoad
{
public:
    enum class Outcome {
        Done,       // everything sent and accepted
        NoReply,    // a step got no or a wrong reply ("応答がありません" was shown)
        Cancelled,  // the user cancelled the file dialog, declined an image of the
                    // other family, or the mixer was not switched off and on
        BadFile,    // the file cannot be sent (its message was shown)
        LinkClosed, // the program is ending: stopped without a word
        NoRequest,  // no download kind
    };

    // Waits of the sequence, in seconds: the mixer's own time, which the
    // program gives it as they are; tests on a real wire shorten them.
    struct Waits
    {
        double settle = 1.0;    // after AfterPrepare on RS-232C, after kinds 1 to 3
        double reconnect = 2.0; // between closing and opening Ethernet again
        double finish = 10.0;   // after the final S of a model file
    };

    MdlDownLoad(MdlComm &comm, Dialogs &dialogs, DownloadHooks hooks = {});
    void setWaits(const Waits &waits) { m_waits = waits; }

    // The whole download of a DownloadKind value (1 to 4).
    Outcome DownloadRun(int request);

    // R: prepares target t; false (after the message) on no or a wrong reply.
    bool PrepareTarget(quint8 t);
    // L: `length` image bytes from `offset` as the data of one message;
    // false (after the message) on no or a wrong reply.
    bool SendImage(quint8 t, int offset, int length);
    // What the link needs once the mixer has accepted R; false when the
    // mixer was not switched off and on (USB).
    bool AfterPrepare();
    // Reads the file into the image buffer (kind 4: checks the model file);
    // false after showing why it cannot be sent.
    bool LoadImage(const QString &path);

    // How far the transfer is; read by the progress window while it runs.
    using Progress = DownloadProgress;
    Progress progress() const;

    DownloadKind kind() const { return m_kind; }
    const QByteArray &image() const { return m_image; }
    const ModelHeader &header() const { return m_header; }

private:
    bool confirmFamily();
    bool transfer();
    bool transferModelFile();
    bool sendSection(quint8 target, int offset, int length);
    void reconnectEthernet(double wait);
    bool stopped() const;
    void reportNoReply();

    MdlComm &m_comm;
    Dialogs &m_dialogs;
    DownloadHooks m_hooks;
    Waits m_waits;
    DownloadKind m_kind = DownloadKind::MainProgram;
    QByteArray m_image; // lives until the next download
    ModelHeader m_header;

    qint64 m_total = 0;  // image bytes this transfer sends
    qint64 m_sent = 0;   // of them, those of the blocks already accepted
    int m_sending = -1;  // length of the block being sent; -1 when none
    quint8 m_target = 0;
    DownloadStep m_step = DownloadStep::Preparing;
    double m_restartSince = 0;        // when the final S was accepted
    mutable double m_waitSince = -1;  // when the block being sent was seen handed whole
};
