#include "paramset/ParamsetLog.h"

Q_LOGGING_CATEGORY(paramsetLog, "tq5800.paramset", QtInfoMsg)
