#include "archive/ArchiveFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "archive/ArchiveLog.h"
#include "archive/ArchiveSchema.h"
#include "history/HistoryDatabase.h"
#include "history/SqliteProblem.h"

struct ArchiveFolder::MonthFile {
    QString connectionName;
    QSqlQuery insert;
};

namespace {

QString monthOf(const PeriodSample& sample)
{
    return ArchiveSchema::monthFileName(QDateTime::fromMSecsSinceEpoch(sample.utcMs, Qt::UTC));
}

QVariant optionalValue(const auto& value)
{
    return value ? QVariant(static_cast<qlonglong>(*value)) : QVariant(QMetaType(QMetaType::LongLong));
}

} // namespace

ArchiveFolder::ArchiveFolder(QString path, QString connectionPrefix)
    : path_(std::move(path))
    , connectionPrefix_(std::move(connectionPrefix) + path_ + QLatin1Char('/'))
{
}

ArchiveFolder::~ArchiveFolder()
{
    closeAll();
}

bool ArchiveFolder::make(QString* error, FileProblem* problem)
{
    if (QDir().mkpath(path_))
        return true;
    *error = QStringLiteral("the folder %1 cannot be made").arg(path_);
    *problem = FileProblem::ofFolder(path_);
    return false;
}

ArchiveFolder::MonthFile* ArchiveFolder::monthFile(const QString& fileName, QString* error, FileProblem* problem)
{
    if (const auto found = open_.find(fileName); found != open_.end())
        return found->second.get();
    if (!make(error, problem))
        return nullptr;
    const QString filePath = QDir(path_).filePath(fileName);
    auto file = std::make_unique<MonthFile>();
    file->connectionName = connectionPrefix_ + fileName;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file->connectionName);
    db.setDatabaseName(filePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(HistoryDatabase::kBusyTimeoutMs));
    QStringList statements{QStringLiteral("pragma journal_mode=wal"), QStringLiteral("pragma synchronous=normal")};
    statements += ArchiveSchema::createStatements();
    bool ok = db.open();
    if (ok) {
        QSqlQuery q(db);
        for (const QString& statement : statements) {
            if (!(ok = q.exec(statement))) {
                *error = q.lastError().text();
                *problem = SqliteProblem::classify(SqliteProblem::lastFailure(db), filePath);
                break;
            }
        }
        // The journal mode is only known to be WAL when the pragma says so:
        // on a read-only file it answers with the mode it keeps.
        if (ok && q.exec(QStringLiteral("pragma journal_mode")) && q.next()
            && q.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0) {
            ok = false;
            *error = QStringLiteral("the file cannot be switched to WAL");
            *problem = FileProblem::ofFile(filePath);
        }
    } else {
        *error = db.lastError().text();
        *problem = SqliteProblem::classify(SqliteProblem::of(db.lastError()), filePath);
    }
    if (ok) {
        file->insert = QSqlQuery(db);
        ok = file->insert.prepare(QStringLiteral(
            "insert or ignore into samples (time_utc_ms, utc_offset, pv, op, sv, alarm_bits, coil_bits, address) "
            "values (?, ?, ?, ?, ?, ?, ?, ?)"));
        if (!ok) {
            *error = file->insert.lastError().text();
            *problem = SqliteProblem::classify(SqliteProblem::lastFailure(db), filePath);
        }
    }
    if (!ok) {
        // Where SQLite's codes say nothing, the file system may.
        if (!problem->known())
            *problem = FileProblem::ofFile(filePath);
        *error = QStringLiteral("%1: %2").arg(filePath, *error);
        file->insert = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(file->connectionName);
        return nullptr;
    }
    qCDebug(archiveLog).noquote() << "opened" << db.databaseName();
    return open_.emplace(fileName, std::move(file)).first->second.get();
}

