#pragma once

#include <cstdint>

#include <QString>

// Which records of the ring a load fetches. Record numbers run 1..65500 and
// then start again at 1, so a window of windowSize records ending at
// windowEnd may wrap from 1 back to the top of the ring.
struct TrendWindow {
    int32_t latestId = 0;     // newest record at the last live load; pages count back from it
    int32_t windowEnd = 0;    // newest record of the window to load
    int32_t windowSize = 241; // records to load: 241 (live) or 321 (history page)
    int32_t windowStart = 0;  // record just below the oldest of the window
};

namespace TrendWindowMath {

bool wraps(int32_t windowEnd, int32_t windowSize);
int32_t windowStart(int32_t windowEnd, int32_t windowSize);

// The query that fetches the window, oldest first.
//   no wrap: "select * from  pv_data where w_id  between " + (windowStart + 1)
//            + " and " + windowEnd + " order by w_date,w_time"
//   wrapped: "select * from  pv_data where w_id not between " + (windowEnd + 1)
//            + " and " + windowStart + " order by w_date,w_time "
// SQLite takes BETWEEN bounds in their written order only, so the no-wrap
// form names the lower bound first (upper first would select nothing).
QString queryText(int32_t windowEnd, int32_t windowSize);

// The newest record of history page p (p >= 1): 60 x p records before
// latestId, counted back around the ring when that passes record 1.
int32_t pageEnd(int32_t latestId, int32_t page);

} // namespace TrendWindowMath
