#pragma once

#include <QSqlDatabase>
#include <QString>

// A read-only SQLite connection under a name no other reader uses, so
// period readers on several threads never share one. Opening does not read
// the file: a damaged file shows at its first query.
namespace ReadOnlyConnection {
QSqlDatabase open(const QString& path, const QString& role, QString* connectionName);
// Closes and forgets the connection; every query on it must be gone.
void close(const QString& connectionName);
} // namespace ReadOnlyConnection
