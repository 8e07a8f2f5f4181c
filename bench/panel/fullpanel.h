#pragma once

// A council chamber's worth of panel: every one of the 144 channel buttons
// enabled, in a grid of 16 rows of 9, each with a two-line caption.

#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "panel/ui/frmmdi.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"
#include "settings/panelmodel.h"
#include "settings/panelsections.h"

#include <functional>

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

// An offline panel window's surroundings for 16 mixers, whose settings hold
// the panel `fill` lays out, as a file just loaded would.
struct OfflinePanelBench
{
    explicit OfflinePanelBench(const std::function<void(PanelState &)> &fill)
    {
        link.linkKind = LinkKind::Offline;
        mixers.MixerCount = 16;
        panel.defaults = PanelDefaults::fromStrings();
        PanelState full;
        full.defaults = panel.defaults;
        fill(full);
        StorePanel(full, files.SetDataTable, Panel::MaxMixers);
        files.SetDataTable.set(SystemKey::MixerCount, SystemKey::Section, QStringLiteral("16"));
    }

    PanelWindowContext context() { return {panel, mixers, link, files, settings, dialogs, {}, 96}; }

    ScriptedDialogs dialogs;
    LinkState link;
    LoopState loop;
    MixerState mixers;
    MixerStateSettings mixerSettings{mixers};
    SettingsFiles files;
    PanelState panel;
    SettingsCommands settings{files, mixerSettings, panel, loop, link, dialogs};
};
