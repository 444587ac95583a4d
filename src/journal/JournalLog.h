#pragma once

#include <QLoggingCategory>

// The journal file's trace: opening, every event appended (debug), and every
// episode of a file that cannot be written (warning).
// Turned on without a rebuild: QT_LOGGING_RULES="tq5800.journal.debug=true".
Q_DECLARE_LOGGING_CATEGORY(journalLog)
