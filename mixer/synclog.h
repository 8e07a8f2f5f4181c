#pragma once

// Logging of the status poll and the verified writes; silent unless switched
// on with QT_LOGGING_RULES="zkvr.mixer.sync.debug=true".

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMixerSync)
