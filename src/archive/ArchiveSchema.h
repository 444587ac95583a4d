#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The long-term archive: one SQLite file per month (UTC) in one folder,
// named "YYYY-MM.sqlite", each with one table of samples keyed by their
// time in UTC milliseconds. Unlike the ring it is never overwritten; whole
// months are removed only when a retention is set.
namespace ArchiveSchema {

inline const QString kTable = QStringLiteral("samples");

// time_utc_ms  the sample's moment, UTC milliseconds since 1970 (the key)
// utc_offset   seconds east of UTC of the station's clock at that moment
// pv, op, sv   in the instrument's units (op in per cent)
// alarm_bits   discrete inputs 1..16 as bits (bit 0 = input 1); NULL when
//              not known (a sample copied from the ring, which keeps none)
// coil_bits    coils 1..16 likewise
// address      the instrument's module address; NULL when not known
inline QStringList createStatements()
{
    return {
        QStringLiteral("create table if not exists samples ("
                       "time_utc_ms integer primary key, "
                       "utc_offset integer not null, "
                       "pv real not null, op real not null, sv real not null, "
                       "alarm_bits integer, coil_bits integer, address integer)"),
    };
}

// The month file a moment belongs to.
inline QString monthFileName(const QDateTime& moment)
{
    return moment.toUTC().toString(QStringLiteral("yyyy-MM")) + QStringLiteral(".sqlite");
}

} // namespace ArchiveSchema
