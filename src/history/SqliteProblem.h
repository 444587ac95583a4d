#pragma once

#include <optional>

#include <QString>

#include "core/FileProblem.h"

class QSqlDatabase;
class QSqlError;

// What a failed SQLite call on a station file means to the operator, from
// SQLite's result code and the errno of the system call behind it; where
// those only say "cannot open" or "no access", the file system is asked
// which part of the path is at fault.
namespace SqliteProblem {

struct Codes {
    int result = 0;       // SQLite's (extended) result code; 0 when none is known
    int systemErrno = 0;  // the errno behind an I/O failure; 0 when none
};

// The connection's last failure, read from its SQLite handle while it is
// open (call it before anything else runs on the connection), else the
// code of its last error.
Codes lastFailure(const QSqlDatabase& db);
// The code Qt kept with an error (an open that failed has no handle left).
Codes of(const QSqlError& error);

// Unknown when the codes name no file problem.
FileProblem classify(const Codes& codes, const QString& path);

// The process that holds the write lock of the SQLite file at path: the
// WAL's writer lock in its -shm file, or a rollback journal's reserved or
// exclusive lock on the file itself. Read from /proc/locks, since opening
// the file here and closing it again would drop this process's own locks
// on it.
std::optional<qint64> writeLockHolder(const QString& path);

} // namespace SqliteProblem
