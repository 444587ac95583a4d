#include "trend/TrendLoad.h"

#include <algorithm>

#include <QSqlError>
#include <QSqlQuery>

#include "history/HistoryTables.h"
#include "trend/TrendBuffers.h"
#include "trend/TrendWindow.h"

namespace {

constexpr int kLoadedChannels = 10;   // channels 0..9 from columns 3..12

// A field that is null or missing leaves the slot as it is.
template <typename T>
void readField(const QSqlQuery& q, int position, T& target)
{
    const QVariant v = q.value(position);
    if (v.isValid() && !v.isNull())
        target = static_cast<T>(v.toDouble());
}

} // namespace

LoadResult loadTrendWindow(TrendBuffers& buffers, TrendWindow& window, const QSqlDatabase& db)
{
    buffers.clear();
    std::fill_n(buffers.gapMarks.begin(), TrendBuffers::kClearedSlots, int16_t{0});
    window.windowStart = TrendWindowMath::windowStart(window.windowEnd, window.windowSize);

    LoadResult result;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (db.isOpen()) {
        result.queryOk = q.exec(TrendWindowMath::queryText(window.windowEnd, window.windowSize));
        if (!result.queryOk)
            result.error = q.lastError().text();
    } else {
        result.error = QStringLiteral("the history database is not open");
    }
    bool onRecord = result.queryOk && q.next();

    const int last = std::min(window.windowSize, TrendBuffers::kSlots - 1);
    for (int i = 1; i <= last; ++i) {
        if (onRecord) {
            readField(q, 1, buffers.trendDates[i]);
            readField(q, 2, buffers.trendTimes[i]);
            for (int ch = 0; ch < kLoadedChannels; ++ch)
                readField(q, HistoryTables::kFirstValueColumn + ch, buffers.trendValues[i][ch]);
            ++result.records;
        }
        // Also past the last record: the first empty slot after a record
        // gets a gap mark, which shows where the data ends.
        if (TrendGaps::isGap(buffers.trendTimes[i - 1], buffers.trendTimes[i]))
            buffers.gapMarks[i] = static_cast<int16_t>(i);
        if (onRecord)
            onRecord = q.next();
    }
    q.finish();
    return result;
}

std::optional<int32_t> readLatestId(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!db.isOpen() || !q.exec(HistoryTables::kPointerQuery) || !q.next())
        return std::nullopt;
    return HistoryTables::recordNumberAt(q);
}

std::optional<bool> hasRecordsAbove(const QSqlDatabase& db, int32_t id)
{
    QSqlQuery q(db);
    if (!db.isOpen() || !q.prepare(QStringLiteral("select 1 from pv_data where w_id > ? limit 1")))
        return std::nullopt;
    q.addBindValue(id);
    if (!q.exec())
        return std::nullopt;
    return q.next();
}
