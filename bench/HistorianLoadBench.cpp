// The central server's load for a plant: stations x instruments at one
// sample a second, forwarded through the stations' own upload path
// (HistorianUpload::sendSamples, batches of 2,000 rows, one transaction
// each) into one database on a throwaway PostgreSQL server
// (scripts/test-postgres; skipped when none is installed). Reports the
// sustained insert rate, what the month's partition holds (table and each
// index) and the write-ahead log written, per row and extrapolated to
// 1,000 instruments for a day.
//
//   build/bench/tq5800-bench-historian-load                     # an hour, 1,000 instruments
//   build/bench/tq5800-bench-historian-load --benchmark_filter=seconds:600/   # ten minutes

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>

#include <benchmark/benchmark.h>

#include "historian/HistorianUpload.h"
#include "HistorianServerDatabase.h"

namespace {

const QDateTime kStart(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC);
const QString kPartition = QStringLiteral("samples_2026_12");
constexpr int kBatchRows = 2000;
constexpr double kRowsPerDayFor1000 = 1000.0 * 86'400;

struct Plant {
    int stations = 0;
    int instruments = 0;  // per station, addresses 1..instruments on one line
    int seconds = 0;
    int connections = 0;  // forwarders writing at the same time
};

// One batch of a station: every instrument for the seconds from firstSecond,
// in the order the station's files hold them (time, then address).
QList<OutboxSample> batchOf(const Plant& plant, int firstSecond, int seconds)
{
    QList<OutboxSample> samples;
    samples.reserve(seconds * plant.instruments);
    for (int s = firstSecond; s < firstSecond + seconds; ++s)
        for (int address = 1; address <= plant.instruments; ++address)
            samples.append({kStart.toMSecsSinceEpoch() + qint64(s) * 1000, 3600, 200.0 + (s % 600) / 10.0 + address,
                            (s % 1000) / 10.0, 250.0, s % 8, 2, address});
    return samples;
}

// Stations which, which + connections, ... forwarded over one connection
// of their own, batch after batch as their forwarders would; the server's
// reason on failure.
QString forward(const Plant& plant, const QString& connection, int which)
{
    const QString name = QStringLiteral("bench-load-%1").arg(which);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setConnectOptions(connection);
        if (!db.open())
            error = db.lastError().text();
        const int secondsPerBatch = std::max(1, kBatchRows / plant.instruments);
        for (int first = 0; error.isEmpty() && first < plant.seconds; first += secondsPerBatch) {
            const int seconds = std::min(secondsPerBatch, plant.seconds - first);
            const QList<OutboxSample> batch = batchOf(plant, first, seconds);
            for (int station = which; error.isEmpty() && station < plant.stations; station += plant.connections) {
                ForwardingFailure failure;
                if (!HistorianUpload::sendSamples(db, QStringLiteral("station-%1").arg(station, 2, 10, QLatin1Char('0')),
                                                  QStringLiteral("/dev/ttyS0"), batch, &failure))
                    error = failure.reason;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

double megabytes(const QVariant& bytes)
{
    return bytes.toDouble() / 1e6;
}

void BM_Plant(benchmark::State& state)
{
    const Plant plant{int(state.range(0)), int(state.range(1)), int(state.range(2)), int(state.range(3))};
    for (auto _ : state) {
        state.PauseTiming();
        HistorianServerDatabase server(QStringLiteral("bench-load"));
        if (!server.why().isEmpty()) {
            state.SkipWithError(qPrintable(server.why()));
            return;
        }
        // Made up front, so that creating it is no part of the measured load.
        server.value(QStringLiteral("select historian_month_partition('%1')").arg(kStart.toString(Qt::ISODate)));
        const QString walBefore = server.value(QStringLiteral("select pg_current_wal_lsn()::text")).toString();
        state.ResumeTiming();

        const auto started = std::chrono::steady_clock::now();
        std::vector<std::thread> forwarders;
        std::mutex failureLock;
        QString failure;
        for (int c = 0; c < plant.connections; ++c)
            forwarders.emplace_back([&, c] {
                const QString error = forward(plant, server.connection(), c);
                const std::lock_guard lock(failureLock);
                if (!error.isEmpty())
                    failure = error;
            });
        for (std::thread& forwarder : forwarders)
            forwarder.join();
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

        state.PauseTiming();
        if (!failure.isEmpty()) {
            state.SkipWithError(qPrintable(failure));
            return;
        }
        const double rows = server.value(QStringLiteral("select count(*) from samples")).toDouble();
        const double total = server.value(QStringLiteral("select pg_total_relation_size('%1')").arg(kPartition)).toDouble();
        const double table = server.value(QStringLiteral("select pg_relation_size('%1')").arg(kPartition)).toDouble();
        const double key = server.value(QStringLiteral("select pg_relation_size('%1_pkey')").arg(kPartition)).toDouble();
        const double byTime = server.value(QStringLiteral("select sum(pg_relation_size(indexrelid)) from pg_index "
                                                          "where indrelid = '%1'::regclass and not indisprimary")
                                               .arg(kPartition))
                                  .toDouble();
        const double wal =
            server.value(QStringLiteral("select pg_wal_lsn_diff(pg_current_wal_lsn(), '%1')").arg(walBefore)).toDouble();
        state.counters["rows"] = rows;
        state.counters["rows_per_s"] = rows / elapsed;
        state.counters["MB_partition"] = megabytes(total);
        state.counters["MB_table"] = megabytes(table);
        state.counters["MB_key"] = megabytes(key);
        state.counters["MB_time_index"] = megabytes(byTime);
        state.counters["MB_wal"] = megabytes(wal);
        state.counters["B_per_row"] = total / rows;
        state.counters["wal_B_per_row"] = wal / rows;
        state.counters["GB_day_1000"] = total / rows * kRowsPerDayFor1000 / 1e9;
        state.counters["wal_GB_day_1000"] = wal / rows * kRowsPerDayFor1000 / 1e9;
        if (rows != double(plant.stations) * plant.instruments * plant.seconds)
            state.SkipWithError("the server does not hold every row");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Plant)
    ->ArgNames({"stations", "instruments", "seconds", "connections"})
    ->Args({10, 100, 3600, 1})
    ->Args({10, 100, 3600, 2})
    ->Args({10, 100, 600, 1})
    ->Args({10, 100, 600, 2})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace
