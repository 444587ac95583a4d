#include "historian/HistorianPass.h"

#include <atomic>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "historian/ConnectionBreaker.h"
#include "historian/ConnectionText.h"
#include "historian/HistorianLog.h"
#include "historian/HistorianSchema.h"
#include "historian/HistorianUpload.h"

HistorianPass::HistorianPass(HistorianSettings settings, ConnectionBreaker* breaker)
    : settings_(std::move(settings))
    , breaker_(breaker)
    , target_(ConnectionText::withoutPassword(settings_.connection) + QStringLiteral(" station=")
              + settings_.stationName)
    , outbox_(settings_.archiveFolder, settings_.journalPath)
    , cursor_(HistorianCursor::load(settings_.statePath, target_))
{
    static std::atomic<int> counter{0};
    connectionName_ = QStringLiteral("tq5800-historian-server-%1").arg(++counter);
}

HistorianPass::~HistorianPass()
{
    disconnect();
    QSqlDatabase::removeDatabase(connectionName_);
}

HistorianPass::Outcome HistorianPass::run(const std::function<bool()>& keepGoing)
{
    healthChanged_ = false;
    QString error;
    bool ok = connect(&error);
    // Samples first, a batch at a time, then events; keepGoing is asked
    // between batches, so a stop waits for one batch at most.
    Step step = ok ? Step::More : Step::Failed;
    for (bool samples = true; step != Step::Failed;) {
        if (!keepGoing())
            return Outcome::Interrupted;
        step = samples ? sendSamples(&error) : sendEvents(&error);
        if (step == Step::Done) {
            if (!samples)
                break;
            samples = false;
            step = Step::More;
        }
    }
    if (step == Step::Failed) {
        // A broken connection is opened afresh next time.
        disconnect();
        healthChanged_ = health_.recordFailure(error.simplified(), QDateTime::currentDateTimeUtc());
        if (healthChanged_)
            qCWarning(historianLog).noquote() << "forwarding to" << ConnectionText::withoutPassword(settings_.connection)
                                              << "fails:" << error.simplified();
        return Outcome::Failed;
    }
    healthChanged_ = health_.recordForwarded();
    if (healthChanged_)
        qCInfo(historianLog).noquote() << "forwarding to" << ConnectionText::withoutPassword(settings_.connection);
    return Outcome::Sent;
}

bool HistorianPass::initialiseServer(QString* error)
{
    disconnect();
    const bool ok = open(error) && HistorianSchema::apply(database(), error);
    disconnect();
    return ok;
}

QSqlDatabase HistorianPass::database() const
{
    return QSqlDatabase::database(connectionName_, false);
}

bool HistorianPass::open(QString* error)
{
    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
        ? QSqlDatabase::database(connectionName_, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName_);
    if (!db.isValid()) {
        *error = QStringLiteral("the PostgreSQL driver of Qt SQL (QPSQL) is not installed");
        return false;
    }
    // The whole libpq connection string goes through as options; libpq
    // itself finds a password in ~/.pgpass or PGPASSFILE.
    db.setConnectOptions(ConnectionText::withConnectTimeout(settings_.connection, settings_.connectTimeoutS));
    if (!db.open()) {
        *error = QStringLiteral("cannot connect: %1").arg(db.lastError().text());
        return false;
    }
    if (breaker_)
        breaker_->attach(db);
    QSqlQuery timeout(db);
    if (!timeout.exec(QStringLiteral("set statement_timeout = %1").arg(settings_.statementTimeoutMs))) {
        *error = timeout.lastError().text();
        return false;
    }
    return true;
}

bool HistorianPass::connect(QString* error)
{
    if (connected_)
        return true;
    if (!open(error))
        return false;
    QSqlDatabase db = database();
    // Once per run of the station: afterwards the schema is the
    // administrator's (a dropped table is put back by the next start).
    if (settings_.initialise && !initialised_) {
        if (!HistorianSchema::apply(db, error))
            return false;
        initialised_ = true;
    }
    const QString refusal = HistorianSchema::refusal(db);
    if (!refusal.isEmpty()) {
        *error = refusal;
        return false;
    }
    if (!HistorianUpload::registerStation(db, settings_.stationName, settings_.hostName, error))
        return false;
    connected_ = true;
    return true;
}

void HistorianPass::disconnect()
{
    connected_ = false;
    if (breaker_)
        breaker_->detach();
    if (QSqlDatabase::contains(connectionName_))
        database().close();
}

HistorianPass::Step HistorianPass::sendSamples(QString* error)
{
    QSqlDatabase db = database();
    QString readError;
    const QList<OutboxSample> batch = outbox_.samplesAfter(cursor_.sampleTimeUtcMs, settings_.batchRows, &readError);
    if (!HistorianUpload::sendSamples(db, settings_.stationName, settings_.port, batch, error))
        return Step::Failed;
    if (!batch.isEmpty()) {
        cursor_.sampleTimeUtcMs = batch.last().timeUtcMs;
        qCDebug(historianLog) << "samples sent:" << batch.size();
        if (!confirm(error))
            return Step::Failed;
    }
    if (!readError.isEmpty()) {
        *error = readError;
        return Step::Failed;
    }
    return batch.size() < settings_.batchRows ? Step::Done : Step::More;
}

HistorianPass::Step HistorianPass::sendEvents(QString* error)
{
    QSqlDatabase db = database();
    QString readError;
    const QList<OutboxEvent> batch = outbox_.eventsAfter(cursor_.eventId, settings_.batchRows, &readError);
    if (!HistorianUpload::sendEvents(db, settings_.stationName, batch, error))
        return Step::Failed;
    if (!batch.isEmpty()) {
        cursor_.eventId = batch.last().id;
        qCDebug(historianLog) << "events sent:" << batch.size();
        if (!confirm(error))
            return Step::Failed;
    }
    if (!readError.isEmpty()) {
        *error = readError;
        return Step::Failed;
    }
    return batch.size() < settings_.batchRows ? Step::Done : Step::More;
}

bool HistorianPass::confirm(QString* error)
{
    return cursor_.save(settings_.statePath, target_, error);
}
