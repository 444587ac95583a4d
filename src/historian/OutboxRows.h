#pragma once

#include <optional>

#include <QList>
#include <QString>

// Rows as the station's files hold them, on their way to the server.
struct OutboxSample {
    qint64 timeUtcMs = 0;
    int utcOffset = 0;
    double pv = 0, op = 0, sv = 0;
    std::optional<int> alarmBits;
    std::optional<int> coilBits;
    std::optional<int> address;
};

struct OutboxEvent {
    qint64 id = 0;
    QString timeUtc;  // the journal's fixed-width UTC text
    int utcOffset = 0;
    QString kind, source, what, oldValue, newValue, outcome, message, userName, host, origin;
};
