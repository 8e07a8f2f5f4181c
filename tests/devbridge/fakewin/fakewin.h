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
    DWORD lastError = 0;

    static FakeWindows &instance();
    void reset();
};
