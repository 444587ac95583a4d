#pragma once

#include <array>
#include <cstdint>

#include <QColor>
#include <QString>

#include "trend/ChartCanvas.h"

struct TrendBuffers;
struct ZoomGeometry;

// The trend chart's drawing: the dotted grid and the curves, always redrawn
// whole from the buffers (clear, grid, zoom geometry, curves).
namespace ChartColours {
inline const QColor kBackground{192, 255, 255};
inline const QColor kGrid{255, 128, 255};
inline const QColor kGapMarker{255, 255, 0};
inline const QColor kPv{255, 0, 0};
inline const QColor kOp{128, 128, 0};
inline const QColor kSv{0, 0, 192};
} // namespace ChartColours

// The captions of the time axis under the chart, times above dates, label i
// under x = 1500 * i.
struct TimeAxisLabels {
    std::array<QString, 9> times;
    std::array<QString, 9> dates;
    bool operator==(const TimeAxisLabels&) const = default;
};

// Grid rows every 312.5 units (rounded half to even), columns every 375,
// dotted, plus the lines at y 0 and 7500 and x 8 and 9000.
void drawGrid(ChartCanvas& canvas);

// The time labels for the buffers as they stand: slot labels, with labels 7
// and 8 extrapolated into the future (ten seconds per zoom level each) while
// a live window is shown. A label over an empty slot stays empty.
TimeAxisLabels timeAxisLabels(const TrendBuffers& buffers, const ZoomGeometry& zoom);

// The chart's vertical range for PV and SV in the instrument's units: the
// value at the bottom edge and the span up to the top edge. The window that
// shows the chart owns it; the operator sets it with the range entries.
struct ChartYRange {
    int16_t minimum = 0;
    int16_t span = 0;
};

// The Y-axis offset of PV and SV for the current range, wide enough for any
// range the operator can set, so the curves always sit where the axis
// labels say.
int32_t yAxisOffsetFor(int16_t yAxisSpan, int16_t yAxisMin);

// Gap markers and the PV, OP and SV curves in the given range, drawn
// between slots that both hold a sample; returns the time-axis labels. Expects the grid drawn and the zoom geometry applied.
TimeAxisLabels drawCurves(ChartCanvas& canvas, const TrendBuffers& buffers, const ZoomGeometry& zoom,
                          const ChartYRange& range);

// The PV/SV axis scale, seven labels bottom to top: the minimum plus
// k sixths of the span, each sixth rounded half to even.
std::array<int32_t, 7> yAxisScale(int16_t yAxisSpan, int16_t yAxisMin);
