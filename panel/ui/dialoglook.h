#pragma once

// What the panel's small dialogs share: the look from the string table (the
// font "ＭＳ Ｐゴシック" (521), the button-face background (522), label text
// (524) and field background (525)), the colour choice and the OK / Cancel
// frame of the property dialogs.

#include <QtGlobal>

class Dialogs;
class QDialog;
class QLayout;
class QPushButton;
class QWidget;

void applyDialogLook(QWidget &dialog);

// The colour dialog, opened on `colour` (0x00BBGGRR). Returns whether a
// colour was chosen; `colour` then holds it.
bool chooseColour(Dialogs &dialogs, qint32 &colour);

// `fields` above OK (the default button, "cmdOK") and Cancel ("cmdCancel",
// which rejects the dialog) at the lower right.
struct OkCancel
{
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};
OkCancel layOutWithOkCancel(QDialog &dialog, QLayout *fields);
