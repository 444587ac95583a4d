// The journal window's model on a full journal of 1,000,000 events (one
// every 30 seconds, about a year, the kinds in turn): opening it with the
// first screen read (target under 200 ms), and a filter on one kind and one
// day in the middle of the year (target under 100 ms); a day of any kind,
// and a search for a text no event holds.

#include <chrono>

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "journal/JournalReader.h"
#include "journalwindow/JournalModel.h"
#include "support/JournalFiles.h"

namespace {

constexpr int64_t kEvents = 1'000'000;
constexpr int kScreenRows = 40;
const QDateTime kFirst(QDate(2026, 1, 1), QTime(0, 0), Qt::OffsetFromUTC, 3600);

// Built once for all benchmarks, in one transaction.
struct FullJournal {
    FullJournal()
    {
        const QList<JournalEvent::Kind> kinds = JournalKinds::all();
        const auto started = std::chrono::steady_clock::now();
        ok = JournalFiles::appendMade(path, kEvents, [&](int64_t i) {
            JournalEvent event = JournalFiles::event(kinds[static_cast<int>(i % kinds.size())], kFirst.addSecs(30 * i),
                                                     QStringLiteral("设定SV"));
            event.source = QStringLiteral("端口 1 地址 1");
            event.oldValue = QString::number(i - 1);
            event.newValue = QString::number(i);
            event.user = QStringLiteral("operator");
            return event;
        });
        fillSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    static FullJournal& get()
    {
        static FullJournal journal;
        return journal;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    bool ok = false;
    double fillSeconds = 0;
};

// What a screen shows: every cell of its rows.
void readScreen(const JournalModel& model, benchmark::State& state)
{
    for (int row = 0; row < kScreenRows && row < model.rowCount(); ++row)
        for (int column = 0; column < JournalModel::ColumnCount; ++column)
            benchmark::DoNotOptimize(model.data(model.index(row, column)));
    if (model.rowCount() < kScreenRows)
        state.SkipWithError("fewer rows than a screen");
}

void openWithFirstScreen(benchmark::State& state)
{
    FullJournal& journal = FullJournal::get();
    if (!journal.ok) {
        state.SkipWithError("the journal could not be built");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        JournalModel model(journal.path, QStringLiteral("bench-open-%1").arg(++n));
        readScreen(model, state);
    }
    state.counters["fill_s"] = journal.fillSeconds;
}
BENCHMARK(openWithFirstScreen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void filterOneKindOneDay(benchmark::State& state)
{
    FullJournal& journal = FullJournal::get();
    if (!journal.ok) {
        state.SkipWithError("the journal could not be built");
        return;
    }
    JournalModel model(journal.path, QStringLiteral("bench-filter"));
    JournalFilter filter;
    filter.kinds = {JournalEvent::Kind::Write};
    filter.from = kFirst.addDays(180);
    filter.to = kFirst.addDays(181);
    for (auto _ : state) {
        model.setFilter(filter);
        readScreen(model, state);
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(filterOneKindOneDay)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// No target: a day without a kind leaves only the time index.
void filterOneDay(benchmark::State& state)
{
    FullJournal& journal = FullJournal::get();
    if (!journal.ok) {
        state.SkipWithError("the journal could not be built");
        return;
    }
    JournalModel model(journal.path, QStringLiteral("bench-day"));
    JournalFilter filter;
    filter.from = kFirst.addDays(180);
    filter.to = kFirst.addDays(181);
    for (auto _ : state) {
        model.setFilter(filter);
        readScreen(model, state);
    }
}
BENCHMARK(filterOneDay)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A text no event holds: the first step of the search (what the filter
// change costs the user-interface thread), and every step to the end.
void searchFirstStep(benchmark::State& state)
{
    FullJournal& journal = FullJournal::get();
    if (!journal.ok) {
        state.SkipWithError("the journal could not be built");
        return;
    }
    JournalModel model(journal.path, QStringLiteral("bench-search-step"));
    JournalFilter filter;
    filter.text = QStringLiteral("ALM9");
    for (auto _ : state)
        model.setFilter(filter);
}
BENCHMARK(searchFirstStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void searchTextFoundNowhere(benchmark::State& state)
{
    FullJournal& journal = FullJournal::get();
    if (!journal.ok) {
        state.SkipWithError("the journal could not be built");
        return;
    }
    JournalModel model(journal.path, QStringLiteral("bench-search"));
    JournalFilter filter;
    filter.text = QStringLiteral("ALM9");
    for (auto _ : state) {
        model.setFilter(filter);
        while (model.canFetchMore({}))
            model.fetchMore({});
    }
}
BENCHMARK(searchTextFoundNowhere)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
