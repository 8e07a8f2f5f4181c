#pragma once

// The tool's manual as a man page: the text --help prints, turned into roff
// line by line, so the two never say different things.

#include <QString>

// `manual` as --help prints it: headings in capitals at the left margin
// ("NAME", "EXIT STATUS"), everything else indented. Each heading becomes a
// section, everything else is kept as laid out (no filling), with roff's
// special characters escaped.
QString manPageFromManual(const QString &manual);
