// The history database at full size: a ring of 65500 records written by the
// recorder itself. Measures one stored sample (the whole recorder tick:
// pointer read, record and pointer in one transaction), the live window
// load of 241 records and history pages of 321 records, and reports the
// size of the full ring's file. Targets: a stored sample under 1 ms, a
// page under 5 ms (medians).

#include <array>
#include <chrono>
#include <memory>

#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "core/Clock.h"
#include "trend/HistoryPlayback.h"
#include "history/HistoryTables.h"
#include "instrument/InstrumentState.h"
#include "history/HistoryDatabase.h"
#include "trend/TrendBuffers.h"
#include "trend/TrendLoad.h"
#include "history/SampleRecorder.h"

namespace {

// One second per step, so every tick stores a sample.
class SteppedClock final : public Clock {
public:
    QDateTime now() const override { return now_; }
    void step() { now_ = now_.addSecs(1); }

private:
    QDateTime now_{QDate(2026, 1, 5), QTime(6, 0, 0)};
};

// Built once for all benchmarks: filling the ring takes a few seconds.
struct FullRing {
    static constexpr auto kReader = "bench-main-window";

    FullRing()
        : recorder(state, clock, dir.filePath(QStringLiteral("Rdatabj.sqlite")))
        , reader(QString::fromLatin1(kReader), recorder.databasePath())
        , playback(buffers, reader)
    {
        recorder.start();
        recorder.stop();  // the benchmark ticks it with its stepped clock
        const auto started = std::chrono::steady_clock::now();
        for (int i = 0; i < HistoryTables::kRingSize; ++i) {
            const std::array<int16_t, 8> measured{static_cast<int16_t>(i % 1000), 523, 250, 0, 0, 0, 0, 0};
            state.setMeasurements(measured, clock.now());
            recorder.tick();
            clock.step();
        }
        fillSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        reader.open();
        // Fold the journal into the file so its size is the ring's own.
        QSqlQuery(reader.database()).exec(QStringLiteral("pragma wal_checkpoint(truncate)"));
        fileMegabytes = QFileInfo(recorder.databasePath()).size() / 1e6;
    }

    static FullRing& get()
    {
        static FullRing ring;
        return ring;
    }

    QTemporaryDir dir;
    InstrumentState state;
    SteppedClock clock;
    SampleRecorder recorder;
    HistoryDatabase reader;
    TrendBuffers buffers;
    HistoryPlayback playback;
    double fillSeconds = 0;
    double fileMegabytes = 0;
};

void storeOneSample(benchmark::State& state)
{
    FullRing& ring = FullRing::get();
    for (auto _ : state) {
        ring.clock.step();
        ring.recorder.tick();
    }
    if (!ring.recorder.health().recording())
        state.SkipWithError("the recorder is not recording");
    state.counters["ring_file_MB"] = ring.fileMegabytes;
    state.counters["ring_fill_s"] = ring.fillSeconds;
}

void liveWindowLoad241(benchmark::State& state)
{
    FullRing& ring = FullRing::get();
    int records = 0;
    for (auto _ : state)
        records = ring.playback.loadLiveWindow().records;
    if (records != TrendBuffers::kLiveWindow)
        state.SkipWithError("the live window is not full");
}

// A page that ends at windowEnd: in the middle of the ring (a range of
// record numbers) or just above record 1 (the wrapped form, a scan).
void historyPage321(benchmark::State& state)
{
    FullRing& ring = FullRing::get();
    TrendWindow window;
    window.windowEnd = static_cast<int32_t>(state.range(0));
    window.windowSize = TrendBuffers::kHistoryPage;
    int records = 0;
    for (auto _ : state)
        records = loadTrendWindow(ring.buffers, window, ring.reader.database()).records;
    if (records != TrendBuffers::kHistoryPage)
        state.SkipWithError("the page is not full");
}

// What each sample and each window read adds: one stat() of the path.
void followUnmovedFile(benchmark::State& state)
{
    FullRing& ring = FullRing::get();
    for (auto _ : state)
        benchmark::DoNotOptimize(ring.reader.followFileAtPath());
    if (!ring.reader.isOpen())
        state.SkipWithError("the reader lost its file");
}

BENCHMARK(storeOneSample)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(liveWindowLoad241)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(followUnmovedFile)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(historyPage321)->Arg(30000)->Arg(100)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
