#include "base/clock.h"
#include "base/instancelock.h"
#include "base/strings.h"
#include "app/ui/application.h"
#include "base/ui/qttranslation.h"
#include "base/ui/widgetdialogs.h"
#include "app/world.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Japanese unless ZKVR340A_LANGUAGE=en or an English locale asks otherwise.
    const Language language = systemLanguage();
    setLanguage(language);
    installQtTranslation(app, language);
    app.setQuitOnLastWindowClosed(false); // the program ends through Disconnect
    InstanceLock lock;
    if (!lock.acquired())
        return 0; // a second instance ends silently

    SystemClock clock;
    WidgetDialogs dialogs;
    World world(clock, dialogs);
    Application program(world, QCoreApplication::arguments());
    return program.run();
}
