#include "trend/TrendLog.h"

Q_LOGGING_CATEGORY(trendLog, "tq5800.trend", QtInfoMsg)
