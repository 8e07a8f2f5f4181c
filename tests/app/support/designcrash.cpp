// A program that dies in the middle of a design: it runs the whole program
// offline, opens the control panel, switches the grid on (a change never
// saved), lets the recovery timer's work write the file, and is then killed
// with SIGKILL, as a crash or a power cut would end it. tst_panelprogram
// starts it, naming itself as the program, and checks what the next start
// finds.

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
    qputenv("ZKVR340A_LINK", "offline");
    SystemClock clock;
    ScriptedDialogs dialogs;
    World world(clock, dialogs);
    Application program(world, {"zkvr340a"});
    return runUntilKilled(program, [&] {
        FrmMdi *panel = panelShown(program);
        if (!panel)
            return CrashStep::Wait;
        panel->action(PanelCommand::Grid)->trigger();
        if (!panel->writeRecovery())
            crashStepFailed("designcrash: the recovery file was not written\n");
        return CrashStep::Kill;
    });
}
