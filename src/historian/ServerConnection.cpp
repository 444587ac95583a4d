#include "historian/ServerConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "historian/ConnectionText.h"

namespace ServerConnection {

QString refusal(const QString& connection)
{
    if (connection.startsWith(QStringLiteral("postgresql://")) || connection.startsWith(QStringLiteral("postgres://")))
        return QStringLiteral("a connection URI cannot be used here; give keywords (host=... dbname=... user=...)");
    return {};
}

QString commandLineRefusal(const QString& connection)
{
    if (ConnectionText::withoutPassword(connection) != connection.simplified())
        return QStringLiteral("--historian takes no password: put it in ~/.pgpass or the file PGPASSFILE names");
    if (const QString refused = refusal(connection); !refused.isEmpty())
        return QStringLiteral("--historian: %1").arg(refused);
    return {};
}

bool open(const QString& name, const QString& connection, const Timeouts& timeouts, QString* error)
{
    *error = refusal(connection);
    if (!error->isEmpty())
        return false;
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    if (!db.isValid()) {
        *error = QStringLiteral("the PostgreSQL driver of Qt SQL (QPSQL) is not installed");
        return false;
    }
    // libpq waits for ever by default; a connect_timeout given is kept.
    const QString options = connection.contains(QStringLiteral("connect_timeout"))
        ? connection
        : QStringLiteral("connect_timeout=%1 %2").arg(timeouts.connectS).arg(connection);
    db.setConnectOptions(options);
    if (!db.open()) {
        // libpq's complaint may quote the whole string.
        *error = QStringLiteral("cannot connect: %1")
                     .arg(db.lastError().text().replace(options, ConnectionText::withoutPassword(options)))
                     .simplified();
        return false;
    }
    // A server that stops answering fails the statement instead of holding
    // the caller for ever.
    QSqlQuery timeout(db);
    if (!timeout.exec(QStringLiteral("set statement_timeout = %1").arg(timeouts.statementMs))) {
        *error = timeout.lastError().text();
        db.close();
        return false;
    }
    return true;
}

} // namespace ServerConnection
