#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window goes relative to the main window before it is shown.
enum class PlaceMode : int {
    Below = -1,   // under the main window, left edges aligned; kept on screen
    Centred = 0,  // centred on the main window
};

// PlaceForm's arithmetic: the top-left corner for a window of `size` placed
// against the main window's frame `main` on a screen of `screen`.
QPoint placeFormPosition(const QRect &main, const QSize &size, const QSize &screen, PlaceMode mode);

// The mixer name of captions and lists: 1 "マスター", 2..16 "スレーブ1".."スレーブ15",
// anything else empty.
class QString;
QString MixerName(int mixer);
