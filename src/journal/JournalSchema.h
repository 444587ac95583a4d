#pragma once

#include <QString>
#include <QStringList>

// The journal file's one table. Times are stored as UTC text of fixed width
// ("2026-12-07T19:53:09.123Z"), which sorts as it reads, with the local
// offset in seconds east of UTC beside it, so a reader shows the time as the
// station's clock showed it. Kinds are stored as their codes.
namespace JournalSchema {

inline const QString kTable = QStringLiteral("events");
inline const QString kTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ");

// Creates the table and its indexes when missing.
inline QStringList createStatements()
{
    return {
        QStringLiteral("create table if not exists events ("
                       "id integer primary key autoincrement, "
                       "time_utc text not null, "
                       "utc_offset integer not null, "
                       "kind text not null, "
                       "source text not null default '', "
                       "what text not null default '', "
                       "old_value text not null default '', "
                       "new_value text not null default '', "
                       "outcome text not null default '', "
                       "message text not null default '', "
                       "user_name text not null default '', "
                       "host text not null default '', "
                       "origin text not null default '')"),
        QStringLiteral("create index if not exists events_by_time on events (time_utc)"),
        QStringLiteral("create index if not exists events_by_kind_time on events (kind, time_utc)"),
    };
}

// The columns in the order the reader selects them.
inline const QString kColumns = QStringLiteral(
    "id, time_utc, utc_offset, kind, source, what, old_value, new_value, outcome, message, user_name, host, origin");

} // namespace JournalSchema
