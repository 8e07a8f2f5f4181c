#pragma once

// The request words and bookkeeping of the job loop. Windows post work here;
// only the loop starts jobs.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <utility>

// Values of JobRequest. Windows set them; the loop acts on them.
enum JobCode : qint16 {
    JobIdle = 0,
    JobDirectRead = 1,       // debug direct-read menu: opens FrmDirect
    JobDirectWrite = 2,      // debug direct-write menu: opens FrmDirect
    JobExtendedRead = 3,     // "E","R" through FrmMsg
    JobExtendedWrite = 4,    // "E","S" of the group in JobTarget
    JobInitialise = 5,       // "I","S" JobMixer JobTarget after a confirmation
    JobDirectActive = 6,     // FrmDirect is open: polling suspended
    JobTransferLoaded = 7,   // send the settings just loaded from a file
    JobModeChange = 8,       // hide FrmMain, show the panel window
    JobQuit = 9,             // panel "quit": flush pending values, then Disconnect
    JobIpSettings = 10,      // open FrmIPSetting
    JobIpActive = 11,        // FrmIPSetting is open: polling suspended
};

// The work of the job in hand, as the loop or the asking window describes it;
// the job runner turns it into requests on the link.
enum class JobKind { None, ExtendedRead, ExtendedWrite, Initialise, IpWrite };

struct JobWork
{
    JobKind kind = JobKind::None;
    int target = 0;         // Initialise: the code asked for; ExtendedWrite: the register group 0..3
    int mixer = 0;          // Initialise: the mixer addressed
    QByteArray ipRequest;   // IpWrite: the "I","P" request carrying the new settings

    static JobWork extendedRead() { return {JobKind::ExtendedRead, 0, 1, {}}; }
    static JobWork extendedWrite(int group) { return {JobKind::ExtendedWrite, group, 1, {}}; }
    static JobWork initialise(int mixer, int target) { return {JobKind::Initialise, target, mixer, {}}; }
    static JobWork ipWrite(QByteArray request) { return {JobKind::IpWrite, 0, 0, std::move(request)}; }
};

// DataState: whether the settings equal the saved file.
enum DataStateCode : qint16 {
    DataJustLoaded = -1,  // loaded from a file and not yet sent
    DataSaved = 0,        // equal to the saved file
    DataChanged = 1,      // changed since the last save
};

struct LoopState
{
    qint16 JobRequest = JobIdle;
    qint16 DownloadRequest = 0;   // 0 none, 1 main program, 2 FPGA, 3 writer, 4 newer model firmware
    qint16 JobTarget = 0;
    qint16 JobMixer = 0;
    qint16 StartupPolls = 3;      // count-down of the first polls; 0 offline
    qint16 DataState = DataChanged;
    qint16 PreviousMixerCount = 0;
    quint8 PollPhase = 0;
    QString DataFileName;         // current settings file
    // What the job in JobRequest works on, left by whoever asked for it.
    JobWork Job;
};
