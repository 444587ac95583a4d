#pragma once

#include <ostream>
#include <vector>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QUuid>

// Rows show as text in a failure.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Reads the central server's tables directly, independent of the forwarder.
namespace ServerRows {

// The first column of every row, as text.
inline std::vector<QString> column(const QString& connection, const QString& select)
{
    std::vector<QString> values;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setConnectOptions(connection);
        QSqlQuery query(db);
        if (db.open() && query.exec(select))
            while (query.next())
                values.push_back(query.value(0).toString());
    }
    QSqlDatabase::removeDatabase(name);
    return values;
}

// One sample row as text, in key order: moment in UTC ms, then the values.
inline std::vector<QString> samples(const QString& connection, const QString& station)
{
    return column(connection,
                  QStringLiteral("select concat_ws('|', (extract(epoch from time_utc) * 1000)::bigint, utc_offset, "
                                 "round(pv::numeric, 3), round(op::numeric, 3), round(sv::numeric, 3), coalesce(alarm_bits::text, '-'), coalesce(coil_bits::text, '-'), "
                                 "address, port) from samples where station = '%1' order by time_utc")
                      .arg(station));
}

inline std::vector<QString> eventIds(const QString& connection, const QString& station)
{
    return column(connection,
                  QStringLiteral("select event_id from events where station = '%1' order by event_id").arg(station));
}

} // namespace ServerRows
