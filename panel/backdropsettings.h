#pragma once

// The rules of the grid property and background image dialogs, without
// widgets: which grid spacings are accepted, which controls of the image
// dialog are offered and what its number boxes keep of typed or pasted text.

#include <QString>

#include <optional>

// Grid spacings the dialog accepts, in twips.
constexpr qint32 MinGridInterval = 1;
constexpr qint32 MaxGridInterval = 99999;

// A typed grid spacing: numeric, rounded to a whole number, 1..99999.
std::optional<qint32> gridIntervalFromText(const QString &text);

// The image dialog's controls that are enabled: with the check box on, the
// file name, its browse button and the four size modes; the size boxes only
// in "サイズを指定" (mode 2), the scale boxes only in "倍率を指定" (mode 3).
struct ImageDialogEnabling
{
    bool file = false;
    bool options = false;
    bool sizeBoxes = false;
    bool scaleBoxes = false;
};
ImageDialogEnabling imageDialogEnabling(bool show, int mode);

// What a number box keeps of its text: the digits alone.
QString digitsOnly(const QString &text);
// The value of a number box: 0 when empty; very long numbers saturate.
qint32 numberBoxValue(const QString &text);
