#pragma once

// How the control panels of two settings files differ: how many buttons and
// figures are not alike, and whether the panel-wide values (window colour,
// grid, button table, background image) differ. Each panel is taken as the
// panel window would take it offline, so what differs is what a user would
// see differ, not the text of cells no panel reads.

class SettingsTable;

struct PanelDifference
{
    int buttons = 0;        // slots enabled in one panel only, or unlike
    int figures = 0;        // figures drawn in one panel only, or unlike
    bool panelWide = false; // window colour, grid, button table or image

    bool any() const { return buttons > 0 || figures > 0 || panelWide; }
};

PanelDifference comparePanels(const SettingsTable &first, const SettingsTable &second);
