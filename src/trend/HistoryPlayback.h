#pragma once

#include <cstdint>
#include <memory>

#include <QSqlDatabase>

#include "history/HistoryDatabase.h"
#include "trend/TrendLoad.h"
#include "trend/TrendWindow.h"

struct TrendBuffers;

// The data side of live and history display: the live window load and
// paging, F7 ("F7 右移", back into the past) and F6 ("F6 左移", towards the
// present). It changes state only; the main window mirrors the flags in its
// buttons and live refresh timer and redraws the chart after every call
// that loaded something.
class HistoryPlayback {
public:
    static constexpr int32_t kPageStep = 60;

    enum class Outcome {
        Refused,     // no page loaded; the chart keeps what it shows
        PageLoaded,  // a history page of 321 records
        LiveLoaded,  // back in live mode with the 241 newest records
        Failed,      // the query failed: everything as before, see loadError
    };

    // Everything paging changes, to put back when a load fails.
    struct View;

    // Queries go through the owner's connection as it is at each load,
    // after it has followed the file now at its path.
    HistoryPlayback(TrendBuffers& buffers, HistoryDatabase& database);

    TrendWindow window;
    int16_t pageCount = 0;     // 0 in live mode, pages stepped back otherwise
    bool atOldest = false;     // once paging back was refused
    bool ringWrapped = false;  // as found by the last live load

    // What the main window's controls show.
    bool pageBackEnabled = true;      // "F7 右移"
    bool pageForwardEnabled = false;  // "F6 左移", disabled at start-up
    bool liveRefreshRunning = true;   // the main window's live refresh

    // Reads the newest record number (keeping the previous one when it
    // cannot be read) and loads the 241 records up to it; counters 241.
    LoadResult loadLiveWindow();

    // F7: one page further back. In a ring that has never been filled (no
    // record above latestId is stored) refused when a full page would reach
    // below record 1; in a wrapped ring it crosses the wrap and is refused
    // only where a page would reach past the oldest record, the one after
    // latestId.
    Outcome pageBack();
    // F6: one page towards the present, back to live mode from page 1.
    Outcome pageForward();

    // Whether page p can be shown, by the rule pageBack applies.
    bool pageAvailable(int32_t page) const;

    // The reason of the last Failed.
    const QString& loadError() const { return loadError_; }
    std::shared_ptr<const View> view() const;
    void restore(const View& view);

private:
    LoadResult loadPage();
    QSqlDatabase db();

    // Loads as pageBack or pageForward wants it; on a failed query puts
    // back what was shown and counted before.
    Outcome loaded(const LoadResult& result, const View& before, Outcome success);

    TrendBuffers& buffers_;
    HistoryDatabase& database_;
    QString loadError_;
};
