#include "history/HistoryLog.h"

Q_LOGGING_CATEGORY(historyLog, "tq5800.history", QtInfoMsg)
