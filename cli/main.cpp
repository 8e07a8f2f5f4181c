// zkvr340a-ctl: reads (and later writes) the linked mixers from a shell.

#include "base/clock.h"
#include "base/strings.h"
#include "cli/clicontext.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Every message follows the user's language, chosen as the program
    // chooses it; what --json prints does not.
    setLanguage(systemLanguage());
    QTextStream out(stdout);
    QTextStream err(stderr);
    SystemClock clock;
    return int(runCli(app.arguments().mid(1), out, err, clock));
}
