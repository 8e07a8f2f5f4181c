#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// Where a window goes relative to the main window before it is shown.
enum class PlaceMode : int {
    Below = -1,   // under the main window, left edges aligned; kept on screen
    Centred = 0,  // centred on the main window
};

// PlaceForm's arithmetic: the top-left corner for a window of `size` placed
// against the main window's frame `main`, `screen` being the available area
// of the screen that holds the main window. The window ends up wholly on
// that screen (see keepOnScreen).
QPoint placeFormPosition(const QRect &main, const QSize &size, const QRect &screen, PlaceMode mode);

// Where a window goes so that it lies wholly on `screen`, moved as little as
// possible; one larger than the screen keeps its top-left corner (and so its
// title bar) on it.
QPoint keepOnScreen(const QRect &window, const QRect &screen);

// The mixer name of captions and lists: 1 "マスター", 2..16 "スレーブ1".."スレーブ15",
// anything else empty.
class QString;
QString MixerName(int mixer);

// Where the first editor window goes when the program starts: next to the
// main window, changing one coordinate only: above it if it fits, else left
// of it, else right of it, else below it.
QPoint editorBesideMain(const QRect &main, const QRect &editor, int screenWidth);

// The arrange command's cascade of `count` editor windows under a main window
// at (0, 0): 270 units right and down each; when the next window would pass the
// screen's bottom the top restarts at 0 and the left edge is kept clear of the
// main window.
std::vector<QPoint> cascadePositions(int count, const QSize &main, int editorHeight, int screenHeight);
