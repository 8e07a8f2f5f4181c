// A program that dies in the middle of a design: it runs the whole program
// offline, opens the control panel, switches the grid on (a change never
// saved), lets the recovery timer's work write the file, and is then killed
// with SIGKILL, as a crash or a power cut would end it. tst_panelprogram
// starts it, naming itself as the program, and checks what the next start
// finds.

#include "tests/support/programrig.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

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
    QTimer step;
    QObject::connect(&step, &QTimer::timeout, [&] {
        FrmMdi *panel = panelShown(program);
        if (!panel)
            return;
        panel->action(PanelCommand::Grid)->trigger();
        if (!panel->writeRecovery()) {
            std::fputs("designcrash: the recovery file was not written\n", stderr);
            std::_Exit(3);
        }
        std::raise(SIGKILL);
    });
    step.start(50);
    QTimer::singleShot(20000, [] { std::_Exit(4); }); // never hang a test run
    return program.run();
}
