// A program that dies while its control panel holds the channels: it runs the
// whole program against the virtual mixer the test serves on loopback TCP,
// opens the panel, waits until the mixer holds every channel switched off,
// and is then killed with SIGKILL, as a crash or a power cut would end it.
// tst_panelprogram starts it, naming itself as the program, and checks what
// the next start finds.

#include "panel/heldchannels.h"
#include "tests/app/support/crashrig.h"
#include "tests/support/programrig.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The per-user data folder is named after the program: the one that
    // starts next (the test) names itself.
    if (argc > 1)
        QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[1]));
    SystemClock clock;
    ScriptedDialogs dialogs;
    World world(clock, dialogs);
    Application program(world, {"zkvr340a"});
    return runUntilKilled(program, [&] {
        if (!panelShown(program) || world.mixers.anyPending(1)
            || world.mixers.MixerData[1].channel(ChannelFamily::RemoteOn, 1) != 0)
            return CrashStep::Wait;
        if (!program.heldChannels().leftBehind())
            crashStepFailed("operatecrash: the channels' switches were not kept on disk\n");
        return CrashStep::Kill;
    });
}
