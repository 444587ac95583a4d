#include "trend/ChartDrawing.h"

#include <cmath>

#include "core/DateValue.h"
#include "trend/TrendBuffers.h"
#include "core/WholeNumber.h"
#include "trend/ZoomGeometry.h"

namespace {

constexpr int kGridBottom = 7500;
constexpr int kDataAreaEnd = 9000;
constexpr int kGapMarkerBottom = 9000;  // below the surface: clipped, as intended
constexpr int kOpZeroAbove = 625;       // OP 0 % lies this far above the bottom
constexpr double kOpUnitsPerPercent = 62.5;
// Ten seconds as a day fraction, derived from five minutes written to eight
// places; the extrapolated labels depend on this exact rounding (one zoom
// level = ten seconds between two time labels).
constexpr double kTenSecondsApprox = 0.00347222 / 30;

int nearest(double value)
{
    return static_cast<int>(roundHalfEven(value));
}

using LineStyle = ChartCanvas::LineStyle;

} // namespace

void drawGrid(ChartCanvas& canvas)
{
    const int w = canvas.width();
    const int h = canvas.height();
    canvas.setPen(ChartColours::kGrid, 1, LineStyle::Dotted);
    canvas.setBackground(ChartColours::kBackground);
    canvas.line(0, 0, w, 0);
    canvas.line(0, kGridBottom, w, kGridBottom);
    for (int i = 0; i <= 24; ++i) {
        const int y = nearest(312.5 * i);
        canvas.line(0, y, w, y);
    }
    canvas.line(8, 0, 8, h);
    canvas.line(kDataAreaEnd, 0, kDataAreaEnd, h);
    for (int i = 0; i <= 32; ++i)
        canvas.line(375 * i, 0, 375 * i, h);
}

TimeAxisLabels timeAxisLabels(const TrendBuffers& buffers, const ZoomGeometry& zoom)
{
    TimeAxisLabels labels;
    for (int i = 0; i <= 8; ++i) {
        const auto k = static_cast<size_t>(i * zoom.zoomLevel * 10 + zoom.markOffset + 1);
        if (!buffers.holdsSample(k))
            continue;  // a time of 00:00:00 under no data would look recorded
        labels.times[static_cast<size_t>(i)] = DateValue::text(buffers.trendTimes[k]);
        labels.dates[static_cast<size_t>(i)] = DateValue::text(buffers.trendDates[k]);
    }

    // In a live window the slots of labels 7 and 8 still lie in the future:
    // name them from the newest record, assuming a sample per second.
    constexpr size_t newest = TrendBuffers::kLiveWindow;
    if (buffers.loadedCount < 320 && buffers.holdsSample(newest)) {
        const double steps[2] = {
            static_cast<float>(zoom.zoomLevel * kTenSecondsApprox),
            static_cast<float>(2 * zoom.zoomLevel * kTenSecondsApprox),
        };
        for (size_t n = 0; n < 2; ++n) {
            double time = buffers.trendTimes[newest] + steps[n];
            double date = buffers.trendDates[newest];
            if (time > 1) {  // past midnight
                date += 1;
                time -= 1;
            }
            labels.times[7 + n] = DateValue::text(time);
            labels.dates[7 + n] = DateValue::text(date);
        }
    }
    return labels;
}

int32_t yAxisOffsetFor(int16_t yAxisSpan, int16_t yAxisMin)
{
    if (yAxisMin == 0 || yAxisSpan == 0)
        return 0;
    const float scale = 7500.0f / static_cast<float>(yAxisSpan);
    return nearest(scale * static_cast<float>(yAxisMin));
}

TimeAxisLabels drawCurves(ChartCanvas& canvas, const TrendBuffers& buffers, const ZoomGeometry& zoom,
                          const ChartYRange& range)
{
    const TimeAxisLabels labels = timeAxisLabels(buffers, zoom);

    const int markerCount = 60 * zoom.zoomLevel + (buffers.markEnd - TrendBuffers::kLiveWindow);
    for (int i = 1; i <= markerCount; ++i) {
        const auto slot = static_cast<size_t>(i + zoom.markOffset);
        if (slot >= buffers.gapMarks.size() || buffers.gapMarks[slot] <= 0)
            continue;
        const int x = nearest(static_cast<double>(zoom.markStep * static_cast<float>(i)));
        canvas.setPen(ChartColours::kGapMarker, 1, LineStyle::Dashed);
        canvas.line(x, 0, x, kGapMarkerBottom);
    }

    // A span of 0 forms no scale: PV and SV then lie along the bottom edge.
    const float scale = range.span != 0 ? 7500.0f / static_cast<float>(range.span) : 0.0f;
    const int h = canvas.height();
    const int pvBase = h + yAxisOffsetFor(range.span, range.minimum);
    const auto pvY = [&](size_t slot, size_t channel) {
        return pvBase - nearest(static_cast<double>(scale * buffers.trendValues[slot][channel]));
    };
    const auto opY = [&](size_t slot) {
        return (h - kOpZeroAbove) - nearest(kOpUnitsPerPercent * buffers.trendValues[slot][1]);
    };

    const int segments = 60 * zoom.zoomLevel + (buffers.curveEnd - TrendBuffers::kLiveWindow);
    for (int i = 1; i <= segments; ++i) {
        const auto a = static_cast<size_t>(i - 1 + zoom.curveOffset);
        const auto b = static_cast<size_t>(i + zoom.curveOffset);
        if (b >= buffers.trendValues.size())
            break;
        // No line into or out of an empty slot: its zeros were never measured.
        if (!buffers.holdsSample(a) || !buffers.holdsSample(b))
            continue;
        const int x1 = nearest(static_cast<double>(static_cast<float>(i - 1) * zoom.curveStep));
        const int x2 = nearest(static_cast<double>(static_cast<float>(i) * zoom.curveStep));
        canvas.setPen(ChartColours::kPv, 2, LineStyle::Solid);
        canvas.line(x1, pvY(a, 0), x2, pvY(b, 0));
        canvas.setPen(ChartColours::kOp, 1, LineStyle::Solid);
        canvas.line(x1, opY(a), x2, opY(b));
        canvas.setPen(ChartColours::kSv, 1, LineStyle::Solid);
        canvas.line(x1, pvY(a, 2), x2, pvY(b, 2));
    }
    return labels;
}

std::array<int32_t, 7> yAxisScale(int16_t yAxisSpan, int16_t yAxisMin)
{
    const float sixth = static_cast<float>(yAxisSpan) / 6.0f;
    std::array<int32_t, 7> values{};
    for (int k = 0; k <= 6; ++k)
        values[static_cast<size_t>(k)] = nearest(static_cast<double>(static_cast<float>(k) * sixth)) + yAxisMin;
    return values;
}
