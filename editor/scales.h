#pragma once

// Value scales of the mixer editor: how an integer code of the mixer data is
// shown as a physical value (dB, seconds, a factor, a count) and how a typed
// text becomes a code again. Every entry field of every editing window, and
// the parameter grid, go through these functions, so a value reads the same
// everywhere. No widgets here.

#include "mixer/valueranges.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

// LevelTable and the level codes 0..64 are the mixer's parameter ranges
// (mixer/valueranges.h), which the settings file and the tool check against.

// The level of a code in dB (code 0 is -96.0). Codes outside 0..64 give 0.
constexpr double levelDb(int code)
{
    return code >= LevelCodeMin && code <= LevelCodeMax ? -LevelTable[std::size_t(code)] / 10.0
                                                        : 0.0;
}

enum class Scale {
    Level,       // "MUTE" or dB through LevelTable: InputGain_1..8, OutputGain
    Tenths,      // c * 0.1, "#0.0": OutPeakLEDK, MuteK
    Hundredths,  // c * 0.01, "#0.00": ThresholdK
    HalfSeconds, // c * 0.5 + 0.5 s, "#0.0": HoldTime
    Twentieths,  // (c + 1) * 0.05 s, "#0.00": Silent_Time, Hold_Time2
    Count,       // the code itself: thresholds, noise detection values, ThresholdK2
};

// The level of a code as a number with one decimal, "-96.0" for code 0: the
// form of the parameter grid and the printout, which append "dB". A code
// outside 0..64 gives an empty text.
QString levelNumberText(int code);

// The text an entry field shows for `code`: at least one digit before the
// point and the scale's number of decimals; "MUTE" for level code 0. A level
// code outside 0..64 gives an empty text.
QString displayCode(Scale scale, int code);

// The same value as a number in the unit the scale shows: dB on the level
// scale (code 0, shown as "MUTE", is its bottom, -96.0), seconds, a factor
// or a count. What assistive technology reads as an entry's value.
double shownNumber(Scale scale, int code);

// A typed value as a code of the scale. The fixed-point scales round toward
// minus infinity (Int(-1.5) = -2); hundredths add 0.001 first so that 0.29
// gives 29, not 28. Results beyond the int range saturate (they then fail any
// bounds check instead of overflowing).
int codeFromValue(Scale scale, double value);

// The level code nearest to `dB`: -1 below -96.0 dB, 65 above 0.0 dB; a value
// exactly half-way between two levels takes the higher one.
int nearestLevel(double dB);

// The value of the longest leading part of `text` that reads as a decimal
// number: an optional minus sign, digits, an optional point and digits. "1.2.3"
// reads 1.2, "5-" reads 5; an empty or non-numeric text reads 0.
double leadingDecimal(QStringView text);

struct CommitResult
{
    bool valid = false;
    int code = 0;            // the code the text stands for (meaningful when valid)
    QString textToWriteBack; // non-empty when the box is rewritten before judging ("MUTE")
};

// The entry procedure of a text box paired with an up-down control holding
// codes min..max: upper-case the text; in a level field an empty text becomes
// "MUTE", and "MUTE" means code 0; otherwise every character must be a digit,
// '.' or '-'; the leading decimal number is converted with the scale and must
// lie within min..max.
CommitResult commitEntry(const QString &text, Scale scale, int min, int max);

// The gain pictures of the editor windows: 32 pictures cover the 65 level
// codes, picture Int(code / 2) capped at 31 (code 0 and 1 both show picture 0).
int levelPicture(int code);

// The picture of the threshold meter: the range Min..Max is cut into 32 steps
// of (Max - Min + 1) \ 32; a range too small for that shows picture 0.
int thresholdPicture(int threshold, int thresholdMin, int thresholdMax);
