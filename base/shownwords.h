#pragma once

// A text the user sees, as the words it says: what a screen reader hears of
// a control, and what a page shows of a menu's text.

#include <QString>
#include <QStringList>

// A visible text as words: mnemonics dropped ("送信(&S)" is 送信), runs of blanks
// (half-width and full-width) and line breaks made one space.
QString accessibleWords(const QString &visibleText);
// The non-empty parts, each as words, one space apart.
QString joinAccessible(const QStringList &parts);
