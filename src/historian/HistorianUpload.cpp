#include "historian/HistorianUpload.h"

#include <set>

#include <QDateTime>
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

QVariant nullable(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

// One multi-row insert: a round trip per batch, not per row.
QString insertText(const QString& head, const QString& oneRow, int rows, const QString& tail)
{
    QStringList all;
    for (int r = 0; r < rows; ++r)
        all << oneRow;
    return head + all.join(QLatin1Char(',')) + tail;
}

// The server may refuse a statement already when it is prepared (a table
// dropped): executing it regardless would report a garbled statement
// instead of the cause, so every prepare is checked.
bool fail(QSqlDatabase& db, const QSqlQuery& query, QString* error)
{
    *error = query.lastError().text();
    db.rollback();
    return false;
}

bool commit(QSqlDatabase& db, QString* error)
{
    if (db.commit())
        return true;
    *error = db.lastError().text();
    db.rollback();
    return false;
}

} // namespace

bool registerStation(QSqlDatabase& db, const QString& station, const QString& host, QString* error)
{
    QSqlQuery query(db);
    if (query.prepare(QStringLiteral("insert into stations (name, host) values (?, ?) "
                                     "on conflict (name) do update set host = excluded.host, last_seen = now()"))) {
        query.addBindValue(station);
        query.addBindValue(host);
        if (query.exec())
            return true;
    }
    *error = query.lastError().text();
    return false;
}

bool sendSamples(QSqlDatabase& db, const QString& station, const QString& port, const QList<OutboxSample>& samples,
                 QString* error)
{
    if (samples.isEmpty())
        return true;
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    // Each month's partition first: a row without one is refused.
    std::set<QString> months;
    for (const OutboxSample& s : samples)
        months.insert(utcText(s.timeUtcMs).left(7));
    for (const QString& month : months) {
        if (!query.prepare(QStringLiteral("select historian_month_partition(cast(? as timestamptz))")))
            return fail(db, query, error);
        query.addBindValue(month + QStringLiteral("-01T00:00:00Z"));
        if (!query.exec())
            return fail(db, query, error);
    }
    if (!query.prepare(insertText(QStringLiteral("insert into samples (station, port, address, time_utc, utc_offset, "
                                                 "pv, op, sv, alarm_bits, coil_bits) values "),
                                  QStringLiteral("(?,?,?,cast(? as timestamptz),?,?,?,?,?,?)"), int(samples.size()),
                                  QStringLiteral(" on conflict do nothing"))))
        return fail(db, query, error);
    for (const OutboxSample& s : samples) {
        query.addBindValue(station);
        query.addBindValue(port);
        query.addBindValue(s.address.value_or(0));
        query.addBindValue(utcText(s.timeUtcMs));
        query.addBindValue(s.utcOffset);
        query.addBindValue(s.pv);
        query.addBindValue(s.op);
        query.addBindValue(s.sv);
        query.addBindValue(nullable(s.alarmBits));
        query.addBindValue(nullable(s.coilBits));
    }
    if (!query.exec())
        return fail(db, query, error);
    return commit(db, error);
}

bool sendEvents(QSqlDatabase& db, const QString& station, const QList<OutboxEvent>& events, QString* error)
{
    if (events.isEmpty())
        return true;
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    if (!query.prepare(insertText(
            QStringLiteral("insert into events (station, event_id, time_utc, utc_offset, kind, source, what, old_value, "
                           "new_value, outcome, message, user_name, host, origin) values "),
            QStringLiteral("(?,?,cast(? as timestamptz),?,?,?,?,?,?,?,?,?,?,?)"), int(events.size()),
            QStringLiteral(" on conflict do nothing"))))
        return fail(db, query, error);
    for (const OutboxEvent& e : events) {
        for (const QVariant& value :
             {text(station), QVariant(e.id), text(e.timeUtc), QVariant(e.utcOffset), text(e.kind), text(e.source),
              text(e.what), text(e.oldValue), text(e.newValue), text(e.outcome), text(e.message), text(e.userName),
              text(e.host), text(e.origin)})
            query.addBindValue(value);
    }
    if (!query.exec())
        return fail(db, query, error);
    return commit(db, error);
}

} // namespace HistorianUpload
