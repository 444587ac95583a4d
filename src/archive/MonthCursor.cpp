#include "archive/MonthCursor.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

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
        if (query_.isActive() && query_.next()) {
            PeriodSample s;
            s.utcMs = query_.value(0).toLongLong();
            s.utcOffset = query_.value(1).toInt();
            s.pv = query_.value(2).toFloat();
            s.op = query_.value(3).toFloat();
            s.sv = query_.value(4).toFloat();
            if (!query_.isNull(5))
                s.alarmBits = static_cast<uint16_t>(query_.value(5).toUInt());
            if (!query_.isNull(6))
                s.coilBits = static_cast<uint16_t>(query_.value(6).toUInt());
            if (!query_.isNull(7))
                s.address = query_.value(7).toInt();
            current_ = s;
            return;
        }
        // The samples read before a fault stay given; the rest of the month is lost.
        if (query_.isActive() && query_.lastError().isValid())
            skip(query_.lastError().text());
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
        QSqlDatabase db = ReadOnlyConnection::open(path, QStringLiteral("period-month"), &connectionName_);
        if (!db.isOpen()) {
            skip(db.lastError().text());
            closeMonth();
            continue;
        }
        query_ = QSqlQuery(db);
        query_.setForwardOnly(true);
        query_.prepare(QStringLiteral("select time_utc_ms, utc_offset, pv, op, sv, alarm_bits, coil_bits, address "
                                      "from samples where time_utc_ms >= ? and time_utc_ms < ? order by time_utc_ms"));
        query_.addBindValue(static_cast<qlonglong>(fromMs_));
        query_.addBindValue(static_cast<qlonglong>(toMs_));
        if (!query_.exec()) {
            skip(query_.lastError().text());
            closeMonth();
            continue;
        }
        return true;
    }
    return false;
}

void MonthCursor::closeMonth()
{
    query_ = QSqlQuery();
    ReadOnlyConnection::close(connectionName_);
    connectionName_.clear();
}

void MonthCursor::skip(const QString& reason)
{
    skipped_.push_back({monthName_, reason});
}
