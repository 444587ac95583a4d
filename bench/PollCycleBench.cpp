// One poll cycle through the station's link thread and libmodbus against
// the simulator answering at wire speed. Reports the ratio of the measured
// cycle to the pure wire time of its 16 frames (target: at most 1.10).

#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

#include "core/Clock.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/ModbusFieldbus.h"
#include "link/PortConnection.h"
#include "station/StationCore.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"
#include "WireTime.h"

namespace {

void pollCycleAtWireSpeed(benchmark::State& state)
{
    const int baud = static_cast<int>(state.range(0));
    SimProcess sim({"--line-timing", "--baud", std::to_string(baud)});
    if (!sim.started()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    PortDevices devices;
    devices.setDevice(1, sim.devicePath());
    SystemClock clock;
    StationCore core(std::make_unique<ModbusFieldbus>(devices), clock);
    Poller& poll = core.poller();
    PortConnection& connection = core.connection();
    poll.setCycleInterval(std::chrono::hours(1));  // the benchmark runs the cycles
    LinkChoices choices;
    choices.baudIndex = baud == 19200 ? 2 : baud == 4800 ? 0 : 1;
    connection.open(choices);

    int finished = 0;
    int failures = 0;
    QObject::connect(&poll, &Poller::cycleFinished, [&](const CycleReport& r) {
        ++finished;
        failures += r.failedCalls;
    });

    double seconds = 0;
    for (auto _ : state) {
        const int before = finished;
        const auto started = std::chrono::steady_clock::now();
        poll.startCycle();
        if (!waitFor([&] { return finished > before; }, 10000)) {
            state.SkipWithError("a poll cycle did not finish");
            break;
        }
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    connection.close();
    if (failures > 0)
        state.SkipWithError("calls failed during the benchmark");

    const double wire = pollCycleWireSeconds(baud);
    state.counters["wire_ms"] = wire * 1000.0;
    state.counters["ratio_to_wire"] = seconds / static_cast<double>(state.iterations()) / wire;
}

BENCHMARK(pollCycleAtWireSpeed)->Arg(9600)->Arg(19200)->UseManualTime()->Unit(benchmark::kMillisecond)
    ->Iterations(20)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
