#include "widgets/WindowLog.h"

Q_LOGGING_CATEGORY(windowLog, "tq5800.windows", QtInfoMsg)
