#include "archive/ArchiveLog.h"

Q_LOGGING_CATEGORY(archiveLog, "tq5800.archive", QtInfoMsg)
