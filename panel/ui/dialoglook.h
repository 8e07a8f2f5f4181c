#pragma once

// The look the panel's small dialogs share, from the string table: the font
// "ＭＳ Ｐゴシック" (521), the button-face background (522), label text
// (524) and field background (525).

class QWidget;

void applyDialogLook(QWidget &dialog);
