#pragma once

#include <vector>

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include "support/ArchiveFiles.h"
#include "support/ServerRows.h"

// A station's own files and the central server's tables as rows of text of
// one form, so that one comparison shows every missing, extra or changed
// row. Both sides are read with plain SQL, independent of the forwarder.
namespace ForwardedRows {

// Every sample of the archive's month files, oldest first, as
// time|offset|pv|op|sv|alarm bits|coil bits|address|port.
inline std::vector<QString> archived(const QString& folder, const QString& port)
{
    std::vector<QString> rows;
    for (const QString& name : ArchiveFiles::monthFiles(folder)) {
        ArchiveFiles::query(QDir(folder).filePath(name),
                            QStringLiteral("select time_utc_ms, utc_offset, pv, op, sv, coalesce(alarm_bits, '-'), "
                                           "coalesce(coil_bits, '-'), coalesce(address, 0) from samples "
                                           "order by time_utc_ms"),
                            [&](const QSqlQuery& q) {
                                rows.push_back(QStringList{q.value(0).toString(), q.value(1).toString(),
                                                           QString::number(q.value(2).toDouble(), 'f', 3),
                                                           QString::number(q.value(3).toDouble(), 'f', 3),
                                                           QString::number(q.value(4).toDouble(), 'f', 3),
                                                           q.value(5).toString(), q.value(6).toString(),
                                                           q.value(7).toString(), port}
                                                   .join(QLatin1Char('|')));
                            });
    }
    return rows;
}

// The station's samples on the server in the same form; with an address,
// only that instrument's.
inline std::vector<QString> onServer(const QString& connection, const QString& station, int address = 0)
{
    const QString instrument = address > 0 ? QStringLiteral(" and address = %1").arg(address) : QString();
    return ServerRows::column(
        connection,
        QStringLiteral("select concat_ws('|', (extract(epoch from time_utc) * 1000)::bigint, utc_offset, "
                       "round(pv::numeric, 3), round(op::numeric, 3), round(sv::numeric, 3), "
                       "coalesce(alarm_bits::text, '-'), coalesce(coil_bits::text, '-'), address, port) "
                       "from samples where station = '%1'%2 order by time_utc")
            .arg(station, instrument));
}

// Every journal event, by id, as id|time|offset|kind|source|what|outcome|message.
inline std::vector<QString> journaled(const QString& path)
{
    std::vector<QString> rows;
    ArchiveFiles::query(path,
                        QStringLiteral("select id, time_utc, utc_offset, kind, source, what, outcome, message "
                                       "from events order by id"),
                        [&](const QSqlQuery& q) {
                            const QDateTime time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
                            QStringList row{q.value(0).toString(), QString::number(time.toMSecsSinceEpoch())};
                            for (int column = 2; column < 8; ++column)
                                row << q.value(column).toString();
                            rows.push_back(row.join(QLatin1Char('|')));
                        });
    return rows;
}

inline std::vector<QString> eventsOnServer(const QString& connection, const QString& station)
{
    return ServerRows::column(
        connection,
        QStringLiteral("select concat_ws('|', event_id, (extract(epoch from time_utc) * 1000)::bigint, utc_offset, "
                       "kind, source, what, outcome, message) from events where station = '%1' order by event_id")
            .arg(station));
}

// The kind of each row of journaled() or eventsOnServer().
inline QStringList kinds(const std::vector<QString>& events)
{
    QStringList kinds;
    for (const QString& row : events)
        kinds << row.section(QLatin1Char('|'), 3, 3);
    return kinds;
}

} // namespace ForwardedRows
