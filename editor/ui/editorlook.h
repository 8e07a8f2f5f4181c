#pragma once

// The look the editing windows share: fonts and colours from the string
// table's appearance constants, labels that break where their text says,
// and the small building blocks of the editor's panels.

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class OptionGroup;
class QFont;
class QFrame;
class QWidget;

// The font an appearance constant names, at the editors' size.
QFont appearanceFont(int id);

// Background (when `backId` is set) and text colour (when `foreId` is set)
// from appearance constants. Disabled text keeps the style's grey.
void paint(QWidget *w, int backId, int foreId);

// The label texts are written with a run of blanks where the label breaks
// into its second line.
QString labelText(const QString &text);

QStringList captionsOf(int count, const std::function<QString(int)> &caption);

// A box holding a new option group's buttons side by side or one above the other.
std::pair<QWidget *, OptionGroup *> optionBox(const QStringList &captions, const QString &name,
                                              int indexBase, bool vertical);

// A framed panel, and a thin line between the rows of a strip.
QFrame *groupFrame(QWidget *parent, const QString &name);
QFrame *separator(QWidget *parent);
