// The longest stall of the user-interface event loop while the link is open
// to an instrument that never answers (target: under 20 ms). Every poll then
// runs into the response time-out; that wait belongs on the link thread, and
// a stall here shows it leaking onto the operator's window. The whole
// station runs in-process, offscreen, against tq5800-sim --fault silent.

#include <algorithm>
#include <chrono>
#include <memory>

#include <QElapsedTimer>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "core/Clock.h"
#include "link/LinkHealth.h"
#include "link/Poller.h"
#include "link/ModbusFieldbus.h"
#include "StationAgainstSim.h"
#include "app/Station.h"
#include "app/StationOptions.h"
#include "support/WaitFor.h"

namespace {

constexpr int kProbeIntervalMs = 10;

// A precise timer on the user-interface thread: each timeout that comes
// later than the interval shows how long the loop was busy elsewhere.
class StallProbe {
public:
    StallProbe()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kProbeIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { onTimeout(); });
    }

    void start()
    {
        since_.start();
        timer_.start();
    }
    void stop() { timer_.stop(); }

    double longestStallMs() const { return longestGapMs_ - kProbeIntervalMs; }
    double meanGapMs() const { return gaps_ > 0 ? totalGapMs_ / gaps_ : 0.0; }
    int gaps() const { return gaps_; }

private:
    void onTimeout()
    {
        const double gapMs = static_cast<double>(since_.nsecsElapsed()) / 1e6;
        since_.restart();
        longestGapMs_ = std::max(longestGapMs_, gapMs);
        totalGapMs_ += gapMs;
        ++gaps_;
    }

    QTimer timer_;
    QElapsedTimer since_;
    double longestGapMs_ = kProbeIntervalMs;
    double totalGapMs_ = 0.0;
    int gaps_ = 0;
};

void userInterfaceStallOnSilentInstrument(benchmark::State& state)
{
    const auto runFor = std::chrono::seconds(state.range(0));
    StationAgainstSim setup({"--fault", "silent"});
    if (!setup.ready()) {
        state.SkipWithError("simulator or temporary folder missing");
        return;
    }
    const StationOptions& options = setup.options;
    SystemClock clock;

    for (auto _ : state) {
        Station station(options, std::make_unique<ModbusFieldbus>(options.portDevices), clock);
        station.start();
        if (!waitFor([&] { return station.hasStarted(); }, 10000)) {
            state.SkipWithError("the station did not finish starting");
            return;
        }
        // Start-up (splash, first drawing) is not what is measured.
        StallProbe probe;
        probe.start();
        runEventLoopFor(static_cast<int>(std::chrono::milliseconds(runFor).count()));
        probe.stop();
        // Unless whole cycles ran into time-outs the figure says nothing.
        const LinkHealth& link = station.core().poller().linkHealth();
        if (link.cycles() == 0 || link.state() != LinkHealth::State::Silent) {
            state.SkipWithError("the link never met the silent instrument");
            return;
        }
        state.counters["longest_stall_ms"] = probe.longestStallMs();
        state.counters["mean_gap_ms"] = probe.meanGapMs();
        state.counters["probes"] = probe.gaps();
        state.counters["silent_cycles"] = link.cycles();
    }
}
// Arg 60 is the measure; 20 is a quick run (--benchmark_filter=/20).
BENCHMARK(userInterfaceStallOnSilentInstrument)->Arg(20)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
