#include "historian/HistorianPeriodReader.h"

#include <atomic>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "historian/HistorianSchema.h"
#include "historian/ServerConnection.h"

namespace {

// Moments travel as whole microseconds since 1970: exact both ways, and the
// last one of a chunk is where the next one starts.
const QString kMoment = QStringLiteral("(timestamptz 'epoch' + cast(? as bigint) * interval '1 microsecond')");

qint64 microseconds(qint64 ms)
{
    return ms * 1000;
}

std::optional<int> nullable(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

bool failed(const QSqlQuery& query, QString* error)
{
    *error = query.lastError().text();
    return false;
}

} // namespace

HistorianPeriodReader::HistorianPeriodReader(QString connection, int chunkRows)
    : connection_(std::move(connection)), chunkRows_(chunkRows)
{
    static std::atomic<int> counter{0};
    connectionName_ = QStringLiteral("tq5800-historian-reader-%1").arg(++counter);
}

HistorianPeriodReader::~HistorianPeriodReader()
{
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::database(connectionName_, false).close();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

bool HistorianPeriodReader::open(QString* error)
{
    // A month's chunks may take their time on a busy server.
    ForwardingFailure failure;
    if (!ServerConnection::open(connectionName_, connection_, {10, 300'000}, &failure)) {
        *error = failure.reason;
        return false;
    }
    const std::optional<ForwardingFailure> refusal = HistorianSchema::refusal(QSqlDatabase::database(connectionName_, false));
    *error = refusal ? refusal->reason : QString();
    return !refusal;
}

bool HistorianPeriodReader::hasStation(const QString& station, bool* known, QString* error)
{
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.prepare(QStringLiteral("select exists (select 1 from stations where name = ?)"));
    query.addBindValue(station);
    if (!query.exec() || !query.next())
        return failed(query, error);
    *known = query.value(0).toBool();
    return true;
}

bool HistorianPeriodReader::instruments(const QString& station, qint64 fromUtcMs, qint64 toUtcMs,
                                        QList<HistorianInstrument>* found, QString* error)
{
    // A walk along the key, one step per line and address, instead of a
    // scan of the period's rows; then whether each has a sample in it.
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "with recursive keys (port, address) as ("
        "  (select port, address from samples where station = ? order by port, address limit 1)"
        "  union all"
        "  select step.port, step.address from keys cross join lateral ("
        "    select port, address from samples where station = ? and (port, address) > (keys.port, keys.address)"
        "    order by port, address limit 1) step"
        ") select port, address from keys where exists ("
        "  select 1 from samples s where s.station = ? and s.port = keys.port and s.address = keys.address"
        "  and s.time_utc >= %1 and s.time_utc < %1) order by port, address").arg(kMoment));
    for (int i = 0; i < 3; ++i)
        query.addBindValue(station);
    query.addBindValue(microseconds(fromUtcMs));
    query.addBindValue(microseconds(toUtcMs));
    if (!query.exec())
        return failed(query, error);
    found->clear();
    while (query.next())
        found->append({query.value(0).toString(), query.value(1).toInt()});
    return true;
}

bool HistorianPeriodReader::samples(const QString& station, const HistorianInstrument& instrument, qint64 fromUtcMs,
                                    qint64 toUtcMs, const SampleVisit& visit, QString* error)
{
    // Chunk after chunk along the key from the last moment read: each one
    // a short range of the index, nothing held open between them.
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "select cast(extract(epoch from time_utc) * 1000000 as bigint), utc_offset, pv, op, sv, alarm_bits, coil_bits "
        "from samples where station = ? and port = ? and address = ? and time_utc >= %1 and time_utc < %1 "
        "order by time_utc limit ?").arg(kMoment));
    qint64 fromUs = microseconds(fromUtcMs);
    const qint64 toUs = microseconds(toUtcMs);
    for (;;) {
        query.addBindValue(station);
        query.addBindValue(instrument.port);
        query.addBindValue(instrument.address);
        query.addBindValue(fromUs);
        query.addBindValue(toUs);
        query.addBindValue(chunkRows_);
        if (!query.exec())
            return failed(query, error);
        int rows = 0;
        while (query.next()) {
            ++rows;
            const qint64 us = query.value(0).toLongLong();
            OutboxSample sample;
            sample.timeUtcMs = us >= 0 ? us / 1000 : (us - 999) / 1000;
            sample.utcOffset = query.value(1).toInt();
            sample.pv = query.value(2).toDouble();
            sample.op = query.value(3).toDouble();
            sample.sv = query.value(4).toDouble();
            sample.alarmBits = nullable(query.value(5));
            sample.coilBits = nullable(query.value(6));
            if (instrument.address != 0)
                sample.address = instrument.address;
            visit(sample);
            fromUs = us + 1;
        }
        if (query.lastError().isValid())
            return failed(query, error);
        if (rows < chunkRows_)
            return true;
    }
}

bool HistorianPeriodReader::events(const QString& station, const QStringList& kinds, qint64 fromUtcMs,
                                   qint64 toUtcMs, QList<OutboxEvent>* found, QString* error)
{
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "select event_id, to_char(time_utc at time zone 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'), utc_offset, "
        "kind, source, what, old_value, new_value, outcome, message, user_name, host, origin "
        "from events where station = ? and kind = any (string_to_array(?, ',')) "
        "and time_utc >= %1 and time_utc < %1 order by time_utc, event_id").arg(kMoment));
    query.addBindValue(station);
    query.addBindValue(kinds.join(QLatin1Char(',')));
    query.addBindValue(microseconds(fromUtcMs));
    query.addBindValue(microseconds(toUtcMs));
    if (!query.exec())
        return failed(query, error);
    found->clear();
    while (query.next()) {
        OutboxEvent event;
        event.id = query.value(0).toLongLong();
        event.timeUtc = query.value(1).toString();
        event.utcOffset = query.value(2).toInt();
        QString* texts[] = {&event.kind,    &event.source,  &event.what,     &event.oldValue, &event.newValue,
                            &event.outcome, &event.message, &event.userName, &event.host,     &event.origin};
        for (int i = 0; i < 10; ++i)
            *texts[i] = query.value(3 + i).toString();
        found->append(event);
    }
    if (query.lastError().isValid())
        return failed(query, error);
    return true;
}
