#pragma once

// Cells of the CSV files the program exports (the activity log, the record
// of who spoke when), kept safe for spreadsheets.

#include <QString>

// A spreadsheet takes a cell that starts with "=", "+", "-", "@", a tab or a
// carriage return for a formula: a file name, a caption or a value such as
// "-10.0dB" must stay text. A plain number is read as one.
bool looksLikeFormula(const QString &cell);
// The cell with a leading "'" when it would read as a formula, and back.
QString formulaGuarded(const QString &cell);
QString formulaUnguarded(const QString &cell);
// The cell quoted when it holds a comma, a quote or a line break (RFC 4180).
QString csvCell(const QString &text);
