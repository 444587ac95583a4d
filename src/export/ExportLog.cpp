#include "export/ExportLog.h"

Q_LOGGING_CATEGORY(exportLog, "tq5800.export", QtInfoMsg)
