#include "trend/HistorySelect.h"

#include <cmath>

#include <QSqlQuery>
#include <QVariant>

#include "core/DateValue.h"
#include "history/HistoryTables.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

namespace HistorySelect {

std::optional<int32_t> nearestRecord(const QSqlDatabase& db, const QDateTime& when)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select w_id from pv_data order by abs((w_date + w_time) - ?) limit 1"));
    query.addBindValue(DateValue::fromDateTime(when));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toInt();
}

int16_t pageShowing(int32_t latestId, int32_t recordId, const ZoomGeometry& zoom)
{
    // How many records the chosen one lies before the newest, around the ring.
    int32_t back = latestId - recordId;
    if (back < 0)
        back += HistoryTables::kRingSize;

    // The live window holds the newest record in slot 241 and shows slots
    // from markOffset + 1 on.
    constexpr int32_t kLastDataSlot = 240;
    if (back <= kLastDataSlot - zoom.markOffset)
        return 0;

    // On page p the record sits in slot 321 - back + 60 p; aim for the
    // middle of the data area.
    const int32_t target = (zoom.markOffset + 1 + kLastDataSlot) / 2;
    const double page = (target - TrendBuffers::kHistoryPage + back) / static_cast<double>(HistoryPlayback::kPageStep);
    return static_cast<int16_t>(std::max<long>(1, std::lround(page)));
}

HistoryPlayback::Outcome showMoment(HistoryPlayback& playback, const QSqlDatabase& db, const QDateTime& when,
                                    const ZoomGeometry& zoom)
{
    const auto record = nearestRecord(db, when);
    if (!record)
        return HistoryPlayback::Outcome::Refused;
    // Counted from the newest record stored now, not the one of the last
    // live reload: a moment recorded since would otherwise count as one
    // most of the ring back. Kept only if the moment is shown.
    const auto before = playback.view();
    if (const auto latest = readLatestId(db)) {
        playback.window.latestId = *latest;
        playback.ringWrapped = hasRecordsAbove(db, *latest).value_or(playback.ringWrapped);
    }
    const int16_t page = pageShowing(playback.window.latestId, *record, zoom);
    const auto shown = [&](HistoryPlayback::Outcome outcome) {
        if (outcome == HistoryPlayback::Outcome::Failed)
            playback.restore(*before);
        return outcome;
    };
    if (page == 0) {
        // From live too: the newest records, the chosen one among them.
        playback.pageCount = 1;
        return shown(playback.pageForward());
    }
    // A page beyond the oldest is refused before anything changes: unlike
    // one step of paging back, its neighbours towards the present may lie
    // beyond the oldest too, and F6 must never load one of those.
    if (!playback.pageAvailable(page)) {
        playback.restore(*before);
        return HistoryPlayback::Outcome::Refused;
    }
    // Entered as one more step of paging back, so the buttons and the live
    // refresh behave as they do there.
    playback.pageCount = static_cast<int16_t>(page - 1);
    return shown(playback.pageBack());
}

} // namespace HistorySelect
