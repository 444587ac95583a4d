#pragma once

#include <QLoggingCategory>

// Both windows' trace: operator commands and entries, refusals and write
// failures shown in the status bar (warning).
// Turned on without a rebuild: QT_LOGGING_RULES="tq5800.windows.debug=true".
Q_DECLARE_LOGGING_CATEGORY(windowLog)
