#include "app/ui/directwindow.h"

#include "app/ui/frmmsg.h"
#include "app/world.h"
#include "base/ui/placeform.h"

FrmDirect *openDirect(World &world, JobWindow &jobs, bool read, QWidget *main, QPointer<FrmDirect> &open)
{
    if (open && open->readMode() == read) {
        if (open->isMinimized())
            open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    if (open)
        open->close(); // the other mode's window makes way
    auto *w = new FrmDirect(read, &world.jobs.pollHolds(), world.dialogs,
                            [&jobs](bool readMode, const QByteArray &request, QWidget *over) {
                                return jobs.runDirect(readMode, request, over);
                            },
                            main);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->adjustSize();
    PlaceForm(w, main, PlaceMode::Centred);
    w->show();
    open = w;
    return w;
}
