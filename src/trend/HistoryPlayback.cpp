#include "trend/HistoryPlayback.h"

#include <limits>

#include "history/HistoryTables.h"
#include "trend/TrendBuffers.h"
#include "trend/TrendLog.h"

HistoryPlayback::HistoryPlayback(TrendBuffers& buffers, HistoryDatabase& database)
    : buffers_(buffers)
    , database_(database)
{
}

QSqlDatabase HistoryPlayback::db()
{
    database_.followFileAtPath();
    return database_.database();
}

namespace {

LoadResult logged(const LoadResult& result, const char* what, const TrendWindow& window)
{
    if (!result.queryOk)
        qCWarning(trendLog) << what << "ending at record" << window.windowEnd << "not loaded:" << result.error;
    else
        qCDebug(trendLog) << what << "loaded:" << result.records << "records ending at record" << window.windowEnd;
    return result;
}

} // namespace

LoadResult HistoryPlayback::loadLiveWindow()
{
    const QSqlDatabase database = db();
    if (const auto latest = readLatestId(database))
        window.latestId = *latest;
    // Read right after the pointer, before the recorder's next tick can add
    // a record above it: only a ring that has wrapped holds one then.
    ringWrapped = hasRecordsAbove(database, window.latestId).value_or(false);

    window.windowEnd = window.latestId;
    window.windowSize = buffers_.loadedCount = TrendBuffers::kLiveWindow;
    buffers_.markEnd = buffers_.curveEnd = TrendBuffers::kLiveWindow;
    return logged(loadTrendWindow(buffers_, window, database), "live window", window);
}

bool HistoryPlayback::pageAvailable(int32_t page) const
{
    const int32_t back = kPageStep * page;
    // A wrapped ring holds its whole length: the oldest record is the one
    // after the newest, and a page may cross the wrap until it reaches it.
    if (ringWrapped)
        return back + TrendBuffers::kHistoryPage <= HistoryTables::kRingSize;
    return window.latestId - back > TrendBuffers::kHistoryPage;
}

struct HistoryPlayback::View {
    TrendBuffers buffers;
    TrendWindow window;
    int16_t pageCount;
    bool atOldest, ringWrapped, pageBackEnabled, pageForwardEnabled, liveRefreshRunning;
};

std::shared_ptr<const HistoryPlayback::View> HistoryPlayback::view() const
{
    return std::make_shared<const View>(View{buffers_, window, pageCount, atOldest, ringWrapped, pageBackEnabled,
                                             pageForwardEnabled, liveRefreshRunning});
}

void HistoryPlayback::restore(const View& view)
{
    buffers_ = view.buffers;
    window = view.window;
    pageCount = view.pageCount;
    atOldest = view.atOldest;
    ringWrapped = view.ringWrapped;
    pageBackEnabled = view.pageBackEnabled;
    pageForwardEnabled = view.pageForwardEnabled;
    liveRefreshRunning = view.liveRefreshRunning;
}

HistoryPlayback::Outcome HistoryPlayback::loaded(const LoadResult& result, const View& before, Outcome success)
{
    if (result.queryOk)
        return success;
    // An empty chart counted as a page would pass for a time without data.
    restore(before);
    loadError_ = result.error;
    return Outcome::Failed;
}

HistoryPlayback::Outcome HistoryPlayback::pageBack()
{
    const auto before = view();
    if (pageCount < std::numeric_limits<int16_t>::max())
        ++pageCount;
    if (pageCount >= 1) {
        liveRefreshRunning = false;
        pageForwardEnabled = true;
    }
    if (!pageAvailable(pageCount)) {
        pageBackEnabled = false;
        atOldest = true;
        return Outcome::Refused;
    }
    return loaded(loadPage(), *before, Outcome::PageLoaded);
}

HistoryPlayback::Outcome HistoryPlayback::pageForward()
{
    const auto before = view();
    if (pageCount > std::numeric_limits<int16_t>::min())
        --pageCount;
    if (pageCount != 0) {
        if (loaded(loadPage(), *before, Outcome::PageLoaded) == Outcome::Failed)
            return Outcome::Failed;
        pageBackEnabled = true;
        atOldest = false;
        return Outcome::PageLoaded;
    }
    if (loaded(loadLiveWindow(), *before, Outcome::LiveLoaded) == Outcome::Failed)
        return Outcome::Failed;
    pageForwardEnabled = false;
    liveRefreshRunning = true;
    // Back in live mode the history has grown meanwhile: a refusal at the
    // oldest page must not leave paging back dead for the rest of the run.
    pageBackEnabled = true;
    atOldest = false;
    return Outcome::LiveLoaded;
}

LoadResult HistoryPlayback::loadPage()
{
    // Only a page that is loaded changes the buffers' size: after a refusal
    // they still hold the live window, and the time axis must read it so.
    window.windowEnd = TrendWindowMath::pageEnd(window.latestId, pageCount);
    window.windowSize = buffers_.loadedCount = TrendBuffers::kHistoryPage;
    buffers_.markEnd = buffers_.curveEnd = TrendBuffers::kHistoryPage;
    return logged(loadTrendWindow(buffers_, window, db()), "history page", window);
}
