#pragma once

// What the fake Win32 layer offers and records.

#include "windows.h"

#include <map>
#include <string>
#include <vector>

struct FakeWindows
{
    // Scripted machine.
    std::vector<std::string> interfaces;      // device paths, in enumeration order
    std::map<std::string, std::string> files; // openable paths -> bytes a read delivers
    // A read finding no bytes stays pending; these arrive while it waits
    // (empty: the device stays silent).
    std::string arriveWhileWaiting;
    std::map<std::string, std::string> environment;
    bool classDevsFails = false;
    bool detailFails = false;
    bool closeFails = false;

    // Recorded.
    std::vector<std::string> opened;          // paths, in order of CreateFileA
    std::vector<std::string> badOpenArguments;
    std::map<std::string, std::string> written; // path -> bytes written
    int openHandles = 0;
    int liveSets = 0;
    int fileCalls = 0; // ReadFile and WriteFile
    std::map<std::string, DWORD> openFlags;   // path -> flags of its last CreateFileA
    std::vector<DWORD> waits;                 // timeouts given to WaitForSingleObject
    int readsBlockedForEver = 0;              // synchronous reads of a silent device
    int cancels = 0;
    int pendingReads = 0;                     // started and not yet ended
    int liveEvents = 0;
    DWORD lastError = 0;

    static FakeWindows &instance();
    void reset();
};
