#include "historian/HistorianPass.h"

#include <atomic>

#include <QSqlDatabase>
#include <QSqlError>

#include "historian/ConnectionText.h"
#include "historian/HistorianLog.h"
#include "historian/HistorianSchema.h"
#include "historian/HistorianUpload.h"

HistorianPass::HistorianPass(HistorianSettings settings)
    : settings_(std::move(settings))
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

bool HistorianPass::run()
{
    QString error;
    bool ok = connect(&error) && sendSamples(&error) && sendEvents(&error);
    if (!ok) {
        // A broken connection is opened afresh next time.
        disconnect();
        healthChanged_ = health_.recordFailure(error.simplified(), QDateTime::currentDateTimeUtc());
        if (healthChanged_)
            qCWarning(historianLog).noquote() << "forwarding to" << ConnectionText::withoutPassword(settings_.connection)
                                              << "fails:" << error.simplified();
        return false;
    }
    healthChanged_ = health_.recordForwarded();
    if (healthChanged_)
        qCInfo(historianLog).noquote() << "forwarding to" << ConnectionText::withoutPassword(settings_.connection);
    return true;
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
    db.setConnectOptions(settings_.connection);
    if (!db.open()) {
        *error = QStringLiteral("cannot connect: %1").arg(db.lastError().text());
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
    if (QSqlDatabase::contains(connectionName_))
        database().close();
}

bool HistorianPass::sendSamples(QString* error)
{
    QSqlDatabase db = database();
    for (;;) {
        QString readError;
        const QList<OutboxSample> batch = outbox_.samplesAfter(cursor_.sampleTimeUtcMs, settings_.batchRows, &readError);
        if (!HistorianUpload::sendSamples(db, settings_.stationName, settings_.port, batch, error))
            return false;
        if (!batch.isEmpty()) {
            cursor_.sampleTimeUtcMs = batch.last().timeUtcMs;
            qCDebug(historianLog) << "samples sent:" << batch.size();
            if (!confirm(error))
                return false;
        }
        if (!readError.isEmpty()) {
            *error = readError;
            return false;
        }
        if (batch.size() < settings_.batchRows)
            return true;
    }
}

bool HistorianPass::sendEvents(QString* error)
{
    QSqlDatabase db = database();
    for (;;) {
        QString readError;
        const QList<OutboxEvent> batch = outbox_.eventsAfter(cursor_.eventId, settings_.batchRows, &readError);
        if (!HistorianUpload::sendEvents(db, settings_.stationName, batch, error))
            return false;
        if (!batch.isEmpty()) {
            cursor_.eventId = batch.last().id;
            qCDebug(historianLog) << "events sent:" << batch.size();
            if (!confirm(error))
                return false;
        }
        if (!readError.isEmpty()) {
            *error = readError;
            return false;
        }
        if (batch.size() < settings_.batchRows)
            return true;
    }
}

bool HistorianPass::confirm(QString* error)
{
    return cursor_.save(settings_.statePath, target_, error);
}
