// The main window's live refresh tick (every 200 ms) on a window of
// 1280 x 800, offscreen: the tick alone (the panel's values and the rest, no
// new sample); the tick with the repaint of what it changed, when every field
// changes at once and when only PV, OP and SV do; and the tick that takes a
// new sample (append and chart refresh, with the repaint of chart and
// fields), also with the reload of the live window from the database that
// every twentieth sample brings at zoom level 1. Target: a refresh under 2 ms.

#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include "mainwindow/ChartPanel.h"
#include "support/StationRig.h"
#include "mainwindow/MainWindow.h"
#include "support/StateFeed.h"

namespace {

// The window on the tests' station rig with a history file of 1000
// records; it runs no timers, so that the benchmark is the only one
// ticking.
struct Station : StationRig {
    Station()
    {
        if (!seed(1, 1000, 1000))
            qFatal("cannot seed the history file");
        startWindow();
        ChartPanel& chart = *window->chartPanel();
        chart.yMinimumEntry()->setText(QStringLiteral("0"));
        chart.yMaximumEntry()->setText(QStringLiteral("600"));
        chart.applyRangeButton()->click();
        window->resize(1280, 800);
        window->show();
        QApplication::processEvents();
    }

    // New PV, OP and SV only: what most ticks of a running process bring.
    void changeProcessValues(int n)
    {
        for (size_t i = 0; i < 3; ++i)
            StateFeed::setMeasurement(state, i + 1, static_cast<float>(n % 1000) + static_cast<float>(i) + 0.5f);
    }

    // New values in every field at once, the worst a tick can meet.
    void changeValues(int n)
    {
        const auto v = static_cast<float>(n % 1000);
        for (size_t i = 0; i < 3; ++i) {
            StateFeed::setMeasurement(state, i + 1, v + static_cast<float>(i) + 0.5f);
            StateFeed::setCommand(state, i + 1, v);
        }
        for (size_t i = 5; i < 8; ++i)
            StateFeed::setMeasurement(state, i + 1, static_cast<float>(n % 6));
        for (size_t i = 0; i < 16; ++i) {
            StateFeed::setDiscreteInput(state, i + 1, (n + static_cast<int>(i)) % 2 != 0);
            StateFeed::setCoil(state, i + 1, n % 2 != 0);
        }
        for (size_t i = 1; i <= 37; ++i)
            StateFeed::setParameter(state, i, v + static_cast<float>(i));
        for (size_t i = 0; i < 16; ++i)
            StateFeed::setAlarmRegister(state, i, n + static_cast<int>(i));
    }
};

void refreshTick(benchmark::State& state)
{
    Station station;
    int n = 0;
    for (auto _ : state) {
        station.changeValues(++n);
        station.window->refreshLiveValues();
    }
}
BENCHMARK(refreshTick)->Unit(benchmark::kMicrosecond);

void refreshTickPainted(benchmark::State& state)
{
    Station station;
    int n = 0;
    for (auto _ : state) {
        station.changeValues(++n);
        station.window->refreshLiveValues();
        QApplication::processEvents();
    }
}
BENCHMARK(refreshTickPainted)->Unit(benchmark::kMicrosecond);

void refreshTickPaintedTypical(benchmark::State& state)
{
    Station station;
    int n = 0;
    for (auto _ : state) {
        station.changeProcessValues(++n);
        station.window->refreshLiveValues();
        QApplication::processEvents();
    }
}
BENCHMARK(refreshTickPaintedTypical)->Unit(benchmark::kMicrosecond);

void tickWithNewSample(benchmark::State& state)
{
    Station station;
    TrendBuffers& buffers = station.window->trendBuffers();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        buffers.markEnd = buffers.curveEnd = 300;  // well short of a reload at zoom level 4
        station.window->zoom().zoomLevel = 4;
        station.changeProcessValues(++n);
        emit station.recorder.sampleTaken(takenSample(station.state, station.sampleSeconds.next(station.clock.now())));
        state.ResumeTiming();
        station.window->refreshLiveValues();
        QApplication::processEvents();
    }
}
BENCHMARK(tickWithNewSample)->Unit(benchmark::kMicrosecond);

void tickWithReload(benchmark::State& state)
{
    Station station;
    TrendBuffers& buffers = station.window->trendBuffers();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        buffers.markEnd = buffers.curveEnd = 260;  // the next sample reloads at zoom level 1
        station.changeProcessValues(++n);
        emit station.recorder.sampleTaken(takenSample(station.state, station.sampleSeconds.next(station.clock.now())));
        state.ResumeTiming();
        station.window->refreshLiveValues();
        QApplication::processEvents();
    }
}
BENCHMARK(tickWithReload)->Unit(benchmark::kMicrosecond);

} // namespace
