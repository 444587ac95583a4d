#pragma once

#include <cstdint>
#include <optional>

#include <QDateTime>
#include <QSqlDatabase>

#include "trend/HistoryPlayback.h"

struct ZoomGeometry;

// "F5 选择": show the history page that holds a chosen moment. The page is
// one of the pages paging steps through (60 records apart), picked so the
// chosen record lies in the middle of the data area, and it is entered
// exactly as paging back enters a page, refusals included.
namespace HistorySelect {

// The stored record whose date and time lie nearest to `when`; empty when
// the table is empty or cannot be read.
std::optional<int32_t> nearestRecord(const QSqlDatabase& db, const QDateTime& when);

// The page on which record `recordId` lies nearest the middle of the data
// area at this zoom level; 0 when the live window already shows it.
int16_t pageShowing(int32_t latestId, int32_t recordId, const ZoomGeometry& zoom);

// Finds the record nearest `when` and shows its page (or the live window).
// Refused when no record is stored or the page lies beyond the oldest.
HistoryPlayback::Outcome showMoment(HistoryPlayback& playback, const QSqlDatabase& db, const QDateTime& when,
                                    const ZoomGeometry& zoom);

} // namespace HistorySelect
