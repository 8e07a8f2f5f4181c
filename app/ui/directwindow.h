#pragma once

// Opening the direct memory access window from the job loop.

#include "maintenance/frmdirect.h"

#include <QPointer>

class JobWindow;
class QWidget;
struct World;

// The job loop's showDirect: opens FrmDirect modeless, centred on `main`, to
// read or to write, running its accesses in `jobs`. There is one
// direct-access window at a time, held in `open`: asked for the mode it has,
// it comes to the front; asked for the other mode, it closes and the new one
// takes its place. Either way the poll is held afterwards. The window
// deletes itself when closed.
FrmDirect *openDirect(World &world, JobWindow &jobs, bool read, QWidget *main, QPointer<FrmDirect> &open);
