#pragma once

// Conversions between settings-file texts and values: booleans "True" /
// "False" (numbers accepted on reading, non-zero true), integers in plain
// decimal, doubles with up to 15 significant digits.

#include <QString>
#include <QtGlobal>

#include <optional>

QString boolText(bool value);
QString doubleText(double value);

// A whole number from decimal text (surrounding blanks allowed); a decimal
// fraction is rounded half to even. Nothing outside [lo, hi].
std::optional<qint64> parseWhole(const QString &text, qint64 lo, qint64 hi);
std::optional<double> parseDouble(const QString &text);
std::optional<bool> parseBool(const QString &text);
