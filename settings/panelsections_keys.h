#pragma once

// The key lists of the panel's sections of the settings file: the button
// sections "GUI_Master" .. "GUI_Slave15" and the panel-wide "SystemData".
// Each list is a text of triples "id,key,kind," (sections carry kind -1);
// the settings file's key table is split from them. The constants below are
// the key ids the panel's store and apply steps address.

namespace PanelKey {
// Button sections: family base + slot (0..8); on colour and on/off have 8.
constexpr int IconEnable = 0;
constexpr int IconLeft = 9;
constexpr int IconTop = 18;
constexpr int IconWidth = 27;
constexpr int IconHeight = 36;
constexpr int IconText = 45;
constexpr int IconFontName = 54;
constexpr int IconFontSize = 63;
constexpr int IconFontBold = 72;
constexpr int IconFontItalic = 81;
constexpr int IconColorDef = 90;
constexpr int IconColorOn = 99;
constexpr int IconOnOff = 107;
constexpr int CellHeight = 115;
constexpr int Last = 123;
constexpr int FirstSection = 16;        // "GUI_Master"; slaves follow
} // namespace PanelKey

namespace SystemKey {
constexpr int MixerCount = 0;
constexpr int GUIWindowColor = 1;
constexpr int IconNum = 2;
constexpr int GridOnOff = 3;
constexpr int GridInterval = 4;
constexpr int GridColor = 5;
// Figure block of kind k (circle, rect, line, arc) starts at figureBase(k);
// within it each field has 10 entries at these offsets.
constexpr int FigStartX = 0;
constexpr int FigStartY = 10;
constexpr int FigEndX = 20;
constexpr int FigEndY = 30;
constexpr int FigColor = 40;
constexpr int FigWidth = 50;
constexpr int FigStyle = 60;
constexpr int FigDirection = 70;        // lines and arcs only
constexpr int figureBase(int kind) { return kind == 0 ? 6 : kind == 1 ? 77 : kind == 2 ? 148 : 229; }
constexpr bool hasDirection(int kind) { return kind >= 2; }
constexpr int figureCount(int kind) { return figureBase(kind) + (hasDirection(kind) ? 80 : 70); }
constexpr int figureOrder(int kind) { return 310 + 10 * kind; }
constexpr int FigureNum = 350;
constexpr int CellWidth0 = 351;
constexpr int CellAllWidth = 354;
constexpr int CellAllHeight = 355;
constexpr int TableWidth = 356;
constexpr int TableHeight = 357;
constexpr int TableLeft = 358;
constexpr int TableTop = 359;
constexpr int ImageVisible = 360;
constexpr int ImageFileName = 361;
constexpr int ImageStretch = 362;
constexpr int ImageWidth = 363;
constexpr int ImageHeight = 364;
constexpr int ImageXScale = 365;
constexpr int ImageYScale = 366;
constexpr int Last = 366;
constexpr int Section = 32;             // "SystemData"
} // namespace SystemKey

static_assert(SystemKey::figureCount(0) == 76 && SystemKey::figureCount(1) == 147
              && SystemKey::figureCount(2) == 228 && SystemKey::figureCount(3) == 309);

// The triple texts of the panel list (ids 0..123, sections 16..31) and of the
// system list (ids 0..366, section 32).
const char *panelKeyListText();
const char *systemKeyListText();
