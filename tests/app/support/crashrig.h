#pragma once

// What the crash programs of tst_panelprogram share: the program runs until
// a step finds what the test wants on disk, then dies by SIGKILL, as a crash
// or a power cut would end it. A step that finds something wrong says so and
// ends with exit 3; a program that never gets there ends with exit 4.

#include "app/ui/application.h"

#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>

enum class CrashStep { Wait, Kill };

inline int runUntilKilled(Application &program, const std::function<CrashStep()> &step)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (step() == CrashStep::Kill)
            std::raise(SIGKILL);
    });
    poll.start(50);
    QTimer::singleShot(20000, [] { std::_Exit(4); }); // never hang a test run
    return program.run();
}

// A step's complaint: the test reads it on stderr.
[[noreturn]] inline void crashStepFailed(const char *why)
{
    std::fputs(why, stderr);
    std::_Exit(3);
}
