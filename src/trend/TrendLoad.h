#pragma once

#include <cstdint>
#include <optional>

#include <QSqlDatabase>
#include <QString>

struct TrendBuffers;
struct TrendWindow;

struct LoadResult {
    bool queryOk = false;
    int records = 0;  // records put into the buffers
    QString error;
};

// Fills slots up to windowSize with the windowSize records ending at
// windowEnd, oldest first and the newest in slot windowSize, sets
// windowStart and marks the gaps: a slot whose time of day is further from
// the slot before than TrendGaps allows (also across midnight, and the
// oldest record against the empty slot before it). With fewer records (a
// young file) the slots before the oldest keep the cleared zeros. Leaves markEnd, curveEnd and
// loadedCount to the caller; the first visible sample for the date and
// time header is slot markOffset + 1.
LoadResult loadTrendWindow(TrendBuffers& buffers, TrendWindow& window, const QSqlDatabase& db);

// Position 0 of sl_void; empty when it cannot be read.
std::optional<int32_t> readLatestId(const QSqlDatabase& db);

// Whether any record numbered above id is stored: true once the ring has
// passed 65500 at least once (read at the moment id is the newest).
std::optional<bool> hasRecordsAbove(const QSqlDatabase& db, int32_t id);
