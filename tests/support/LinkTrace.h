#pragma once

#include <QLoggingCategory>

#include "support/LogLines.h"

// What the link traces while this lives, from whichever thread, with its
// debug lines turned on as QT_LOGGING_RULES would.
class LinkTrace : public LogLines {
public:
    LinkTrace()
        : LogLines("tq5800.link")
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tq5800.link.debug=true"));
    }
    ~LinkTrace() { QLoggingCategory::setFilterRules(QString()); }
};
