// The station's resident memory after a minute of live running against the
// simulator (target: under 80 MB), with the link open, the recorder
// storing a sample a second and the chart redrawing. Runs offscreen.

#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

#include "core/Clock.h"
#include "link/ModbusFieldbus.h"
#include "support/ResidentMemory.h"
#include "StationAgainstSim.h"
#include "app/Station.h"
#include "app/StationOptions.h"
#include "support/WaitFor.h"

namespace {

double residentMegabytes()
{
    return static_cast<double>(residentBytes()) / (1024.0 * 1024.0);
}

void stationResidentMemory(benchmark::State& state)
{
    const auto runFor = std::chrono::seconds(state.range(0));
    StationAgainstSim setup({"--speed", "10"});
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
        runEventLoopFor(static_cast<int>(std::chrono::milliseconds(runFor).count()));
        if (station.core().recorder().health().storedSamples() == 0) {
            state.SkipWithError("the station recorded nothing");
            return;
        }
        state.counters["resident_MB"] = residentMegabytes();
        state.counters["samples"] = static_cast<double>(station.core().recorder().health().storedSamples());
    }
}
BENCHMARK(stationResidentMemory)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