ArchiveFolder::Written ArchiveFolder::write(const std::vector<PeriodSample>& samples)
{
    Written written;
    size_t begin = 0;
    while (begin < samples.size()) {
        const QString fileName = monthOf(samples[begin]);
        size_t end = begin + 1;
        while (end < samples.size() && monthOf(samples[end]) == fileName)
            ++end;
        MonthFile* file = monthFile(fileName, &written.error, &written.problem);
        if (!file)
            return written;
        const QString filePath = QDir(path_).filePath(fileName);
        QSqlDatabase db = QSqlDatabase::database(file->connectionName, false);
        if (!db.transaction()) {
            written.error = db.lastError().text();
            written.problem = SqliteProblem::classify(SqliteProblem::lastFailure(db), filePath);
            return written;
        }
        int repeated = 0;
        for (size_t i = begin; i < end && written.error.isEmpty(); ++i) {
            const PeriodSample& s = samples[i];
            QSqlQuery& q = file->insert;
            q.bindValue(0, static_cast<qlonglong>(s.utcMs));
            q.bindValue(1, s.utcOffset);
            q.bindValue(2, s.pv);
            q.bindValue(3, s.op);
            q.bindValue(4, s.sv);
            q.bindValue(5, optionalValue(s.alarmBits));
            q.bindValue(6, optionalValue(s.coilBits));
            q.bindValue(7, optionalValue(s.address));
            if (!q.exec())
                written.error = q.lastError().text();
            else if (q.numRowsAffected() == 0)
                ++repeated;
        }
        if (written.error.isEmpty() && !db.commit())
            written.error = db.lastError().text();
        if (!written.error.isEmpty()) {
            // Read before the rollback, which has a result of its own.
            written.problem = SqliteProblem::classify(SqliteProblem::lastFailure(db), filePath);
            db.rollback();
            written.error = QStringLiteral("%1: %2").arg(filePath, written.error);
            return written;
        }
        written.committed += static_cast<int>(end - begin);
        written.repeated += repeated;
        begin = end;
    }
    return written;
}

std::optional<int64_t> ArchiveFolder::newestUtcMs(QString* error, FileProblem* problem)
{
    const QStringList files = monthFiles();
    for (auto name = files.crbegin(); name != files.crend(); ++name) {
        MonthFile* file = monthFile(*name, error, problem);
        if (!file)
            return std::nullopt;
        const QSqlDatabase db = QSqlDatabase::database(file->connectionName, false);
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("select max(time_utc_ms) from samples")) || !q.next()) {
            *error = q.lastError().text();
            *problem = SqliteProblem::classify(SqliteProblem::lastFailure(db), QDir(path_).filePath(*name));
            return std::nullopt;
        }
        if (!q.value(0).isNull())
            return q.value(0).toLongLong();
    }
    return std::nullopt;
}

QStringList ArchiveFolder::monthFiles() const
{
    QStringList names;
    const QRegularExpression monthName(QStringLiteral("^\\d{4}-\\d{2}\\.sqlite$"));
    for (const QString& name : QDir(path_).entryList({QStringLiteral("*.sqlite")}, QDir::Files, QDir::Name)) {
        if (monthName.match(name).hasMatch())
            names << name;
    }
    return names;
}

QStringList ArchiveFolder::removeMonthsBefore(const QString& firstKept)
{
    QStringList removed;
    const QString limit = firstKept + QStringLiteral(".sqlite");
    for (const QString& name : monthFiles()) {
        if (name >= limit)
            break;
        close(name);
        const QString file = QDir(path_).filePath(name);
        QFile::remove(file + QStringLiteral("-wal"));
        QFile::remove(file + QStringLiteral("-shm"));
        if (QFile::remove(file))
            removed << name;
        else
            qCWarning(archiveLog).noquote() << "an old month file cannot be removed:" << file;
    }
    return removed;
}

void ArchiveFolder::close(const QString& fileName)
{
    const auto found = open_.find(fileName);
    if (found == open_.end())
        return;
    const QString connectionName = found->second->connectionName;
    open_.erase(found);
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
}

void ArchiveFolder::closeAll()
{
    while (!open_.empty())
        close(open_.begin()->first);
}
