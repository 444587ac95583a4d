#include "history/HistoryFileCreation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// w_id is the row key: unique, never null, and the ring lookups and window
// ranges by record number are key look-ups instead of table scans.
const char* const kSchema[] = {
    "create table pv_data ("
    "w_id integer primary key, w_date real not null, w_time real not null, "
    "pv real, op real, sv real, reg4 real, reg5 real, "
    "alm1_type real, alm2_type real, alm3_type real, spare1 real, spare2 real)",
    "create table sl_void (newest integer not null, newest_copy integer not null)",
    "insert into sl_void values (0, 0)",
};

void removeWithCompanions(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

bool buildFile(const QString& connectionName, const QString& path, QString* reason)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    if (!db.open()) {
        *reason = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    // WAL is a property of the file and stays with it: set it while the
    // file is still empty and ours alone.
    bool ok = q.exec(QStringLiteral("pragma journal_mode=wal")) && q.next()
        && q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
    q.finish();
    ok = ok && q.exec(QStringLiteral("begin immediate"));
    for (const char* statement : kSchema)
        ok = ok && q.exec(QString::fromLatin1(statement));
    ok = ok && q.exec(QStringLiteral("commit"));
    if (!ok)
        *reason = q.lastError().text().isEmpty() ? QStringLiteral("the new file refused WAL journal mode")
                                                 : q.lastError().text();
    q = QSqlQuery();
    db.close();
    return ok;
}

} // namespace

bool createHistoryFile(const QString& path, QString* reason)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        *reason = QStringLiteral("cannot create the folder %1").arg(target.absolutePath());
        return false;
    }
    // Named for this process: two stations creating the same file at once
    // must not remove or rename each other's half-built file.
    const QString partial = path + QStringLiteral(".creating-%1").arg(QCoreApplication::applicationPid());
    removeWithCompanions(partial);

    const QString connectionName = QStringLiteral("tq5800-create:") + path;
    const bool built = buildFile(connectionName, partial, reason);
    QSqlDatabase::removeDatabase(connectionName);
    if (!built) {
        removeWithCompanions(partial);
        return false;
    }
    // Closing the last connection folded the WAL into the file, so the
    // single file is the whole database and can be renamed on its own.
    if (!QFile::rename(partial, path)) {
        removeWithCompanions(partial);
        if (QFileInfo::exists(path))
            return true;
        *reason = QStringLiteral("cannot create %1").arg(path);
        return false;
    }
    return true;
}
