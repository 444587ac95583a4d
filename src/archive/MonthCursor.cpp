#include "archive/MonthCursor.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

#include "archive/ArchiveSchema.h"
#include "archive/ReadOnlyConnection.h"

MonthCursor::MonthCursor(const QString& folder, int64_t fromMs, int64_t toMs)
    : folder_(folder), fromMs_(fromMs), toMs_(toMs)
{
    // Every month (UTC) the period touches, its last moment being toMs - 1.
    const QDate last = QDateTime::fromMSecsSinceEpoch(toMs - 1, Qt::UTC).date();
    QDate month = QDateTime::fromMSecsSinceEpoch(fromMs, Qt::UTC).date();
    month = QDate(month.year(), month.month(), 1);
    for (; month <= last; month = month.addMonths(1))
        months_ << ArchiveSchema::monthFileName(QDateTime(month, QTime(0, 0), Qt::UTC));
    advance();
}

MonthCursor::~MonthCursor()
{
    closeMonth();
}

void MonthCursor::advance()
{
    current_.reset();
    for (;;) {
        if (statement_) {
            const int step = sqlite3_step(statement_);
            if (step == SQLITE_ROW) {
                PeriodSample s;
                s.utcMs = sqlite3_column_int64(statement_, 0);
                s.utcOffset = sqlite3_column_int(statement_, 1);
                s.pv = static_cast<float>(sqlite3_column_double(statement_, 2));
                s.op = static_cast<float>(sqlite3_column_double(statement_, 3));
                s.sv = static_cast<float>(sqlite3_column_double(statement_, 4));
                if (sqlite3_column_type(statement_, 5) != SQLITE_NULL)
                    s.alarmBits = static_cast<uint16_t>(sqlite3_column_int(statement_, 5));
                if (sqlite3_column_type(statement_, 6) != SQLITE_NULL)
                    s.coilBits = static_cast<uint16_t>(sqlite3_column_int(statement_, 6));
                if (sqlite3_column_type(statement_, 7) != SQLITE_NULL)
                    s.address = sqlite3_column_int(statement_, 7);
                current_ = s;
                return;
            }
            // The samples read before a fault stay given; the rest of the month is lost.
            if (step != SQLITE_DONE)
                skip(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement_))));
        }
        closeMonth();
        if (!openNextMonth())
            return;
    }
}

bool MonthCursor::openNextMonth()
{
    while (!months_.isEmpty()) {
        monthName_ = months_.takeFirst();
        const QString path = QDir(folder_).filePath(monthName_);
        if (!QFileInfo::exists(path))
            continue;
        if (prepare(path))
            return true;
        closeMonth();
    }
    return false;
}

bool MonthCursor::prepare(const QString& path)
{
    QSqlDatabase db = ReadOnlyConnection::open(path, QStringLiteral("period-month"), &connectionName_);
    if (!db.isOpen()) {
        skip(db.lastError().text());
        return false;
    }
    const QVariant handle = db.driver()->handle();
    sqlite3* connection = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        connection = *static_cast<sqlite3* const*>(handle.constData());
    if (!connection) {
        skip(QStringLiteral("the SQL driver gives no SQLite connection"));
        return false;
    }
    const char* const query = "select time_utc_ms, utc_offset, pv, op, sv, alarm_bits, coil_bits, address "
                              "from samples where time_utc_ms >= ? and time_utc_ms < ? order by time_utc_ms";
    if (sqlite3_prepare_v2(connection, query, -1, &statement_, nullptr) != SQLITE_OK) {
        skip(QString::fromUtf8(sqlite3_errmsg(connection)));
        return false;
    }
    sqlite3_bind_int64(statement_, 1, fromMs_);
    sqlite3_bind_int64(statement_, 2, toMs_);
    return true;
}

void MonthCursor::closeMonth()
{
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    ReadOnlyConnection::close(connectionName_);
    connectionName_.clear();
}

void MonthCursor::skip(const QString& reason)
{
    skipped_.push_back({monthName_, reason});
}
