#pragma once

// The virtual chain's mark on the windows that stand for the system.

#include <QString>

class QWidget;

// Keeps `mark` at the front of the window's title from now on, whatever sets
// the title later (the file name after a save or a load, the panel's state):
// "仮想ミキサー (3 台) - (無題) - ZK-VR340a".
void keepMarkInTitle(QWidget &window, const QString &mark);

// The title with the mark in front; a title that has it stays as it is.
QString markedTitle(const QString &title, const QString &mark);
