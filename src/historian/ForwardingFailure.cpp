#include "historian/ForwardingFailure.h"

#include <QSqlDatabase>
#include <QSqlError>

#include "historian/Libpq.h"

ForwardingFailure::Cause ForwardingFailure::causeOf(const QString& sqlState)
{
    if (sqlState.startsWith(QLatin1String("08")))
        return Cause::NoConnection;
    if (sqlState == QLatin1String("57P01") || sqlState == QLatin1String("57P02") || sqlState == QLatin1String("57P03"))
        return Cause::ServerShutdown;
    // The statement time-out: the server took longer than it may.
    if (sqlState == QLatin1String("57014"))
        return Cause::NoAnswer;
    if (sqlState.startsWith(QLatin1String("28")))
        return Cause::Authentication;
    if (sqlState == QLatin1String("42P01") || sqlState == QLatin1String("3F000"))
        return Cause::NoSchema;
    if (sqlState == QLatin1String("42501"))
        return Cause::NoPermission;
    return Cause::Unknown;
}

ForwardingFailure ForwardingFailure::ofStatement(const QSqlDatabase& db, const QSqlError& error)
{
    // Qt's driver carries the server's SQLSTATE as the native code.
    Cause cause = causeOf(error.nativeErrorCode());
    if (cause == Cause::Unknown && error.nativeErrorCode().isEmpty()
        && (error.type() == QSqlError::ConnectionError || Libpq::connectionLost(db)))
        cause = Cause::NoConnection;
    return {cause, error.text()};
}
