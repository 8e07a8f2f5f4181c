#pragma once

// PlaceForm: puts a window below (-1) or centred on (0) the main window
// before it is shown, wholly on the main window's screen. Without a main
// window the window stays where the system puts it.

#include "base/placement.h"

class QRect;
class QSize;
class QWidget;

void PlaceForm(QWidget *window, const QWidget *main, PlaceMode mode);

// The available area of the screen that holds `window`.
QRect screenAreaOf(const QWidget *window);
// The size of the window with its frame, also before it is first shown.
QSize frameSizeOf(const QWidget *window);

// A window asked for again while it is open comes to the front instead of
// opening a second one.
void bringForward(QWidget *window);
