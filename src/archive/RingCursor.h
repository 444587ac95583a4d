#pragma once

#include <cstdint>
#include <optional>

#include <QSqlQuery>
#include <QString>

#include "archive/PeriodSample.h"

// The ring's records within [fromMs, toMs) in time order, one at a time.
// Sorted by their date and time rather than record number, so the wrap from
// 65500 to 1 needs no special case. Opens the history file read-only on a
// connection of its own, used only by the thread that made the cursor.
class RingCursor {
public:
    RingCursor(const QString& path, int64_t fromMs, int64_t toMs);
    ~RingCursor();
    RingCursor(const RingCursor&) = delete;
    RingCursor& operator=(const RingCursor&) = delete;

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }

    // The current sample; empty once the records are used up (or failed).
    const std::optional<PeriodSample>& current() const { return current_; }
    void advance();

private:
    QString connectionName_;
    int64_t fromMs_;
    int64_t toMs_;
    QSqlQuery query_;
    std::optional<PeriodSample> current_;
    QString error_;
};
