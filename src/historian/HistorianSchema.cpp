#include "historian/HistorianSchema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace HistorianSchema {

bool apply(const QSqlDatabase& db, ForwardingFailure* failure)
{
    // libpq runs a text of several statements as one transaction.
    QSqlQuery query(db);
    if (query.exec(text()))
        return true;
    *failure = ForwardingFailure::ofStatement(db, query.lastError());
    return false;
}

std::optional<ForwardingFailure> refusal(const QSqlDatabase& db)
{
    using Cause = ForwardingFailure::Cause;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select max(version) from historian_schema")) || !query.next()) {
        // Only a missing table or schema means the script was not applied:
        // a server shutting down or a lost connection fail here as well.
        ForwardingFailure failure = ForwardingFailure::ofStatement(db, query.lastError());
        if (failure.cause == Cause::NoSchema)
            failure.reason = QStringLiteral("the server holds no historian schema (apply sql/historian-schema.sql): %1")
                                 .arg(failure.reason);
        else
            failure.reason = QStringLiteral("cannot read the historian schema's version: %1").arg(failure.reason);
        return failure;
    }
    if (query.value(0).isNull())
        return ForwardingFailure{Cause::SchemaVersion, QStringLiteral("the server's historian schema has no version")};
    const int version = query.value(0).toInt();
    if (version != kVersion)
        return ForwardingFailure{
            Cause::SchemaVersion,
            QStringLiteral("the server's historian schema has version %1; this station writes version %2")
                .arg(version)
                .arg(kVersion)};
    return std::nullopt;
}

} // namespace HistorianSchema
