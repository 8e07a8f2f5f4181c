#include "base/clock.h"
#include "base/instancelock.h"
#include "app/ui/application.h"
#include "base/ui/qttranslation.h"
#include "base/ui/widgetdialogs.h"
#include "app/world.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installQtJapanese(app);
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
