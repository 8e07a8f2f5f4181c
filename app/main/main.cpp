#include "base/clock.h"
#include "base/instancelock.h"
#include "base/strings.h"
#include "app/ui/application.h"
#include "app/operatestart.h"
#include "base/ui/qttranslation.h"
#include "base/ui/widgetdialogs.h"
#include "app/world.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Japanese unless ZKVR340A_LANGUAGE=en or an English locale asks otherwise.
    const Language language = systemLanguage();
    setLanguage(language);
    installQtTranslation(app, language);
    app.setQuitOnLastWindowClosed(false); // the program ends through Disconnect
    // The desktop entry's name, so the window is matched to its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZK_APP_ID));
    QIcon icon;
    for (const QString &size : QDir(QStringLiteral(":/zk/icons")).entryList())
        icon.addFile(QStringLiteral(":/zk/icons/%1/" ZK_APP_ID ".png").arg(size));
    app.setWindowIcon(icon);
    // A command line that cannot be followed is said so at once, also while
    // another instance runs.
    const StartRequest request = parseStartArguments(QCoreApplication::arguments());
    if (!request.ok()) {
        std::fprintf(stderr, "zkvr340a: %s\n%s", qPrintable(request.error()), qPrintable(virtualUsage()));
        return 2;
    }
    if (const QString problem = operateFileProblem(request.operate); !problem.isEmpty()) {
        std::fprintf(stderr, "zkvr340a: %s\n", qPrintable(problem));
        return 2;
    }
    InstanceLock lock;
    if (!lock.acquired())
        return 0; // a second instance ends silently

    SystemClock clock;
    WidgetDialogs dialogs;
    World world(clock, dialogs);
    Application program(world, QCoreApplication::arguments());
    return program.run();
}
