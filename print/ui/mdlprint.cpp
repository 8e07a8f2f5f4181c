#include "print/ui/mdlprint.h"

#include "base/dialogs.h"
#include "print/printlayout.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

namespace {

Q_LOGGING_CATEGORY(lcPrint, "zkvr.print", QtCriticalMsg)

// frmPrint: the off-screen pictures of one print run. picPrint is the
// window's client image at screen size; picMagnify is where that image lands
// on the page and how large. The printer scales the picture as it draws it,
// so the page-sized copy (hundreds of megabytes at printer resolution) is
// never made, and the page shows the same pixels.
struct FrmPrint
{
    QPixmap picPrint;
    QRect picMagnify;
};

void moveOnScreen(QWidget &window, const QWidget *main)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect frame = window.frameGeometry();
    const QPoint to = onScreenPosition(frame, screen->availableGeometry(),
                                       main ? main->frameGeometry() : QRect());
    if (to != frame.topLeft())
        window.move(to);
}

// The window's client area as it is drawn. A hidden window is laid out and
// drawn without appearing on the screen. The picture comes from the window's
// own painting, so windows in front of it cannot spoil it.
QPixmap capture(QWidget &window)
{
    const bool hidden = !window.isVisible();
    if (hidden) {
        window.setAttribute(Qt::WA_DontShowOnScreen, true);
        window.show();
    }
    QPixmap picture = window.grab();
    if (hidden) {
        window.hide();
        window.setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    return picture;
}

} // namespace

PrintStatus PrintForm(QWidget *target, Dialogs &dialogs, const QWidget *main)
{
    QPointer<QWidget> window(target);
    if (!window)
        return PrintStatus::Failed;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(window->windowTitle());
    switch (dialogs.print(printer)) {
    case PrintAnswer::NoPrinter: return PrintStatus::NoPrinter;
    case PrintAnswer::Cancel: return PrintStatus::Cancelled;
    case PrintAnswer::Print: break;
    }
    // Let what the dialog covered repaint. The program keeps running under
    // the dialog, so the window may have closed itself meanwhile (its mixer
    // left the link): then there is nothing left to print.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!window) {
        qCWarning(lcPrint) << "the window closed before it was printed";
        return PrintStatus::Failed;
    }

    moveOnScreen(*window, main);
    FrmPrint frm;
    frm.picPrint = capture(*window);
    // The picture's own size counts: a window never shown before takes its
    // laid-out size only while it is captured.
    const QSize client = frm.picPrint.deviceIndependentSize().toSize();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    frm.picMagnify = pagePlacement(client, printableSize(paper.size(), page));
    if (frm.picMagnify.isEmpty()) {
        qCWarning(lcPrint) << "nothing fits: window" << client << "page" << page;
        return PrintStatus::Failed;
    }

    // The painter's origin is the printable area's top-left corner.
    QPainter painter;
    if (!painter.begin(&printer)) {
        qCWarning(lcPrint) << "the printer refused the document" << printer.outputFileName();
        return PrintStatus::Failed;
    }
    painter.drawPixmap(frm.picMagnify, frm.picPrint);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        qCWarning(lcPrint) << "the page could not be finished";
        return PrintStatus::Failed;
    }
    return PrintStatus::Printed;
}

PrintStatus printWindow(QWidget *window, Dialogs &dialogs, const QWidget *main)
{
    const PrintStatus status = PrintForm(window, dialogs, main);
    reportPrintStatus(status, dialogs);
    return status;
}
