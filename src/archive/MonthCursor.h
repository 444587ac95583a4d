#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "archive/PeriodSample.h"

// The archive's samples within [fromMs, toMs) in time order, one month file
// after the other. A month file that cannot be read is passed over and
// named in skipped(); a missing one simply holds nothing. The rows go
// through SQLite's own statement interface: a month is millions of rows,
// and Qt's per-value variants would cost more than the rest of an export.
struct sqlite3_stmt;

class MonthCursor {
public:
    struct Skipped {
        QString name;
        QString reason;
    };

    MonthCursor(const QString& folder, int64_t fromMs, int64_t toMs);
    ~MonthCursor();
    MonthCursor(const MonthCursor&) = delete;
    MonthCursor& operator=(const MonthCursor&) = delete;

    const std::optional<PeriodSample>& current() const { return current_; }
    void advance();
    const std::vector<Skipped>& skipped() const { return skipped_; }

private:
    bool openNextMonth();
    bool prepare(const QString& path);
    void closeMonth();
    void skip(const QString& reason);

    QString folder_;
    int64_t fromMs_;
    int64_t toMs_;
    QStringList months_;  // file names still to read, oldest first
    QString monthName_;   // the one open now
    QString connectionName_;
    sqlite3_stmt* statement_ = nullptr;
    std::optional<PeriodSample> current_;
    std::vector<Skipped> skipped_;
};
