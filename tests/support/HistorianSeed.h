#pragma once

#include <vector>

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <QUuid>

#include "archive/PeriodSample.h"
#include "historian/HistorianSchema.h"
#include "support/PostgresServer.h"

// The central server seeded with plain SQL, independent of the forwarder:
// the schema, then stations, samples and events as a station would have
// forwarded them.
namespace HistorianSeed {

inline bool applySchema(const QString& connection)
{
    const QString name = QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setConnectOptions(connection);
        ForwardingFailure failure;
        ok = db.open() && HistorianSchema::apply(db, &failure);
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

inline QString utcText(int64_t ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

inline QString literal(const QString& text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// The samples' months get their partitions first. A sample's own address
// is left aside: the key's address counts.
inline bool samples(const QString& connection, const QString& station, const QString& port, int address,
                    const std::vector<PeriodSample>& samples)
{
    QStringList rows;
    QStringList months;
    const auto bits = [](const std::optional<uint16_t>& b) { return b ? QString::number(*b) : QStringLiteral("null"); };
    for (const PeriodSample& s : samples) {
        months << literal(utcText(s.utcMs).left(7) + QStringLiteral("-01T00:00:00Z"));
        // 17 digits: the double is the float exactly.
        rows << QStringList{literal(station), literal(port), QString::number(address), literal(utcText(s.utcMs)),
                            QString::number(s.utcOffset), QString::number(double(s.pv), 'g', 17),
                            QString::number(double(s.op), 'g', 17), QString::number(double(s.sv), 'g', 17),
                            bits(s.alarmBits), bits(s.coilBits)}
                    .join(QLatin1Char(','));
    }
    months.removeDuplicates();
    for (const QString& month : months)
        if (!PostgresServer::exec(connection, QStringLiteral("select historian_month_partition(%1)").arg(month)))
            return false;
    return PostgresServer::exec(connection,
                                QStringLiteral("insert into stations (name) values (%1) on conflict do nothing; "
                                               "insert into samples values (%2)")
                                    .arg(literal(station), rows.join(QStringLiteral("), ("))));
}

struct Event {
    int64_t id;
    QDateTime time;
    QString kind;
    QString what;
    QString message;
};

inline bool events(const QString& connection, const QString& station, const std::vector<Event>& events)
{
    QStringList rows;
    for (const Event& e : events)
        rows << QStringList{literal(station), QString::number(e.id), literal(utcText(e.time.toMSecsSinceEpoch())),
                            QString::number(e.time.offsetFromUtc()), literal(e.kind), literal(e.what),
                            literal(e.message)}
                    .join(QLatin1Char(','));
    return PostgresServer::exec(connection,
                                QStringLiteral("insert into stations (name) values (%1) on conflict do nothing; "
                                               "insert into events (station, event_id, time_utc, utc_offset, kind, "
                                               "what, message) values (%2)")
                                    .arg(literal(station), rows.join(QStringLiteral("), ("))));
}

} // namespace HistorianSeed
