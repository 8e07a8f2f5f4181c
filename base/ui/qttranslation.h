#pragma once

// Qt's own texts (the standard buttons of message boxes, the file, colour,
// font and print dialogs) in Japanese, like every text of the program.

class QCoreApplication;

// Installs Qt's Japanese translation (qtbase_ja.qm from Qt's translations
// folder) into `app`, which owns it. False when the file is missing (Qt's
// texts then stay English; nothing else changes).
bool installQtJapanese(QCoreApplication &app);
