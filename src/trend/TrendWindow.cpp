#include "trend/TrendWindow.h"

#include "history/HistoryTables.h"

namespace TrendWindowMath {

namespace {
constexpr int32_t kRing = HistoryTables::kRingSize;
constexpr int32_t kPageStep = 60;
}

bool wraps(int32_t windowEnd, int32_t windowSize)
{
    return windowEnd < windowSize;
}

int32_t windowStart(int32_t windowEnd, int32_t windowSize)
{
    return wraps(windowEnd, windowSize) ? kRing - (windowSize - windowEnd) : windowEnd - windowSize;
}

QString queryText(int32_t windowEnd, int32_t windowSize)
{
    const int32_t start = windowStart(windowEnd, windowSize);
    if (!wraps(windowEnd, windowSize))
        return QStringLiteral("select * from  pv_data where w_id  between ") + QString::number(start + 1)
            + QStringLiteral(" and ") + QString::number(windowEnd) + QStringLiteral(" order by w_date,w_time");
    return QStringLiteral("select * from  pv_data where w_id not between ") + QString::number(windowEnd + 1)
        + QStringLiteral(" and ") + QString::number(start) + QStringLiteral(" order by w_date,w_time ");
}

int32_t pageEnd(int32_t latestId, int32_t page)
{
    const int32_t back = kPageStep * page;
    return latestId > back ? latestId - back : kRing - (back - latestId);
}

} // namespace TrendWindowMath
