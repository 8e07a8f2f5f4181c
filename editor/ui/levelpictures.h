#pragma once

// The 32 level pictures of the editing windows, drawn by the program: a bar
// of 31 lamps like a level meter, picture p lighting the lowest p lamps
// (picture 0, a muted channel, lights none). The gain pictures show picture
// Int(code / 2) capped at 31; the threshold picture its position between the
// mixer's ThresholdMin and ThresholdMax.

#include <QPixmap>

// Picture 0..31 (an index outside is taken as the nearest end). Drawn once,
// on first use; needs the GUI application.
const QPixmap &levelImage(int index);

// The size every picture has, in device-independent pixels.
QSize levelPictureSize();
