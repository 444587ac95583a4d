#include "historian/HistorianSchema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace HistorianSchema {

bool apply(const QSqlDatabase& db, QString* error)
{
    // libpq runs a text of several statements as one transaction.
    QSqlQuery query(db);
    if (query.exec(text()))
        return true;
    *error = query.lastError().text();
    return false;
}

QString refusal(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select max(version) from historian_schema")) || !query.next())
        return QStringLiteral("the server holds no historian schema (apply sql/historian-schema.sql): %1")
            .arg(query.lastError().text());
    if (query.value(0).isNull())
        return QStringLiteral("the server's historian schema has no version");
    const int version = query.value(0).toInt();
    if (version != kVersion)
        return QStringLiteral("the server's historian schema has version %1; this station writes version %2")
            .arg(version)
            .arg(kVersion);
    return {};
}

} // namespace HistorianSchema
