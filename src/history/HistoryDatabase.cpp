#include "history/HistoryDatabase.h"

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include "history/HistoryFileCreation.h"
#include "history/HistoryLog.h"
#include "history/SqliteProblem.h"

namespace {

// mode=rw opens an existing file for writing and never creates one, so a
// file deleted between the existence check and the open is not silently
// replaced by an empty database without tables.
QString existingFileUri(const QString& path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw");
}

// SQLite opens a write-protected file read-only without a word and gives
// the -wal and -shm files it then creates the same protection, so the
// database would stay unwritable after the file itself is made writable
// again. A file that cannot be written is therefore refused before SQLite
// sees it, and nothing is created beside it. Asked of the file system, not
// by opening: closing any descriptor of the file would drop the locks
// SQLite holds on it for this process's other connection.
struct Unwritable {
    QString reason;
    FileProblem problem;
};

std::optional<Unwritable> unwritableFile(const QString& path)
{
    for (const QLatin1String suffix : {QLatin1String(""), QLatin1String("-wal"), QLatin1String("-shm")}) {
        const QString name = path + suffix;
        if (!QFileInfo::exists(name))
            continue;
        if (faccessat(AT_FDCWD, QFile::encodeName(name).constData(), W_OK, AT_EACCESS) == 0)
            continue;
        const int error = errno;
        const QString what = suffix.isEmpty() ? QStringLiteral("the file")
                                              : QStringLiteral("its companion file ") + QFileInfo(name).fileName();
        return Unwritable{QStringLiteral("%1 cannot be written (%2)").arg(what, qt_error_string(error)),
                          FileProblem::fromErrno(error, name)};
    }
    return std::nullopt;
}

// Every connection of this process, so that the first to find its file
// moved can close the others on that file before anything opens the new one.
std::vector<HistoryDatabase*>& everyConnection()
{
    static std::vector<HistoryDatabase*> all;
    return all;
}

} // namespace

HistoryDatabase::HistoryDatabase(QString connectionName, QString path)
    : connectionName_(std::move(connectionName))
    , path_(std::move(path))
{
    everyConnection().push_back(this);
}

HistoryDatabase::~HistoryDatabase()
{
    std::erase(everyConnection(), this);
    close();
    if (QSqlDatabase::contains(connectionName_))
        QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase HistoryDatabase::database() const
{
    return QSqlDatabase::database(connectionName_, false);
}

bool HistoryDatabase::open()
{
    close();
    errorText_.clear();
    problem_ = {};
    createdFile_ = false;
    if (!QFileInfo::exists(path_)) {
        QString reason;
        if (!createHistoryFile(path_, &reason))
            return fail(reason, FileProblem::ofFile(path_));
        createdFile_ = true;
    } else if (const auto unwritable = unwritableFile(path_)) {
        return fail(unwritable->reason, unwritable->problem);
    }

    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
        ? QSqlDatabase::database(connectionName_, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    if (!db.isValid())
        return fail(QStringLiteral("the SQLite driver of Qt SQL is not installed"), {});
    // Taken before SQLite opens the path: a file renamed over it in between
    // then only makes the next check open it again.
    identity_ = HistoryFileIdentity::at(path_);
    db.setDatabaseName(existingFileUri(path_));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return fail(db.lastError().text(), SqliteProblem::classify(SqliteProblem::of(db.lastError()), path_));

    QString reason;
    const auto layout = HistoryTables::readLayout(db, &reason);
    if (!layout) {
        // A database without the ring's tables is no history file either.
        FileProblem problem = SqliteProblem::classify(SqliteProblem::lastFailure(db), path_);
        if (!problem.known())
            problem = {FileProblem::Cause::NotOurKind, path_};
        return fail(reason, problem);
    }
    layout_ = *layout;
    if (!configureConnection(db))
        return false;
    open_ = true;
    qCDebug(historyLog).noquote() << (createdFile_ ? "created" : "opened") << path_ << "for" << connectionName_
                                  << "journal" << journalMode_;
    return true;
}

bool HistoryDatabase::configureConnection(QSqlDatabase& db)
{
    // Asking for the journal mode without a value only reads it.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("pragma journal_mode")) || !q.next())
        return failOnConnection(q.lastError().text());
    journalMode_ = q.value(0).toString().toLower();
    q.finish();
    const QString sync = journalMode_ == QLatin1String("wal") ? QStringLiteral("normal") : QStringLiteral("full");
    if (!q.exec(QStringLiteral("pragma synchronous=") + sync))
        return failOnConnection(q.lastError().text());
    return true;
}

HistoryDatabase::FileChange HistoryDatabase::followFileAtPath()
{
    const auto atPath = HistoryFileIdentity::at(path_);
    if (open_ && atPath == identity_)
        return std::exchange(movedAway_, FileChange::None);  // already opened again by its owner
    if (!open_ && movedAway_ == FileChange::None)
        return FileChange::None;  // closed for another reason: its owner opens it again
    FileChange change = movedAway_;
    if (open_) {
        change = atPath ? FileChange::Replaced : FileChange::Recreated;
        leaveMovedFile(change);
    }
    movedAway_ = FileChange::None;
    qCDebug(historyLog).noquote() << connectionName_ << "follows the file at" << path_;
    open();
    return change;
}

void HistoryDatabase::leaveMovedFile(FileChange change)
{
    foldJournalIntoFile();
    for (HistoryDatabase* other : everyConnection()) {
        if (other != this && other->open_ && other->identity_ == identity_) {
            other->close();
            other->movedAway_ = change;
        }
    }
    close();
}

void HistoryDatabase::foldJournalIntoFile()
{
    // SQLite leaves the -wal and -shm of a file that moved behind when it
    // closes, under the path's names; the next connection to open the path
    // would read the old file's pages from them as the new file's. Emptied
    // here, they hold nothing, and the old file keeps all it had.
    if (journalMode_ != QLatin1String("wal"))
        return;
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("pragma wal_checkpoint(truncate)")) || !q.next() || q.value(0).toInt() != 0)
        qCWarning(historyLog).noquote() << "the WAL of the file that was at" << path_
                                        << "could not be emptied:" << q.lastError().text();
}

void HistoryDatabase::close()
{
    open_ = false;
    if (!QSqlDatabase::contains(connectionName_))
        return;
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (db.isOpen())
        db.close();
}

bool HistoryDatabase::fail(const QString& reason, const FileProblem& problem)
{
    errorText_ = reason.isEmpty() ? QStringLiteral("unknown database error") : reason;
    problem_ = problem;
    close();
    return false;
}

bool HistoryDatabase::failOnConnection(const QString& reason)
{
    return fail(reason, SqliteProblem::classify(SqliteProblem::lastFailure(database()), path_));
}
