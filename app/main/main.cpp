#include "base/clock.h"
#include "base/strings.h"
#include "app/ui/application.h"
#include "app/operatestart.h"
#include "app/runninginstance.h"
#include "app/startoptions.h"
#include "base/ui/qttranslation.h"
#include "base/ui/widgetdialogs.h"
#include "app/world.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>

namespace {

QStringList commandLine(int argc, char **argv)
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// A second start brings the running program forward and ends; -1 when this
// start is the one that runs.
int meetRunningProgram(RunningInstance &instance)
{
    switch (instance.claim()) {
    case RunningInstance::Outcome::First:
        return -1;
    case RunningInstance::Outcome::Raised:
        print(stderr, str(13240).arg(instance.holder()) + u'\n');
        return 0;
    case RunningInstance::Outcome::NoAnswer:
        print(stderr, str(13241).arg(instance.holder()) + u'\n');
        return 1;
    case RunningInstance::Outcome::LockFailed:
        print(stderr, str(13242).arg(instance.lockPath()) + u'\n');
        return 1;
    }
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Japanese unless ZKVR340A_LANGUAGE=en or an English locale asks otherwise.
    const Language language = systemLanguage();
    setLanguage(language);
    // The command line is judged, and --help and --version answered, before
    // anything needs a display: on a desktop without one QApplication cannot
    // even start. A command line that cannot be followed is said so at once,
    // also while another instance runs.
    const StartRequest request = parseStartArguments(commandLine(argc, argv));
    if (request.help) {
        print(stdout, startUsage());
        return 0;
    }
    if (request.version) {
        print(stdout, versionLine() + u'\n');
        return 0;
    }
    if (!request.ok()) {
        print(stderr, QStringLiteral("zkvr340a: %1\n%2").arg(request.error(), startUsage()));
        return 2;
    }
    if (const QString problem = operateFileProblem(request.operate); !problem.isEmpty()) {
        print(stderr, QStringLiteral("zkvr340a: %1\n").arg(problem));
        return 2;
    }

    if (const QString problem = displayProblem(DisplayEnvironment::current(commandLine(argc, argv)));
        !problem.isEmpty()) {
        print(stderr, QStringLiteral("zkvr340a: %1\n").arg(problem));
        return 1;
    }

    QApplication app(argc, argv);
    installQtTranslation(app, language);
    app.setQuitOnLastWindowClosed(false); // the program ends through Disconnect
    // The desktop entry's name, so the window is matched to its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZK_APP_ID));
    QIcon icon;
    for (const QString &size : QDir(QStringLiteral(":/zk/icons")).entryList())
        icon.addFile(QStringLiteral(":/zk/icons/%1/" ZK_APP_ID ".png").arg(size));
    app.setWindowIcon(icon);
    RunningInstance instance;
    if (const int ended = meetRunningProgram(instance); ended >= 0)
        return ended;

    SystemClock clock;
    WidgetDialogs dialogs;
    World world(clock, dialogs);
    Application program(world, QCoreApplication::arguments());
    instance.raise = [&program] { program.comeForward(); };
    return program.run();
}
