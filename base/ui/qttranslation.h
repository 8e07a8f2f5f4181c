#pragma once

// Qt's own texts (the standard buttons of message boxes, the file, colour,
// font and print dialogs) in the language of the program's texts.

#include "base/strings.h"

class QCoreApplication;

// Installs Qt's translation for `language` from Qt's translations folder into
// `app`, which owns it: qtbase_ja.qm for Japanese; for English Qt's texts are
// English already and qtbase_en.qm (plural forms) is added when present. False
// when the Japanese file is missing (Qt's texts then stay English; nothing
// else changes).
bool installQtTranslation(QCoreApplication &app, Language language);

// The same for Japanese.
bool installQtJapanese(QCoreApplication &app);
