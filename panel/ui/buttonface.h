#pragma once

// What design and execution buttons share: the caption font, the measuring
// of captions in twips (for refitting a button to its caption) and the
// drawing of the caption lines, centred, with an optional state line below.

#include "panel/buttonproperties.h"

#include <QColor>
#include <QFont>
#include <QRect>

class QPainter;

QFont captionFont(const ButtonSlot &slot);

// Measures with the real caption font; pixels converted by `scale`.
MeasureText widgetMeasure(const TwipScale &scale);

// The caption's lines (split at CR LF), then `stateLine` when not empty, as
// one block centred in `rect`.
void paintCaption(QPainter &painter, const QRect &rect, const ButtonSlot &slot, const QColor &text,
                  const QString &stateLine = QString());

// A colour of the string table ("&H8000000F"), or `fallback` when it is missing.
QColor tableColor(int id, const QColor &fallback);
