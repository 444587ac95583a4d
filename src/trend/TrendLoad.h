#pragma once

#include <cstdint>
#include <optional>

#include <QSqlDatabase>
#include <QString>

struct TrendBuffers;
struct TrendWindow;

// Sets slots 0..321 of trendDates and trendTimes and channels 0..8 of
// trendValues to 0. Channel 9 and slot 322 keep what they hold: the ruler
// shows channel 9 of an earlier load in slots a short load leaves empty.
void ClearTrendBuffers(TrendBuffers& buffers);

struct LoadResult {
    bool queryOk = false;
    int records = 0;  // records put into the buffers
    QString error;
};

// Fills slots 1..windowSize with the windowSize records ending at
// windowEnd, oldest first, sets windowStart and marks the gaps: a slot
// whose time of day differs from the slot before by more than 5 minutes
// (also across midnight, and slot 1 against the empty slot 0). Slots the
// query leaves over keep the cleared zeros. Leaves markEnd, curveEnd and
// loadedCount to the caller; the first visible sample for the date and
// time header is slot markOffset + 1.
LoadResult LoadTrendWindow(TrendBuffers& buffers, TrendWindow& window, const QSqlDatabase& db);

// Position 0 of sl_void; empty when it cannot be read.
std::optional<int32_t> readLatestId(const QSqlDatabase& db);

// Whether any record numbered above id is stored: true once the ring has
// passed 65500 at least once (read at the moment id is the newest).
std::optional<bool> hasRecordsAbove(const QSqlDatabase& db, int32_t id);
