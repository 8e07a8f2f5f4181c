#pragma once

// mdlPrint: prints a window as a picture, scaled to fit one page and centred
// on it, through the print dialog of the dialog seam. The PDF file the
// dialog offers works like any printer.

#include "print/printstatus.h"

class Dialogs;
class QWidget;

// Prints the client area of `window`. Before the capture a window that is not
// completely on the screen is moved so that it is, beside `main` (the main
// window, may be null) where there is room.
PrintStatus PrintForm(QWidget *window, Dialogs &dialogs, const QWidget *main);

// The print command: PrintForm, then the message its status calls for.
PrintStatus printWindow(QWidget *window, Dialogs &dialogs, const QWidget *main);
