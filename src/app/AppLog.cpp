#include "app/AppLog.h"

Q_LOGGING_CATEGORY(appLog, "tq5800.app", QtInfoMsg)
