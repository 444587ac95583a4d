#pragma once

#include <QLoggingCategory>

// The archive store: month files opened, batches written at debug level,
// failure episodes, back-fills and removed months as warnings or info.
Q_DECLARE_LOGGING_CATEGORY(archiveLog)
