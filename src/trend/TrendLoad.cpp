#include "trend/TrendLoad.h"

#include <algorithm>
#include <array>
#include <vector>

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
    // Read first, placed after: only the count says where the oldest goes.
    struct Record {
        double date = 0.0, time = 0.0;
        std::array<float, kLoadedChannels> values{};
    };
    const int last = std::min(window.windowSize, TrendBuffers::kSlots - 1);
    std::vector<Record> records;
    records.reserve(static_cast<size_t>(last));
    while (result.queryOk && static_cast<int>(records.size()) < last && q.next()) {
        Record r;
        readField(q, 1, r.date);
        readField(q, 2, r.time);
        for (int ch = 0; ch < kLoadedChannels; ++ch)
            readField(q, HistoryTables::kFirstValueColumn + ch, r.values[static_cast<size_t>(ch)]);
        records.push_back(r);
    }
    result.records = static_cast<int>(records.size());

    const int first = last - result.records + 1;
    for (int i = first; i <= last; ++i) {
        const Record& r = records[static_cast<size_t>(i - first)];
        const auto slot = static_cast<size_t>(i);
        buffers.trendDates[slot] = r.date;
        buffers.trendTimes[slot] = r.time;
        std::copy(r.values.begin(), r.values.end(), buffers.trendValues[slot].begin());
        if (TrendGaps::isGap(buffers.trendTimes[slot - 1], buffers.trendTimes[slot]))
            buffers.gapMarks[slot] = static_cast<int16_t>(i);
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
