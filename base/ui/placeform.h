#pragma once

// PlaceForm: puts a window below (-1) or centred on (0) the main window
// before it is shown, on the main window's screen. Without a main window the
// window stays where the system puts it.

#include "base/placement.h"

class QWidget;

void PlaceForm(QWidget *window, const QWidget *main, PlaceMode mode);
