#include "trend/LiveAppend.h"

#include <limits>

#include "core/DateValue.h"
#include "trend/HistoryPlayback.h"
#include "instrument/InstrumentState.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

namespace {

constexpr int kLiveChannels = RegisterMap::kInputBlockSize;

void increment(int16_t& counter)
{
    if (counter < std::numeric_limits<int16_t>::max())
        ++counter;
}

} // namespace

LiveAppendResult appendLiveSample(TrendBuffers& buffers, HistoryPlayback& playback, const ZoomGeometry& zoom,
                                  const InstrumentState& state, const QDateTime& now)
{
    increment(buffers.markEnd);
    increment(buffers.curveEnd);
    bool reloaded = false;
    if (buffers.markEnd >= TrendBuffers::kLiveWindow + 20 * zoom.zoomLevel) {
        buffers.clear();
        playback.loadLiveWindow();
        reloaded = true;
    }

    // After a reload the newest record sits in slot 241 and the live sample
    // takes its place there.
    const int slot = buffers.curveEnd;
    if (slot >= 0 && slot < TrendBuffers::kSlots) {
        for (int ch = 0; ch < kLiveChannels; ++ch)
            buffers.trendValues[slot][ch] = state.measurement(RegisterMap::kInputBlockStart + ch);
        buffers.trendDates[slot] = DateValue::fromDate(now.date());
        buffers.trendTimes[slot] = DateValue::fromTime(now.time());
        // Seconds without an answer were not recorded: the sample after
        // them shows the gap at once, as the next load would.
        if (slot > 0)
            buffers.gapMarks[slot] =
                TrendGaps::isGap(buffers.trendTimes[slot - 1], buffers.trendTimes[slot]) ? int16_t(slot) : int16_t(0);
    }
    return reloaded ? LiveAppendResult::ReloadedAndAppended : LiveAppendResult::Appended;
}
