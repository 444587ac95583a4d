// The whole chart refresh as every sample and every second does it: clear,
// grid, zoom, curves, painted into a 1600 x 1000 picture (target: under
// 2 ms), and the same into the recording canvas to separate the drawing
// logic from the painting.

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "trend/ChartDrawing.h"
#include "trend/PainterCanvas.h"
#include "trend/RecordingCanvas.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

namespace {

// A live window with appended samples, the most lines a live refresh draws.
TrendBuffers busyBuffers()
{
    TrendBuffers buffers;
    buffers.loadedCount = TrendBuffers::kLiveWindow;
    buffers.markEnd = buffers.curveEnd = 320;
    for (size_t s = 0; s < buffers.trendValues.size(); ++s) {
        buffers.trendValues[s][0] = 300.0f + static_cast<float>(s % 50);
        buffers.trendValues[s][1] = static_cast<float>(s % 100);
        buffers.trendValues[s][2] = 320.0f;
        buffers.gapMarks[s] = s % 60 == 0 ? static_cast<int16_t>(s) : 0;
    }
    return buffers;
}

void chartRefreshPainted(benchmark::State& state)
{
    const TrendBuffers buffers = busyBuffers();
    ZoomGeometry zoom;
    zoom.zoomLevel = static_cast<int16_t>(state.range(0));
    ChartYRange range;
    range.span = 600;
    QImage picture(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        PainterCanvas canvas(painter, picture.rect(), 12008, 7508);
        canvas.clear();
        drawGrid(canvas);
        zoom.apply();
        drawCurves(canvas, buffers, zoom, range);
    }
}
BENCHMARK(chartRefreshPainted)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

void chartRefreshRecorded(benchmark::State& state)
{
    const TrendBuffers buffers = busyBuffers();
    ZoomGeometry zoom;
    zoom.zoomLevel = 4;
    ChartYRange range;
    range.span = 600;
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.clear();
        drawGrid(canvas);
        zoom.apply();
        drawCurves(canvas, buffers, zoom, range);
        benchmark::DoNotOptimize(canvas.lines.data());
    }
}
BENCHMARK(chartRefreshRecorded)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
