#pragma once

// What assistive technology hears of our windows. A control takes the words
// its user sees next to it: the label in front of a field (tied to it, so a
// label's mnemonic and a screen reader both lead to the field), and for the
// many alike controls of a strip or group the words of their place ("ch 3",
// a row's label) before their own caption, so that no two controls of one
// window sound the same.

#include "base/shownwords.h"

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

// Ties `label` to `field` (its buddy) and names the field after the label,
// with `context` in front when given.
void tieLabel(QLabel *label, QWidget *field, const QString &context = {});

// Names every control in `content` (the widget itself included) that has no
// name yet: a button or option as `context` and its caption, an entry field
// or list as `context` alone.
void nameControlsIn(QWidget *content, const QString &context);

// A top-level window built on a plain QWidget is otherwise presented as a
// "client" area (a filler to screen readers); this presents it as a window.
void announceAsWindow(QWidget *window);
