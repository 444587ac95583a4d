// Appending one event to the journal: one transaction with the retention
// delete, on a journal already holding a few thousand events (target: a
// median under 1 ms).
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "core/Clock.h"
#include "journal/JournalStore.h"

namespace {

JournalEvent writeEvent(long n)
{
    JournalEvent event;
    event.kind = JournalEvent::Kind::Write;
    event.what = QStringLiteral("设定值SV");
    event.oldValue = QString::number(n - 1);
    event.newValue = QString::number(n);
    event.outcome = QStringLiteral("ok");
    event.user = QStringLiteral("operator");
    event.host = QStringLiteral("station");
    return event;
}

void appendOneEvent(benchmark::State& state)
{
    QTemporaryDir dir;
    SystemClock clock;
    JournalLimits limits;
    limits.maxEvents = 5000;  // full, so each insert also drops the oldest
    JournalStore store(dir.filePath(QStringLiteral("journal.sqlite")), clock, limits);
    store.open();
    long n = 0;
    for (; n < 6000; ++n)
        store.append(writeEvent(n));
    for (auto _ : state)
        store.append(writeEvent(++n));
    if (!store.writing())
        state.SkipWithError("the journal could not be written");
}
BENCHMARK(appendOneEvent)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
