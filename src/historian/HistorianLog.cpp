#include "historian/HistorianLog.h"

Q_LOGGING_CATEGORY(historianLog, "tq5800.historian", QtInfoMsg)
