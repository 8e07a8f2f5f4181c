#pragma once

// The panel's side of the settings file: StorePanel turns the panel state
// into the texts of its sections in SetDataTable, ApplyPanel the other way.
// Button sections "GUI_Master" .. "GUI_Slave15" (section ids 16..31) hold the
// nine slots of one mixer each; "SystemData" (32) the panel-wide values.

#include "settings/panelmodel.h"
#include "settings/panelsections_keys.h"

class SettingsTable;

// Caption text as the file holds it: two lines joined by one TAB, anything
// after the second line dropped. And back: pieces split at TAB, CR LF between.
QString captionToFile(const QString &caption);
QString captionFromFile(const QString &text);

// A text value as a key line can hold it: line breaks go; everything else,
// "=" and "]" included, is stored as it is.
QString fileSafeText(const QString &text);

// Writes the button sections of mixers 0..FileMixerCount-1 and the panel keys
// of "SystemData". `liveTable`, when the button table window is open, is its
// current geometry and is stored instead of the panel's copy.
void StorePanel(PanelState &panel, SettingsTable &SetDataTable, int FileMixerCount,
                const TableGeometry *liveTable = nullptr);

// Whether the panel sections held values the panel cannot take as they stand.
enum class PanelValues {
    InRange,
    BroughtIntoRange,   // buttons or table beyond the panel's range, or a
                        // button count no panel can have
};

// Resets the panel, then, when the file was read without error, takes the
// button sections of min(file count, link count) mixers (all of the file's
// offline) and the panel-wide keys. A missing or unconvertible key keeps its
// reset value; counts are kept within the lists' size; buttons and the
// button table are brought into the panel's range; the button count is
// counted from the slots.
PanelValues ApplyPanel(PanelState &panel, qint16 &FileMixerCount, const SettingsTable &SetDataTable,
                       const PanelContext &ctx, bool fileRead = true);

// The panel snapshot against which the unsaved-changes check compares: every
// panel key StorePanel writes, and the link count, written into FileTable.
void writePanelSnapshot(const PanelState &panel, SettingsTable &FileTable, int FileMixerCount,
                        int MixerCount);
