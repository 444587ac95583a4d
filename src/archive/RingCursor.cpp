#include "archive/RingCursor.h"


#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

#include "archive/ReadOnlyConnection.h"
#include "core/DateValue.h"
#include "history/HistoryTables.h"

namespace {

constexpr int kPv = HistoryTables::kFirstValueColumn;
constexpr int kOp = kPv + 1;
constexpr int kSv = kPv + 2;

// The date values a UTC moment can have as local time, widened by a day on
// either side: the ring keeps local time without its offset.
double dateBound(int64_t utcMs, int days)
{
    return DateValue::datePart(DateValue::fromDateTime(QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC))) + days;
}

} // namespace

RingCursor::RingCursor(const QString& path, int64_t fromMs, int64_t toMs)
    : fromMs_(fromMs), toMs_(toMs)
{
    if (!QFileInfo(path).isFile()) {
        error_ = QStringLiteral("%1: no such file").arg(path);
        return;
    }
    QSqlDatabase db = ReadOnlyConnection::open(path, QStringLiteral("period-ring"), &connectionName_);
    QString reason;
    if (!db.isOpen() || !HistoryTables::readLayout(db, &reason)) {
        error_ = QStringLiteral("%1: %2").arg(path, db.isOpen() ? reason : db.lastError().text());
        return;
    }
    query_ = QSqlQuery(db);
    query_.setForwardOnly(true);
    query_.prepare(QStringLiteral("select * from pv_data where w_date >= ? and w_date <= ? order by w_date, w_time"));
    query_.addBindValue(dateBound(fromMs, -1));
    query_.addBindValue(dateBound(toMs, 1));
    if (!query_.exec()) {
        error_ = QStringLiteral("%1: %2").arg(path, query_.lastError().text());
        return;
    }
    advance();
}

RingCursor::~RingCursor()
{
    query_ = QSqlQuery();
    ReadOnlyConnection::close(connectionName_);
}

void RingCursor::advance()
{
    current_.reset();
    if (failed())
        return;
    while (query_.next()) {
        const double date = query_.value(1).toDouble();
        const double time = query_.value(2).toDouble();
        const QDateTime local(DateValue::toDate(date), DateValue::toTime(time));
        if (!local.isValid())
            continue;  // a time the clock skipped when summer time began
        const int64_t ms = local.toMSecsSinceEpoch();
        if (ms < fromMs_)
            continue;
        if (ms >= toMs_)
            break;
        PeriodSample s;
        s.utcMs = ms;
        s.utcOffset = local.offsetFromUtc();
        s.pv = query_.value(kPv).toFloat();
        s.op = query_.value(kOp).toFloat();
        s.sv = query_.value(kSv).toFloat();
        current_ = s;
        return;
    }
    if (query_.lastError().isValid())
        error_ = query_.lastError().text();
}
