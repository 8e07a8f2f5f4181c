#pragma once

#include <QLoggingCategory>

// The search's logging, silent unless QT_LOGGING_RULES switches it on.
Q_DECLARE_LOGGING_CATEGORY(lcSearch)
