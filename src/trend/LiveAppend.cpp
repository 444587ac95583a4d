#include "trend/LiveAppend.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "history/SampleWriter.h"
#include "instrument/RegisterMap.h"
#include "trend/HistoryPlayback.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

namespace {

constexpr int kLiveChannels = RegisterMap::kInputBlockSize;

void increment(int16_t& counter)
{
    if (counter < std::numeric_limits<int16_t>::max())
        ++counter;
}

// Whether the newest sample shown is at least as new as this one. Dates and
// times compare as the file orders its records.
bool alreadyShown(const TrendBuffers& buffers, const Sample& sample)
{
    const auto newest = static_cast<size_t>(buffers.curveEnd);
    if (!buffers.holdsSample(newest))
        return false;
    return std::pair(buffers.trendDates[newest], buffers.trendTimes[newest]) >= std::pair(sample.date, sample.time);
}

// What a reload would have done, from memory: the newest sample moves to
// slot 241 and the older ones with it; what falls off the left is dropped.
void moveToLiveEdge(TrendBuffers& buffers)
{
    const int shift = buffers.curveEnd - TrendBuffers::kLiveWindow;
    if (shift <= 0)
        return;
    for (int slot = 1; slot < TrendBuffers::kClearedSlots; ++slot) {
        const auto to = static_cast<size_t>(slot);
        const auto from = static_cast<size_t>(slot + shift);
        const bool inside = slot + shift < TrendBuffers::kClearedSlots;
        buffers.trendDates[to] = inside ? buffers.trendDates[from] : 0.0;
        buffers.trendTimes[to] = inside ? buffers.trendTimes[from] : 0.0;
        buffers.gapMarks[to] = inside && buffers.gapMarks[from] > 0 ? int16_t(slot) : int16_t(0);
        buffers.trendValues[to] = inside ? buffers.trendValues[from] : decltype(buffers.trendValues)::value_type{};
    }
    // The oldest sample left now borders on an empty slot or on one that
    // was never its neighbour in time: the same rule as a load.
    for (int slot = 1; slot <= TrendBuffers::kLiveWindow; ++slot) {
        const auto at = static_cast<size_t>(slot);
        if (buffers.holdsSample(at) && TrendGaps::isGap(buffers.trendTimes[at - 1], buffers.trendTimes[at]))
            buffers.gapMarks[at] = static_cast<int16_t>(slot);
    }
    buffers.markEnd = buffers.curveEnd = TrendBuffers::kLiveWindow;
}

} // namespace

LiveAppendResult appendLiveSample(TrendBuffers& buffers, HistoryPlayback& playback, const ZoomGeometry& zoom,
                                  const Sample& sample)
{
    LiveAppendResult result;
    if (alreadyShown(buffers, sample)) {
        result.outcome = LiveAppendResult::Outcome::AlreadyShown;
        return result;
    }
    if (buffers.markEnd + 1 >= TrendBuffers::kLiveWindow + 20 * zoom.zoomLevel) {
        const auto before = playback.view();
        const LoadResult loaded = playback.loadLiveWindow();
        if (loaded.queryOk) {
            result.outcome = LiveAppendResult::Outcome::Reloaded;
            // The file holds every sample it stored up to now; one it could
            // not store follows the newest record.
            if (alreadyShown(buffers, sample))
                return result;
        } else {
            playback.restore(*before);
            moveToLiveEdge(buffers);
            result.outcome = LiveAppendResult::Outcome::ReloadFailed;
            result.loadError = loaded.error;
        }
    }

    increment(buffers.markEnd);
    increment(buffers.curveEnd);
    const int slot = buffers.curveEnd;
    if (slot <= 0 || slot >= TrendBuffers::kSlots)
        return result;
    const auto at = static_cast<size_t>(slot);
    for (int ch = 0; ch < kLiveChannels; ++ch)
        buffers.trendValues[at][static_cast<size_t>(ch)] = sample.values[static_cast<size_t>(ch)];
    buffers.trendDates[at] = sample.date;
    buffers.trendTimes[at] = sample.time;
    // Seconds without an answer were not recorded: the sample after them
    // shows the gap at once, as the next load would.
    buffers.gapMarks[at] =
        TrendGaps::isGap(buffers.trendTimes[at - 1], buffers.trendTimes[at]) ? int16_t(slot) : int16_t(0);
    return result;
}
