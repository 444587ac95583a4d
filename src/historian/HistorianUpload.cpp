#include "historian/HistorianUpload.h"

#include <set>

#include <QDateTime>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTimeZone>

namespace HistorianUpload {
namespace {

QString utcText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

// The server's text columns are "not null": a null text goes as an empty one.
QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

// One multi-row insert: a round trip per batch, not per row.
QString insertText(const QString& head, const QString& oneRow, int rows, const QString& tail)
{
    QStringList all;
    for (int r = 0; r < rows; ++r)
        all << oneRow;
    return head + all.join(QLatin1Char(',')) + tail;
}

// One column of a batch in PostgreSQL's array form.
template <typename Element>
QString arrayOf(const QList<OutboxSample>& samples, Element element)
{
    QString text(QLatin1Char('{'));
    for (const OutboxSample& s : samples) {
        if (text.size() > 1)
            text += QLatin1Char(',');
        text += element(s);
    }
    return text + QLatin1Char('}');
}

// As many digits as give the value back exactly; nan and inf as the server
// reads them.
QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString number(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QStringLiteral("NULL");
}

// The server may refuse a statement already when it is prepared (a table
// dropped): executing it regardless would report a garbled statement
// instead of the cause, so every prepare is checked.
bool fail(QSqlDatabase& db, const QSqlError& error, ForwardingFailure* failure)
{
    *failure = ForwardingFailure::ofStatement(db, error);
    db.rollback();
    return false;
}

bool fail(QSqlDatabase& db, const QSqlQuery& query, ForwardingFailure* failure)
{
    return fail(db, query.lastError(), failure);
}

bool begin(QSqlDatabase& db, ForwardingFailure* failure)
{
    if (db.transaction())
        return true;
    *failure = ForwardingFailure::ofStatement(db, db.lastError());
    return false;
}

bool commit(QSqlDatabase& db, ForwardingFailure* failure)
{
    if (db.commit())
        return true;
    return fail(db, db.lastError(), failure);
}

} // namespace

bool registerStation(QSqlDatabase& db, const QString& station, const QString& host, ForwardingFailure* failure)
{
    QSqlQuery query(db);
    if (query.prepare(QStringLiteral("insert into stations (name, host) values (?, ?) "
                                     "on conflict (name) do update set host = excluded.host, last_seen = now()"))) {
        query.addBindValue(station);
        query.addBindValue(host);
        if (query.exec())
            return true;
    }
    *failure = ForwardingFailure::ofStatement(db, query.lastError());
    return false;
}

bool sendSamples(QSqlDatabase& db, const QString& station, const QString& port, const QList<OutboxSample>& samples,
                 ForwardingFailure* failure)
{
    if (samples.isEmpty())
        return true;
    if (!begin(db, failure))
        return false;
    QSqlQuery query(db);
    // Each month's partition first: a row without one is refused.
    std::set<int> months;
    for (const OutboxSample& s : samples) {
        const QDate day = QDateTime::fromMSecsSinceEpoch(s.timeUtcMs, QTimeZone::utc()).date();
        months.insert(day.year() * 12 + day.month() - 1);
    }
    for (const int month : months) {
        if (!query.prepare(QStringLiteral("select historian_month_partition(cast(? as timestamptz))")))
            return fail(db, query, failure);
        query.addBindValue(utcText(QDateTime(QDate(month / 12, month % 12 + 1, 1), QTime(0, 0), QTimeZone::utc())
                                       .toMSecsSinceEpoch()));
        if (!query.exec())
            return fail(db, query, failure);
    }
    // A column an array: the server parses eight literals a batch, not ten
    // parameters a row, which made it spend most of a batch's time parsing.
    if (!query.prepare(QStringLiteral(
        "insert into samples (station, port, address, time_utc, utc_offset, pv, op, sv, alarm_bits, coil_bits) "
        "select ?, ?, address, to_timestamp(time_utc_ms / 1000.0), utc_offset, pv, op, sv, alarm_bits, coil_bits "
        "from unnest(cast(? as integer[]), cast(? as bigint[]), cast(? as integer[]), cast(? as float8[]), "
        "cast(? as float8[]), cast(? as float8[]), cast(? as integer[]), cast(? as integer[])) "
        "as batch (address, time_utc_ms, utc_offset, pv, op, sv, alarm_bits, coil_bits) "
        "on conflict do nothing")))
        return fail(db, query, failure);
    query.addBindValue(station);
    query.addBindValue(port);
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return QString::number(s.address.value_or(0)); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return QString::number(s.timeUtcMs); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return QString::number(s.utcOffset); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return number(s.pv); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return number(s.op); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return number(s.sv); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return number(s.alarmBits); }));
    query.addBindValue(arrayOf(samples, [](const OutboxSample& s) { return number(s.coilBits); }));
    if (!query.exec())
        return fail(db, query, failure);
    return commit(db, failure);
}

bool sendEvents(QSqlDatabase& db, const QString& station, const QList<OutboxEvent>& events, ForwardingFailure* failure)
{
    if (events.isEmpty())
        return true;
    if (!begin(db, failure))
        return false;
    QSqlQuery query(db);
    if (!query.prepare(insertText(
            QStringLiteral("insert into events (station, event_id, time_utc, utc_offset, kind, source, what, old_value, "
                           "new_value, outcome, message, user_name, host, origin) values "),
            QStringLiteral("(?,?,cast(? as timestamptz),?,?,?,?,?,?,?,?,?,?,?)"), int(events.size()),
            QStringLiteral(" on conflict do nothing"))))
        return fail(db, query, failure);
    for (const OutboxEvent& e : events) {
        for (const QVariant& value :
             {text(station), QVariant(e.id), text(e.timeUtc), QVariant(e.utcOffset), text(e.kind), text(e.source),
              text(e.what), text(e.oldValue), text(e.newValue), text(e.outcome), text(e.message), text(e.userName),
              text(e.host), text(e.origin)})
            query.addBindValue(value);
    }
    if (!query.exec())
        return fail(db, query, failure);
    return commit(db, failure);
}

} // namespace HistorianUpload
