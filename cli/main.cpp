// zkvr340a-ctl: reads (and later writes) the linked mixers from a shell.

#include "base/clock.h"
#include "cli/clicontext.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    SystemClock clock;
    return int(runCli(app.arguments().mid(1), out, err, clock));
}
