#pragma once

// String ids of the mixer editor window: its captions and its appearance
// constants (font names and colours) in base/strings.tsv.

namespace EditorText {
// Tabs: 2901 + tab.
constexpr int TabFirst = 2901;
constexpr int ExtendedData = 2903;  // "拡張データ"
constexpr int InitialValues = 2904; // "各種初期値"

// Channel tab.
constexpr int RowLabelFirst = 2101; // Lbl1L(0..7): 2101..2108
constexpr int Ch = 2911;            // "ch"
constexpr int Ch1Link = 10202;      // "ch1-Link"
constexpr int MixerLink = 10203;    // "Mixer-Link"
constexpr int LinkOn = 10204;       // "Link-On"
constexpr int LinkOff = 10205;      // "Link-Off"
constexpr int LinkSuffix = 10206;   // "-Link"
constexpr int AllChannels = 10207;  // "全ﾁｬﾝﾈﾙ"
constexpr int Initialise = 9144;    // "初期値設定"

// System tab.
constexpr int GroupHeadingFirst = 2201; // LblUp(0..2): 2201..2203
constexpr int FieldLabelFirst = 2211;   // Label1(0..3): 2211..2214
constexpr int Noma = 2221;
constexpr int KeyLock = 2222;
constexpr int ThresholdAction = 2805;   // "スレッショルド動作"
constexpr int ThresholdUnit = 10216;    // "スレッショルド                設定単位"
constexpr int AutomaticAction = 10217;  // "オートマチック動作"
constexpr int LastOn = 10218;           // "ラストオン"
constexpr int Simultaneous = 10219;     // "同時選択許可            チャンネル数"
constexpr int HoldTime = 4105;          // "ホールド時間"
constexpr int AllOk = 10200;            // "All OK"
constexpr int Only = 10201;             // " オンリー"
constexpr int Seconds = 10211;          // "秒"
constexpr int Calculated = 10212;       // "算出減衰量"
constexpr int AmbientStart = 10213;     // "-96.0"
constexpr int Decibel = 10214;          // "dB"
constexpr int MuteAttFirst = 2921;      // "-60dB", "-40dB", "-20dB"
constexpr int ShowMenu = 10208;         // "設定メニューの表示"
constexpr int MenuShown = 10209;        // "の設定メニューを表示します"
constexpr int DoNotChange = 10210;      // "通常は設定を変更しないでください"

// Extended and initial-values tabs.
constexpr int ExtendedLabelFirst = 2301; // 2301..2303
constexpr int ThresholdMaxLabel = 2802;
constexpr int ThresholdMinLabel = 2803;
constexpr int NoiseLabelFirst = 4100;    // 4100..4106
constexpr int DefaultLabelFirst = 2801;  // 2801..2805
constexpr int DefaultSuffix = 10215;     // "(初期値)"
constexpr int Transfer = 9143;           // "ミキサーへ転送"
constexpr int Changed = 2703;            // "設定が変更されています"
constexpr int Off = 2913;
constexpr int On = 2912;
constexpr int Auto = 2943;
constexpr int Manual = 2942;

constexpr int OutOfMemory = 3000;        // "メモリ不足でフォームを表示できません。"

// Appearance. Each group of constants is: font name, then colours.
constexpr int LinkFont = 111, LinkBack = 112, LinkFore = 113;
constexpr int RowFont = 121, RowBack = 122, RowFore = 123;
constexpr int StripFont = 131, StripFore = 132, StripBack = 133, StripLinkedBack = 134;
// Tab t = 1..3: font 100(t+1)+11, heading back +12, heading fore +13, label fore +14.
constexpr int tabFont(int tab) { return 100 * (tab + 1) + 11; }
constexpr int tabHeadingBack(int tab) { return 100 * (tab + 1) + 12; }
constexpr int tabHeadingFore(int tab) { return 100 * (tab + 1) + 13; }
constexpr int tabLabelFore(int tab) { return 100 * (tab + 1) + 14; }
// Background of tab t's frame.
constexpr int tabBack(int tab) { return 100 * tab + 143; }
} // namespace EditorText
