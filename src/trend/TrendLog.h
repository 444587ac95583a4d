#pragma once

#include <QLoggingCategory>

// The chart's trace: windows and pages loaded from the history file, zoom
// and paging (debug), and loads that fail (warning).
// Turned on without a rebuild: QT_LOGGING_RULES="tq5800.trend.debug=true".
Q_DECLARE_LOGGING_CATEGORY(trendLog)
