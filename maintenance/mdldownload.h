#pragma once

// MdlDownLoad: firmware into the mixer attached to the link, without widgets.
//
// Kinds 1 to 3 (the older model) prepare their target with R, let the user
// choose the file, and send it as the data of one L message. Kind 4 (the
// newer model) checks its model file first, prepares the first section, and
// then sends the optional E step, sections M, P and D (each prepared again)
// and the final S, after which the mixer gets ten seconds. Over USB the mixer
// is switched off and on after the first R; over Ethernet the connection is
// made again. Every step that gets no or a wrong reply shows "応答がありません"
// and ends the download.
//
// The windows it needs come through hooks: the progress window (shown while
// the transfer runs; FrmProgressBar in the program, a line on stderr in the
// tool), the file choice, the power-cycle request and the reconnect.

#include "maintenance/firmwarefile.h"

#include <QString>

#include <functional>

class Dialogs;
class MdlComm;

// How far a transfer is: image bytes handed to the link out of all the
// download sends.
struct DownloadProgress
{
    qint64 done = 0;
    qint64 total = 0;
    quint8 target = 0; // the target being sent, 0 before the first
};

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
    // After the mixer accepted R over USB: the user switches it off and on,
    // and the download goes on when this returns. Unset: the message box.
    std::function<void()> powerCycle;
    // Right before the Ethernet link opens again (the connection dialog is
    // then placed next to the main window). Returns false when the program
    // is ending, and the link is then left closed.
    std::function<bool()> beforeReconnect;
};

class MdlDownLoad
{
public:
    enum class Outcome {
        Done,       // everything sent and accepted
        NoReply,    // a step got no or a wrong reply ("応答がありません" was shown)
        Cancelled,  // the user cancelled the file dialog
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

    // The whole download for a DownloadRequest value (1 to 4).
    Outcome DownloadRun(int request);

    // R: prepares target t; false (after the message) on no or a wrong reply.
    bool PrepareTarget(quint8 t);
    // L: `length` image bytes from `offset` as the data of one message;
    // false (after the message) on no or a wrong reply.
    bool SendImage(quint8 t, int offset, int length);
    // What the link needs once the mixer has accepted R.
    void AfterPrepare();
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
};
