#include "journal/JournalStore.h"

#include <memory>
#include <utility>

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

#include "core/Clock.h"
#include "core/StationLock.h"
#include "history/SqliteProblem.h"
#include "journal/JournalLog.h"
#include "journal/JournalSchema.h"
#include "journal/StoredForms.h"

namespace {

// A file held by another writer is given up quickly: the window's thread
// waits for it.
constexpr int kBusyTimeoutMs = 100;
// Old events dropped with each insert at most, so that lowering a limit
// never makes one insert pause for a big delete.
constexpr int kDroppedPerInsert = 64;

QString lastError(const QSqlQuery& q)
{
    return q.lastError().text();
}

} // namespace

struct JournalStore::Statements {
    QSqlQuery insert;
    QSqlQuery dropBeyondCount;
    QSqlQuery dropBeyondAge;
};

JournalStore::JournalStore(QString path, const Clock& clock, JournalLimits limits, QString connectionName,
                           QObject* parent)
    : QObject(parent)
    , path_(std::move(path))
    , clock_(clock)
    , limits_(limits)
    , connectionName_(std::move(connectionName))
{
    retryTimer_.setInterval(limits_.retryMs);
    connect(&retryTimer_, &QTimer::timeout, this, &JournalStore::retry);
}

JournalStore::~JournalStore()
{
    closeDatabase();
}

void JournalStore::open()
{
    if (!openDatabase())
        return;
    writeHeld();
}

void JournalStore::append(JournalEvent event)
{
    if (!event.time.isValid())
        event.time = clock_.now();
    held_.push_back(std::move(event));
    if (static_cast<int>(held_.size()) > limits_.maxHeld) {
        held_.pop_front();
        ++dropped_;
    }
    // While the file fails only the timer tries it again: each try may wait
    // the busy time-out on the window's thread.
    if (failingSince_)
        return;
    writeHeld();
}

void JournalStore::retry()
{
    closeDatabase();
    if (openDatabase())
        writeHeld();
}

bool JournalStore::openDatabase()
{
    // The reason is reported after every handle on the connection is gone,
    // so that failing can drop the connection cleanly.
    const Failure failure = openConnection();
    return failure.reason.isEmpty() || fail(failure);
}

JournalStore::Failure JournalStore::openConnection()
{
    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
        ? QSqlDatabase::database(connectionName_, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    if (db.isOpen())
        return {};
    if (!db.isValid())
        return {QStringLiteral("the SQLite driver of Qt SQL is not installed"), {}};
    if (Failure held; !claimFile(&held))
        return held;
    const QFileInfo file(path_);
    if (!QDir().mkpath(file.absolutePath()))
        return {QStringLiteral("the folder %1 cannot be made").arg(file.absolutePath()),
                FileProblem::ofFolder(file.absolutePath())};
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return {db.lastError().text(), SqliteProblem::classify(SqliteProblem::of(db.lastError()), path_)};

    QSqlQuery q(db);
    // WAL: a reader never blocks the writer, and a committed event survives
    // the process being killed; normal sync is enough for that.
    QStringList statements{QStringLiteral("pragma journal_mode=wal"), QStringLiteral("pragma synchronous=normal")};
    statements += JournalSchema::createStatements();
    for (const QString& statement : statements) {
        if (!q.exec(statement))
            return failureOn(db, lastError(q));
        q.finish();
    }
    qCDebug(journalLog).noquote() << "opened" << path_;
    return {};
}

bool JournalStore::claimFile(Failure* failure)
{
    if (!lock_ || lock_->isTaken())
        return true;
    switch (lock_->take()) {
    case StationLock::Outcome::Taken:
        qCInfo(journalLog).noquote() << "the journal is locked:" << lock_->path();
        return true;
    case StationLock::Outcome::Held:
        *failure = {QStringLiteral("%1 is in use by %2").arg(path_, lock_->holder().text()),
                    FileProblem::inUse(path_, lock_->holder().pid)};
        return false;
    case StationLock::Outcome::Failed:
        if (!std::exchange(lockFailureLogged_, true))
            qCWarning(journalLog).noquote() << "the journal is not locked:" << lock_->error();
        return true;
    }
    return true;
}

JournalStore::Failure JournalStore::failureOn(const QSqlDatabase& db, const QString& reason) const
{
    return {reason, SqliteProblem::classify(SqliteProblem::lastFailure(db), path_)};
}

void JournalStore::closeDatabase()
{
    statements_.reset();
    if (!QSqlDatabase::contains(connectionName_))
        return;
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
}

bool JournalStore::writeHeld()
{
    if (!openDatabase())
        return false;
    int written = 0;
    while (!held_.empty()) {
        if (const Failure failure = insert(held_.front()); !failure.reason.isEmpty())
            return fail(failure);
        // Off the queue before anyone hears of it: a listener may append.
        const JournalEvent event = std::move(held_.front());
        held_.pop_front();
        ++written;
        emit appended(event);
    }
    if (failingSince_)
        resume(written);
    return true;
}

void JournalStore::resume(int written)
{
    qCInfo(journalLog).noquote() << "the journal is written again;" << written << "held events written,"
                                 << dropped_ << "dropped";
    const QDateTime since = *failingSince_;
    failingSince_.reset();
    failure_.clear();
    problem_ = {};
    retryTimer_.stop();
    emit healthChanged();

    JournalEvent resumed;
    resumed.kind = JournalEvent::Kind::JournalResumed;
    resumed.source = path_;
    resumed.oldValue = since.toString(Qt::ISODate);
    resumed.newValue = QString::number(written);
    resumed.text = dropped_ > 0 ? StoredForms::droppedEvents(dropped_) : QString();
    append(resumed);
}

JournalStore::Failure JournalStore::insert(JournalEvent& event)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (!db.transaction())
        return failureOn(db, db.lastError().text());
    QString error = insertAndDropOldest(db, event);
    if (error.isEmpty() && !db.commit())
        error = db.lastError().text();
    if (!error.isEmpty()) {
        // Read before the rollback, which has a result of its own.
        const Failure failure = failureOn(db, error);
        db.rollback();
        return failure;
    }
    qCDebug(journalLog).noquote() << "event" << event.id << JournalKinds::code(event.kind) << event.what << event.text;
    return {};
}

