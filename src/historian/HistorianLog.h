#pragma once

#include <QLoggingCategory>

// The forwarder to the central server: failure episodes and their end as
// warnings and info, batches at debug level. Never a password.
Q_DECLARE_LOGGING_CATEGORY(historianLog)
