#include "trend/ChartNavigator.h"

#include <algorithm>

#include "core/DateValue.h"
#include "trend/TrendBuffers.h"
#include "core/WholeNumber.h"
#include "trend/ZoomGeometry.h"

namespace {

constexpr int16_t kNearest = 1;
constexpr int16_t kFarthest = 4;

// Every slider position lands inside the buffers at every zoom level; the
// clamp only guards against a geometry nobody sets.
int slotWithin(double slot)
{
    return std::clamp(static_cast<int>(roundHalfEven(slot)), 0, TrendBuffers::kSlots - 1);
}

} // namespace

ChartNavigator::ChartNavigator(const TrendBuffers& buffers, ZoomGeometry& zoom, HistoryPlayback& playback)
    : buffers_(buffers)
    , zoom_(zoom)
    , playback_(playback)
{
}

bool ChartNavigator::keyAccepted(Qt::Key key) const
{
    switch (key) {
    case Qt::Key_F1: return zoomOutEnabled();
    case Qt::Key_F2: return zoomInEnabled();
    case Qt::Key_F3:
    case Qt::Key_F4:
    case Qt::Key_F5:
    case Qt::Key_Escape: return true;
    case Qt::Key_F6: return playback_.pageCount > 0;
    case Qt::Key_F7: return !playback_.atOldest;
    default: return false;
    }
}

bool ChartNavigator::zoomInEnabled() const
{
    return zoom_.zoomLevel > kNearest;
}

bool ChartNavigator::zoomOutEnabled() const
{
    return zoom_.zoomLevel < kFarthest;
}

bool ChartNavigator::zoomIn()
{
    if (!zoomInEnabled())
        return false;
    --zoom_.zoomLevel;
    zoom_.apply();
    return true;
}

bool ChartNavigator::zoomOut()
{
    if (!zoomOutEnabled())
        return false;
    ++zoom_.zoomLevel;
    zoom_.apply();
    return true;
}

int ChartNavigator::sliderStep() const
{
    return static_cast<int>(roundHalfEven(zoom_.markStep));
}

void ChartNavigator::switchRulerOn()
{
    rulerMark = RulerMark::switchedOn();
    rulerOn = true;
}

void ChartNavigator::switchRulerOff()
{
    rulerMark = RulerMark::switchedOff();
    rulerOn = false;
    playback_.loadLiveWindow();
    playback_.liveRefreshRunning = true;
}

std::optional<HistoryPlayback::Outcome> ChartNavigator::rulerMoved(int v)
{
    std::optional<HistoryPlayback::Outcome> paged;
    if (v == kSliderFirst && !playback_.atOldest)
        paged = pageBack();
    else if (v == kSliderLast && playback_.pageCount > 0)
        paged = pageForward();
    rulerMark = RulerMark::at(v);
    return paged;
}

RulerReadOut ChartNavigator::readOut(int v) const
{
    // Both pairs are equal and their offsets whole, so the two slots agree;
    // dates follow the marker pair and values the curve pair, as drawn.
    RulerReadOut out;
    out.slot = slotWithin(roundHalfEven(v / static_cast<double>(zoom_.markStep)) + zoom_.markOffset);
    const int valueSlot = slotWithin(v / static_cast<double>(zoom_.curveStep) + zoom_.curveOffset);
    const auto s = static_cast<size_t>(out.slot);
    if (buffers_.holdsSample(s)) {
        out.date = DateValue::text(buffers_.trendDates[s]);
        out.time = DateValue::text(buffers_.trendTimes[s]);
    }
    if (buffers_.holdsSample(static_cast<size_t>(valueSlot))) {
        const auto& values = buffers_.trendValues[static_cast<size_t>(valueSlot)];
        out.values.emplace();
        std::copy_n(values.begin(), RulerReadOut::kChannels, out.values->begin());
    }
    return out;
}

HistoryPlayback::Outcome ChartNavigator::pageBack()
{
    return playback_.pageBack();
}

HistoryPlayback::Outcome ChartNavigator::pageForward()
{
    const HistoryPlayback::Outcome outcome = playback_.pageForward();
    // The ruler may have brought back the live window with pages still
    // counted; a page shown again must not take live samples on top.
    if (outcome == HistoryPlayback::Outcome::PageLoaded)
        playback_.liveRefreshRunning = false;
    return outcome;
}

bool ChartNavigator::liveRefreshRunning() const
{
    return !rulerOn && playback_.liveRefreshRunning;
}
