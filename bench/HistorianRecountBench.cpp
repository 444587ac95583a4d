// The historian's recount of one archive month (2,678,400 samples, one a
// second) for samples archived behind its position: a month wholly before
// the position and the position's own month, cut in the middle (target:
// under 0.2 s each; the forwarder recounts every few minutes, not on
// every pass).

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "GeneratedArchive.h"

#include "historian/HistorianOutbox.h"

namespace {

const QDateTime kMonth(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC);
constexpr int64_t kSamples = 31LL * 86400;

// Built once, with SQLite generating the rows itself.
struct ArchivedMonth {
    ArchivedMonth()
    {
        ok = generateArchive(folder, kMonth, kSamples);
    }

    static ArchivedMonth& get()
    {
        static ArchivedMonth month;
        return month;
    }

    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("archive"));
    bool ok = false;
};

void countUpTo(benchmark::State& state, const QDateTime& position, int64_t expected)
{
    ArchivedMonth& month = ArchivedMonth::get();
    if (!month.ok) {
        state.SkipWithError("the month could not be built");
        return;
    }
    const HistorianOutbox outbox(month.folder, QString());
    const QString file = ArchiveSchema::monthFileName(kMonth);
    for (auto _ : state) {
        QString error;
        const std::optional<qint64> count = outbox.countUpTo(file, position.toMSecsSinceEpoch(), &error);
        if (count != expected) {
            state.SkipWithError(qPrintable(QStringLiteral("counted %1: %2").arg(count.value_or(-1)).arg(error)));
            return;
        }
    }
}

void BM_RecountMonthBeforeThePosition(benchmark::State& state)
{
    countUpTo(state, kMonth.addMonths(1).addSecs(5), kSamples);
}

void BM_RecountMonthOfThePosition(benchmark::State& state)
{
    countUpTo(state, kMonth.addDays(15), 15LL * 86400 + 1);
}

} // namespace

BENCHMARK(BM_RecountMonthBeforeThePosition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecountMonthOfThePosition)->Unit(benchmark::kMillisecond);
