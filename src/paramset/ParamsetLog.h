#pragma once

#include <QLoggingCategory>

// Parameter sets: files refused, fresh reads, every download step.
// Turned on without a rebuild: QT_LOGGING_RULES="tq5800.paramset.debug=true".
Q_DECLARE_LOGGING_CATEGORY(paramsetLog)
