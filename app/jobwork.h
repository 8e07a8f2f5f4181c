#pragma once

// A job for the job loop, as a window asks for it: which job it is and what
// it works on. The loop serves them in the order they were asked for (see
// JobQueue); the job runner turns the link jobs into requests.

#include "maintenance/firmwarefile.h"

#include <QByteArray>

#include <utility>

enum class JobKind {
    TransferLoaded, // write the settings just loaded from a file
    Download,       // a firmware download of `download`
    ExtendedRead,   // "E","R" of the linked mixers
    ExtendedWrite,  // "E","S" of the register group `target` (0..3)
    Initialise,     // "I","S" `mixer` `target` after a confirmation
    DirectRead,     // open the direct memory access window to read
    DirectWrite,    // ... to write
    IpSettings,     // open the mixer's network settings dialog
    IpWrite,        // the "I","P" request `ipRequest` (run by that dialog)
    ModeChange,     // hide the main window, show the control panel
    Quit,           // send what waits, then disconnect and end
};

struct JobWork
{
    JobKind kind = JobKind::ExtendedRead;
    // Initialise: the code asked for; ExtendedWrite: the register group;
    // TransferLoaded: TransferEverything sends every loaded value, 0 those
    // the mixers do not hold.
    int target = 0;
    int mixer = 0;          // Initialise: the mixer addressed
    QByteArray ipRequest;   // IpWrite: the request carrying the new settings
    DownloadKind download = DownloadKind::MainProgram;

    static constexpr int TransferEverything = 1;

    static JobWork of(JobKind kind) { return {kind, 0, 0, {}, DownloadKind::MainProgram}; }
    static JobWork transferLoaded(bool everything)
    {
        return {JobKind::TransferLoaded, everything ? TransferEverything : 0, 0, {}, DownloadKind::MainProgram};
    }
    static JobWork extendedRead() { return {JobKind::ExtendedRead, 0, 1, {}, DownloadKind::MainProgram}; }
    static JobWork extendedWrite(int group) { return {JobKind::ExtendedWrite, group, 1, {}, DownloadKind::MainProgram}; }
    static JobWork initialise(int mixer, int target)
    {
        return {JobKind::Initialise, target, mixer, {}, DownloadKind::MainProgram};
    }
    static JobWork ipWrite(QByteArray request)
    {
        return {JobKind::IpWrite, 0, 0, std::move(request), DownloadKind::MainProgram};
    }
    static JobWork firmware(DownloadKind kind) { return {JobKind::Download, 0, 0, {}, kind}; }

    bool operator==(const JobWork &o) const
    {
        return kind == o.kind && target == o.target && mixer == o.mixer && ipRequest == o.ipRequest
               && download == o.download;
    }
};
