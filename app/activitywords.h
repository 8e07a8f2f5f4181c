#pragma once

// How a write in the activity log reads to the user: the value as the
// editor shows it ("-10.0dB", "ON"), and a channel's remote switch by the
// caption of the panel button that is its seat ("議長 ON").

#include <QString>

struct PanelState;

// Mixer 1..16, key id 1..103, the value written.
QString writtenValueWords(const PanelState &panel, int mixer, int key, qint32 value);
