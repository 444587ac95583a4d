// What archiving costs the recorder: the hand-over of one sample to the
// archive store, averaged over whole batches of 10 (nine samples only
// queued, the tenth writing all ten in one transaction into its month
// file), into a month file that already holds a day of samples. Beside it,
// the recorder's whole tick with and without the archive attached.
// Target: under 0.2 ms a sample on average. Also the one-off back-fill of a
// full ring into an empty archive.

#include <array>
#include <memory>

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "archive/ArchiveStore.h"
#include "core/Clock.h"
#include "core/DateValue.h"
#include "history/HistoryTables.h"
#include "history/SampleRecorder.h"
#include "instrument/InstrumentState.h"

namespace {

constexpr int kBatch = 10;

class SteppedClock final : public Clock {
public:
    QDateTime now() const override { return now_; }
    void step() { now_ = now_.addSecs(1); }

private:
    QDateTime now_{QDate(2026, 1, 5), QTime(6, 0, 0)};
};

ArchiveSettings settingsIn(const QTemporaryDir& dir)
{
    ArchiveSettings settings;
    settings.folder = dir.filePath(QStringLiteral("archive"));
    settings.batchSamples = kBatch;
    return settings;
}

RecordedSample sampleAt(const QDateTime& moment, int n)
{
    RecordedSample recorded;
    recorded.sample.date = DateValue::fromDate(moment.date());
    recorded.sample.time = DateValue::fromTime(moment.time());
    recorded.sample.values[0] = static_cast<float>(n % 1000);
    recorded.alarmBits = 0b10;
    recorded.coilBits = 1;
    return recorded;
}

void archiveOneSample(benchmark::State& state)
{
    QTemporaryDir dir;
    SteppedClock clock;
    ArchiveStore archive(settingsIn(dir), QString(), clock);
    archive.setModuleAddress(1);
    archive.start();
    int n = 0;
    for (; n < 86'400; ++n, clock.step())
        archive.add(sampleAt(clock.now(), n));
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i, ++n, clock.step())
            archive.add(sampleAt(clock.now(), n));
    }
    if (!archive.health().writing() || archive.queued() != 0)
        state.SkipWithError("the archive is not written");
    state.SetItemsProcessed(state.iterations() * kBatch);
    state.counters["per_sample_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kBatch),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Ten recorder ticks, each storing a sample in the ring; with the archive
// they also hand it over.
void recorderTicks(benchmark::State& state)
{
    QTemporaryDir dir;
    SteppedClock clock;
    InstrumentState instrument;
    SampleRecorder recorder(instrument, clock, dir.filePath(QStringLiteral("Rdatabj.sqlite")));
    std::unique_ptr<ArchiveStore> archive;
    if (state.range(0) != 0) {
        archive = std::make_unique<ArchiveStore>(settingsIn(dir), recorder.databasePath(), clock);
        QObject::connect(&recorder, &SampleRecorder::sampleRecorded, archive.get(), &ArchiveStore::add);
        archive->start();
    }
    recorder.start();
    recorder.stop();  // ticked here with the stepped clock
    int n = 0;
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i, ++n) {
            const std::array<int16_t, 8> measured{static_cast<int16_t>(n % 1000), 523, 250, 0, 0, 0, 0, 0};
            instrument.setMeasurements(measured, clock.now());
            recorder.tick();
            clock.step();
        }
    }
    if (!recorder.health().recording() || (archive && !archive->health().writing()))
        state.SkipWithError("a sample was not stored");
    state.counters["per_sample_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kBatch),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The one-off cost of a start with an empty archive beside a full ring:
// every record read from the ring and written into its month file, on the
// window's thread before the first sample.
void backFillFullRing(benchmark::State& state)
{
    QTemporaryDir dir;
    SteppedClock clock;
    InstrumentState instrument;
    SampleRecorder recorder(instrument, clock, dir.filePath(QStringLiteral("Rdatabj.sqlite")));
    recorder.start();
    recorder.stop();
    for (int n = 0; n < HistoryTables::kRingSize; ++n) {
        const std::array<int16_t, 8> measured{static_cast<int16_t>(n % 1000), 523, 250, 0, 0, 0, 0, 0};
        instrument.setMeasurements(measured, clock.now());
        recorder.tick();
        clock.step();
    }
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir archiveDir;
        ArchiveSettings settings;
        settings.folder = archiveDir.filePath(QStringLiteral("archive"));
        state.ResumeTiming();
        ArchiveStore archive(settings, recorder.databasePath(), clock);
        archive.start();
    }
}

BENCHMARK(backFillFullRing)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(archiveOneSample)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(recorderTicks)->ArgName("archive")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
