#include "link/LinkLog.h"

Q_LOGGING_CATEGORY(linkLog, "tq5800.link", QtInfoMsg)
