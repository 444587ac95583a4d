#pragma once

#include <QLoggingCategory>

// The history file's trace: opening, every stored sample (debug), and every
// recording episode that reaches the status display (warning).
// Turned on without a rebuild: QT_LOGGING_RULES="tq5800.history.debug=true".
Q_DECLARE_LOGGING_CATEGORY(historyLog)
