#include "app/instancelock.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstanceLock lock;
    if (!lock.acquired())
        return 0; // a second instance ends silently
    return 0;
}
