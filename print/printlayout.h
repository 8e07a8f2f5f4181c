#pragma once

// The arithmetic of printing a window: how large its picture is drawn on the
// page and where, and where the window goes first when it is not completely
// on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

// The part of the page a printer prints on, in device pixels: the physical
// page less its unprintable margin, counted as the same on both sides as its
// left and top part, yet never more than the printable rectangle `page`
// (relative to the physical page), so uneven margins cannot clip the picture.
QSize printableSize(const QSize &physical, const QRect &page);

// The scale that fits a window picture of `window` pixels onto `printable`
// with its shape kept: the smaller of the width and height ratios, in
// ten-thousandths, truncated so the scaled picture never overflows the page.
// 0 when either size is empty.
int fitScale(const QSize &window, const QSize &printable);

// Where the scaled picture lands: its size (window × scale, whole pixels)
// centred on the printable area, relative to the printable area's top-left
// corner. Empty when nothing can be fitted.
QRect pagePlacement(const QSize &window, const QSize &printable);

// Where a window with the frame `window` goes so that it lies completely on
// `screen` before it is captured: where it is when it already does; else
// beside the main window `main` (above, left, right or below it, the first
// that fits); else as near as possible to where it was, its top-left corner
// on screen when it is larger than the screen. An empty `main` means there is
// no main window to stand beside.
QPoint onScreenPosition(const QRect &window, const QRect &screen, const QRect &main);
