#pragma once

// How the tool prints a comparison of settings (diff, load --dry-run): lines
// for a person, or one JSON object for a script.

#include <QByteArray>
#include <QString>

struct SettingsComparison;

// What the two sides of a comparison are, for the heading.
struct DiffSides
{
    QString fromFile; // empty: the linked mixers
    QString toFile;
};

QString comparisonText(const SettingsComparison &comparison, const DiffSides &sides);
// One line of JSON:
// {"from": {"source": "mixers"|"file", "file": PATH, "mixer_count": N},
//  "to": {"source": "file", "file": PATH, "mixer_count": N},
//  "mixer_count_differs": B, "note": TEXT, "compared_mixers": N, "differences": N,
//  "per_kind": {"channel": N, "system": N, "extended": N, "defaults": N},
//  "panels": {"differ": B, "buttons": N, "figures": N, "panel_wide": B} | null (against the mixers),
//  "mixers": [{"mixer": M, "name": TEXT, "differences": N, "per_kind": {...},
//              "values": [{"key": KEY, "kind": KIND, "label": TEXT, "label_en": TEXT,
//                          "channel": C|null, "from": CODE, "to": CODE,
//                          "from_text": TEXT, "to_text": TEXT}]}]}
// The texts are in the language str() gives now (the diff command makes
// them Japanese); label_en is the label in English whatever that is.
QByteArray comparisonJson(const SettingsComparison &comparison, const DiffSides &sides);
