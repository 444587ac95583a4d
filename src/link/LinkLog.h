#pragma once

#include <QLoggingCategory>

// The link's trace: every request to the instrument and its outcome (debug),
// every failure episode that reaches the status display (warning).
// Turned on without a rebuild: QT_LOGGING_RULES="tq5800.link.debug=true".
Q_DECLARE_LOGGING_CATEGORY(linkLog)
