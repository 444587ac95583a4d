#pragma once

#include <QLoggingCategory>

// The start-up's trace: the options in effect (info), so a log shows which
// file and which line a station worked on.
// Silenced without a rebuild: QT_LOGGING_RULES="tq5800.app.info=false".
Q_DECLARE_LOGGING_CATEGORY(appLog)