QString JournalStore::insertAndDropOldest(QSqlDatabase& db, JournalEvent& event)
{
    // Prepared once per connection: parsing them again for every event
    // would cost more than the insert.
    if (!statements_) {
        statements_ = std::make_unique<Statements>(Statements{QSqlQuery(db), QSqlQuery(db), QSqlQuery(db)});
        const bool prepared =
            statements_->insert.prepare(QStringLiteral(
                "insert into events (time_utc, utc_offset, kind, source, what, old_value, new_value, outcome, "
                "message, user_name, host, origin) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
            && statements_->dropBeyondCount.prepare(QStringLiteral(
                "delete from events where id in (select id from events where id <= ? order by id limit %1)")
                                                        .arg(kDroppedPerInsert))
            && statements_->dropBeyondAge.prepare(QStringLiteral(
                "delete from events where id in (select id from events where time_utc < ? limit %1)")
                                                      .arg(kDroppedPerInsert));
        if (!prepared) {
            const QString error = db.lastError().text();
            statements_.reset();
            return error.isEmpty() ? QStringLiteral("the journal's statements cannot be prepared") : error;
        }
    }
    QSqlQuery& q = statements_->insert;
    q.addBindValue(event.time.toUTC().toString(JournalSchema::kTimeFormat));
    q.addBindValue(event.time.offsetFromUtc());
    q.addBindValue(JournalKinds::code(event.kind));
    // A null text would bind as NULL; the columns hold '' for none.
    for (const QString* text : {&event.source, &event.what, &event.oldValue, &event.newValue, &event.outcome,
                                &event.text, &event.user, &event.host, &event.origin})
        q.addBindValue(text->isNull() ? QStringLiteral("") : *text);
    if (!q.exec())
        return lastError(q);
    const int64_t id = q.lastInsertId().toLongLong();
    q.finish();

    // The oldest go first, in the same transaction, a few at a time.
    QSqlQuery& count = statements_->dropBeyondCount;
    count.addBindValue(static_cast<qlonglong>(id - limits_.maxEvents));
    if (!count.exec())
        return lastError(count);
    QSqlQuery& age = statements_->dropBeyondAge;
    age.addBindValue(event.time.toUTC().addDays(-limits_.maxDays).toString(JournalSchema::kTimeFormat));
    if (!age.exec())
        return lastError(age);
    event.id = id;
    return {};
}

bool JournalStore::fail(const Failure& failure)
{
    closeDatabase();
    if (failingSince_) {
        // Another cause within the episode (another station took the file
        // meanwhile, say) is news for the status display.
        if (failure.problem.cause != problem_.cause) {
            failure_ = failure.reason;
            problem_ = failure.problem;
            emit healthChanged();
        }
        return false;
    }
    failingSince_ = clock_.now();
    failure_ = failure.reason;
    problem_ = failure.problem;
    qCWarning(journalLog).noquote() << "the journal" << path_ << "cannot be written:" << failure.reason
                                    << "- events are held until it can";
    retryTimer_.start();
    emit healthChanged();
    return false;
}

namespace JournalPath {

QString resolve(const QString& commandLinePath, const QString& historyPath)
{
    if (!commandLinePath.isEmpty())
        return QFileInfo(commandLinePath).absoluteFilePath();
    return QFileInfo(historyPath).absoluteDir().filePath(QStringLiteral("journal.sqlite"));
}

} // namespace JournalPath

namespace JournalIdentity {

QString user()
{
    // The account the process runs as, not what the environment claims.
    if (const passwd* entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(getuid());
}

QString host()
{
    return QSysInfo::machineHostName();
}

} // namespace JournalIdentity
