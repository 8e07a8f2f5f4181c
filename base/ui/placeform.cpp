#include "base/ui/placeform.h"

#include <QScreen>
#include <QWidget>

void PlaceForm(QWidget *window, const QWidget *main, PlaceMode mode)
{
    if (!window || !main)
        return;
    const QSize screen = main->screen() ? main->screen()->availableGeometry().size() : QSize(1920, 1080);
    window->move(placeFormPosition(main->frameGeometry(), window->frameGeometry().size(), screen, mode));
}
