#pragma once

// A council chamber's worth of panel: every one of the 144 channel buttons
// enabled, in a grid of 16 rows of 9, each with a two-line caption.

#include "settings/panelmodel.h"

#include <QString>

inline void placeEveryButton(PanelState &p)
{
    qint16 fileMixerCount = 0;
    ResetPanel(p, fileMixerCount, PanelContext{});
    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
            ButtonSlot &b = p.slot(m, s);
            b = resetSlot(p.defaults, s);
            b.IconEnable = true;
            b.IconLeft = 1600 * s;
            b.IconTop = 1100 * m;
            b.IconWidth = 1500;
            b.IconHeight = 1000;
            b.IconText = QStringLiteral("委員 %1\r\n席 %2").arg(m).arg(s);
        }
    p.IconNum = Panel::MaxButtons;
}
