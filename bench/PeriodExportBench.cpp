// A month of the archive (December, 2,678,400 samples, one a second)
// exported to CSV through the period reader (target under 3 s), with the
// resident memory it takes on the way (target: a few MB beyond the output
// buffer).

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "GeneratedArchive.h"

#include "export/PeriodCsv.h"
#include "history/HistoryFileCreation.h"
#include "support/ResidentMemory.h"

namespace {

const QDateTime kMonth(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC);
constexpr int64_t kSamples = 31LL * 86400;

// Built once, with SQLite generating the rows itself.
struct ArchivedMonth {
    ArchivedMonth()
    {
        QString reason;
        ok = createHistoryFile(ringPath, &reason) && generateArchive(folder, kMonth, kSamples);
    }

    static ArchivedMonth& get()
    {
        static ArchivedMonth month;
        return month;
    }

    QTemporaryDir dir;
    QString ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    QString folder = dir.filePath(QStringLiteral("archive"));
    bool ok = false;
};

void BM_MonthToCsv(benchmark::State& state)
{
    ArchivedMonth& month = ArchivedMonth::get();
    if (!month.ok) {
        state.SkipWithError("the month could not be built");
        return;
    }
    const PeriodSamples samples(month.ringPath, month.folder);
    const QString csvPath = month.dir.filePath(QStringLiteral("month.csv"));
    long growth = 0;
    int64_t written = 0;
    for (auto _ : state) {
        const long before = residentBytes();
        long peak = before;
        const PeriodCsv::Result result = PeriodCsv::write(csvPath, samples, kMonth, kMonth.addMonths(1), [&](int64_t) {
            peak = std::max(peak, residentBytes());
            return true;
        });
        if (!result.written) {
            state.SkipWithError(qPrintable(result.error));
            return;
        }
        written = result.samples;
        growth = std::max(growth, peak - before);
    }
    state.counters["samples"] = static_cast<double>(written);
    state.counters["csv_MB"] = static_cast<double>(QFileInfo(csvPath).size()) / 1e6;
    state.counters["rss_growth_MB"] = static_cast<double>(growth) / 1e6;
}
BENCHMARK(BM_MonthToCsv)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The reading alone, every sample handed over and dropped: what the CSV
// form adds is the difference.
void BM_MonthRead(benchmark::State& state)
{
    ArchivedMonth& month = ArchivedMonth::get();
    if (!month.ok) {
        state.SkipWithError("the month could not be built");
        return;
    }
    const PeriodSamples samples(month.ringPath, month.folder);
    for (auto _ : state) {
        float sum = 0;
        const PeriodSamples::Outcome outcome = samples.read(kMonth, kMonth.addMonths(1), [&](const PeriodSample& s) {
            sum += s.pv;
            return true;
        });
        benchmark::DoNotOptimize(sum);
        if (outcome.samples != kSamples)
            state.SkipWithError("not every sample was read");
    }
}
BENCHMARK(BM_MonthRead)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
