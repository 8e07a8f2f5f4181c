#pragma once

// What the four tabs of the mixer editor window share: the numbers of their
// indexed entry fields and pictures, what each tab reaches of the running
// program, and the small builders of their labelled rows. The tabs
// themselves are in channeltab, systemtab, extendedtab and defaultstab.

#include "editor/editorstate.h"
#include "editor/scales.h"
#include "mixer/valueranges.h"

#include <QString>

#include <vector>

class Dialogs;
class MarkSet;
class MixerEdits;
class OptionGroup;
class QLabel;
class QWidget;
class ValueEntry;

// UpDwParam(i): the system tab's fields 5..7, the extended tab's others.
struct EditorFields
{
    enum Field : int {
        FieldOutPeak = 0, FieldThresholdK = 1, FieldMuteK = 2, FieldThresholdMin = 3,
        FieldThresholdMax = 4, FieldThreshold = 5, FieldOutputGain = 6, FieldHoldTime = 7,
        FieldNoiseReference = 8, FieldNoiseThreshold = 9, FieldSilentTime = 10,
        FieldHoldTime2 = 11, FieldThresholdK2 = 12,
    };
    static constexpr int FieldCount = 13;
    static constexpr int GainPicture = 8;      // ImgChannel(8): OutputGain
    static constexpr int ThresholdPicture = 9; // ImgChannel(9): the threshold's position
    static constexpr int PictureCount = 10;
    static constexpr int WordMax = editorMax(87); // ThresholdMax .. ThresholdMinDef: 15-bit registers
};

// What a tab reaches: the records and edits of the window's mixer, the
// dialogs its entry boxes judge typed values with, and the window's marks.
struct EditorTabContext
{
    EditorEnv env;
    MixerEdits &edits;
    Dialogs &dialogs;
    MarkSet &marks;
    int mixer = 1;
};

// An entry box named `name` + "_" + `index`.
ValueEntry *makeEntry(Dialogs &dialogs, Scale scale, int min, int max, int index,
                      const QString &name = QStringLiteral("UpDwParam"));
// An entry bounded by the editor range of settings key `keyId`.
ValueEntry *makeKeyEntry(Dialogs &dialogs, Scale scale, int keyId, int index,
                         const QString &name = QStringLiteral("UpDwParam"));

// A label and what it names: the label is tied to the one entry field
// among them, and every control inside is named after the label.
void nameAfter(QLabel *label, QWidget *content, const QString &context = {});

// The controls inside `content` that write its value: they carry its mark's
// words for assistive technology.
std::vector<QWidget *> markedControls(QWidget *content);

// A minimum is kept at or below the maximum beside it and the other way
// round, by the arrows and by typing alike, so a group write never sends a
// minimum above its maximum.
void keepOrdered(ValueEntry *low, ValueEntry *high);

// A choice into `field`; a choice no button stands for keeps the value it had.
void keepChoice(const OptionGroup *group, qint16 &field);
