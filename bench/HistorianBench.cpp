// Forwarding to the central server, against a throwaway PostgreSQL server on
// this machine (scripts/test-postgres; skipped when none is installed): the
// sustained insert rate of one instrument's samples in batches of 500,
// 2,000 (the default) and 5,000 rows, and a day's backlog of one instrument
// (86,400 samples in its month file) caught up by one pass from a fresh
// state file (target under 10 s).

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "GeneratedArchive.h"

#include "historian/HistorianPass.h"
#include "historian/HistorianUpload.h"
#include "HistorianServerDatabase.h"

namespace {

const QDateTime kDay(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC);
constexpr int kDaySamples = 86'400;

QList<OutboxSample> secondsFrom(qint64 firstMs, int count)
{
    QList<OutboxSample> samples;
    samples.reserve(count);
    for (int i = 0; i < count; ++i)
        samples.append({firstMs + qint64(i) * 1000, 3600, 200.0 + (i % 600) / 10.0, (i % 1000) / 10.0, 250.0, i % 8, 2,
                        1});
    return samples;
}

void BM_SendSamples(benchmark::State& state)
{
    const int rows = int(state.range(0));
    HistorianServerDatabase server(QStringLiteral("bench-send"));
    if (!server.why().isEmpty()) {
        state.SkipWithError(qPrintable(server.why()));
        return;
    }
    QSqlDatabase db = server.db();
    qint64 nextMs = kDay.toMSecsSinceEpoch();
    for (auto _ : state) {
        state.PauseTiming();
        const QList<OutboxSample> batch = secondsFrom(nextMs, rows);
        nextMs += qint64(rows) * 1000;
        state.ResumeTiming();
        ForwardingFailure failure;
        if (!HistorianUpload::sendSamples(db, QStringLiteral("line-a"), QStringLiteral("/dev/ttyS1"), batch, &failure)) {
            state.SkipWithError(qPrintable(failure.reason));
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_SendSamples)->Arg(500)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

// One instrument's day in its archive month file, built once with SQLite
// generating the rows itself.
struct ArchivedDay {
    ArchivedDay()
    {
        ok = generateArchive(folder, kDay, kDaySamples);
    }

    static ArchivedDay& get()
    {
        static ArchivedDay day;
        return day;
    }

    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("archive"));
    bool ok = false;
};

void BM_CatchUpDay(benchmark::State& state)
{
    ArchivedDay& day = ArchivedDay::get();
    if (!day.ok) {
        state.SkipWithError("the day could not be archived");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh database and state file each time: the whole day waits.
        HistorianServerDatabase server(QStringLiteral("bench-day-server"));
        if (!server.why().isEmpty()) {
            state.SkipWithError(qPrintable(server.why()));
            return;
        }
        HistorianSettings settings;
        settings.connection = server.connection();
        settings.stationName = QStringLiteral("line-a");
        settings.hostName = QStringLiteral("host-a");
        settings.port = QStringLiteral("/dev/ttyS1");
        settings.archiveFolder = day.folder;
        settings.statePath = day.dir.filePath(QStringLiteral("history.historian.json"));
        QFile::remove(settings.statePath);
        state.ResumeTiming();

        HistorianPass pass(settings);
        if (pass.run() != HistorianPass::Outcome::Sent) {
            state.SkipWithError(qPrintable(pass.health().reason()));
            return;
        }

        state.PauseTiming();
        if (server.value(QStringLiteral("select count(*) from samples")).toInt() != kDaySamples) {
            state.SkipWithError("the server does not hold the whole day");
            return;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kDaySamples);
}
BENCHMARK(BM_CatchUpDay)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
