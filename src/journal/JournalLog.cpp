#include "journal/JournalLog.h"

Q_LOGGING_CATEGORY(journalLog, "tq5800.journal", QtInfoMsg)
