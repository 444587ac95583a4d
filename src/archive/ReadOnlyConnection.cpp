#include "archive/ReadOnlyConnection.h"

#include <atomic>

namespace ReadOnlyConnection {

QSqlDatabase open(const QString& path, const QString& role, QString* connectionName)
{
    static std::atomic<int> counter{0};
    *connectionName = QStringLiteral("tq5800-%1-%2").arg(role).arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), *connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    db.open();
    return db;
}

void close(const QString& connectionName)
{
    if (connectionName.isEmpty())
        return;
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace ReadOnlyConnection
