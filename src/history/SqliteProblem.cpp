#include "history/SqliteProblem.h"

#include <limits>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <sqlite3.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

namespace {

// SQLite's lock bytes (its unix VFS): the WAL writer's byte in the -shm
// file, and the pending, reserved and shared range of a rollback journal's
// database file.
constexpr qint64 kWalWriteLockByte = 120;
constexpr qint64 kPendingByte = 0x40000000;
constexpr qint64 kLockRangeEnd = kPendingByte + 2 + 510;

struct FileKey {
    unsigned int major = 0;
    unsigned int minor = 0;
    qulonglong inode = 0;
};

std::optional<FileKey> keyOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileKey{major(st.st_dev), minor(st.st_dev), static_cast<qulonglong>(st.st_ino)};
}

// Another process's write lock on the file that overlaps [first, last].
std::optional<qint64> writeLockOn(const QByteArray& locks, const FileKey& file, qint64 first, qint64 last)
{
    // "1: POSIX  ADVISORY  WRITE 4711 08:01:1234567 120 120": device numbers in hex.
    const QString wanted = QStringLiteral("%1:%2:%3")
                               .arg(file.major, 2, 16, QLatin1Char('0'))
                               .arg(file.minor, 2, 16, QLatin1Char('0'))
                               .arg(file.inode);
    for (const QByteArray& line : locks.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 8 || fields[1] != "POSIX" || fields[3] != "WRITE")
            continue;
        if (QString::fromLatin1(fields[5]) != wanted)
            continue;
        const qint64 pid = fields[4].toLongLong();
        const qint64 start = fields[6].toLongLong();
        const qint64 end = fields[7] == "EOF" ? std::numeric_limits<qint64>::max() : fields[7].toLongLong();
        if (pid > 0 && pid != ::getpid() && start <= last && end >= first)
            return pid;
    }
    return std::nullopt;
}

} // namespace

namespace SqliteProblem {

Codes lastFailure(const QSqlDatabase& db)
{
    if (db.isOpen() && db.driver()) {
        const QVariant handle = db.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
            if (sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData()))
                return {sqlite3_extended_errcode(connection), sqlite3_system_errno(connection)};
        }
    }
    return of(db.lastError());
}

Codes of(const QSqlError& error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number);
    return {number ? code : 0, 0};
}

FileProblem classify(const Codes& codes, const QString& path)
{
    using Cause = FileProblem::Cause;
    switch (codes.result & 0xff) {
    case SQLITE_NOTADB: return {Cause::NotOurKind, path};
    case SQLITE_CORRUPT: return {Cause::Damaged, path};
    case SQLITE_FULL: return {Cause::DiskFull, path};
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return FileProblem::inUse(path, writeLockHolder(path).value_or(0));
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        if (codes.systemErrno != 0)
            return FileProblem::fromErrno(codes.systemErrno, path);
        return FileProblem::ofFile(path);
    default: return {};
    }
}

std::optional<qint64> writeLockHolder(const QString& path)
{
    QFile proc(QStringLiteral("/proc/locks"));
    if (!proc.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray locks = proc.readAll();
    if (const auto shm = keyOf(path + QStringLiteral("-shm"))) {
        if (const auto pid = writeLockOn(locks, *shm, kWalWriteLockByte, kWalWriteLockByte))
            return pid;
    }
    if (const auto file = keyOf(path))
        return writeLockOn(locks, *file, kPendingByte, kLockRangeEnd - 1);
    return std::nullopt;
}

} // namespace SqliteProblem
