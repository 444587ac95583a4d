#include "historian/HistorianPass.h"

#include <atomic>
#include <limits>

#include <QSqlDatabase>
#include <QSqlError>

#include "historian/ConnectionText.h"
#include "historian/HistorianLog.h"
#include "historian/HistorianSchema.h"
#include "historian/HistorianUpload.h"

HistorianPass::HistorianPass(HistorianSettings settings, std::chrono::milliseconds recountInterval)
    : settings_(std::move(settings))
    , recountInterval_(recountInterval)
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
    bool ok = connect(&error) && sendSamplesBehind(&error) && sendSamples(&error) && sendEvents(&error);
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
    if (!connected_ && !open(error))
        return false;
    QSqlDatabase db = database();
    // Checked on every pass, not only on connecting: a newer station may
    // change the schema under a connection held for days.
    const QString refusal = HistorianSchema::refusal(db);
    if (!refusal.isEmpty()) {
        *error = refusal;
        return false;
    }
    if (!connected_ && !HistorianUpload::registerStation(db, settings_.stationName, settings_.hostName, error))
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

bool HistorianPass::sendSamplesBehind(QString* error)
{
    if (recounted_.isValid() && !recounted_.hasExpired(recountInterval_.count()))
        return true;
    const QStringList files = outbox_.monthFiles();
    // Months the archive's retention removed are not counted any more.
    std::erase_if(cursor_.confirmedRows, [&](const auto& entry) { return !files.contains(entry.first); });
    const qint64 position = cursor_.sampleTimeUtcMs;
    const QString positionFile = position < 0 ? QString() : HistorianOutbox::monthFileOf(position);
    for (const QString& file : files) {
        if (file > positionFile)
            break;
        QString readError;
        const std::optional<qint64> count = outbox_.countUpTo(file, position, &readError);
        if (!count) {
            // A damaged month file is the archive's to report; counted
            // again at the next recount.
            qCDebug(historianLog).noquote() << readError;
            continue;
        }
        const auto confirmed = cursor_.confirmedRows.find(file);
        if (confirmed != cursor_.confirmedRows.end() && confirmed->second == *count)
            continue;
        qCInfo(historianLog).noquote() << file << "holds" << *count << "samples at or before the position, the server"
                                       << "confirmed" << (confirmed == cursor_.confirmedRows.end() ? 0 : confirmed->second)
                                       << "of them: sending the month again";
        if (!sendMonthAgain(file, position, error))
            return false;
        cursor_.confirmedRows[file] = *count;
        if (!confirm(error))
            return false;
    }
    // Only a recount that got through waits for the next: one cut short
    // is repeated by the next pass.
    recounted_.start();
    return true;
}

bool HistorianPass::sendMonthAgain(const QString& monthFile, qint64 upToUtcMs, QString* error)
{
    QSqlDatabase db = database();
    qint64 after = std::numeric_limits<qint64>::min();
    for (;;) {
        QString readError;
        const QList<OutboxSample> batch =
            outbox_.samplesBetween(monthFile, after, upToUtcMs, settings_.batchRows, &readError);
        if (!readError.isEmpty()) {
            *error = readError;
            return false;
        }
        if (!HistorianUpload::sendSamples(db, settings_.stationName, settings_.port, batch, error))
            return false;
        if (batch.size() < settings_.batchRows)
            return true;
        after = batch.last().timeUtcMs;
    }
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
            for (const OutboxSample& s : batch)
                ++cursor_.confirmedRows[HistorianOutbox::monthFileOf(s.timeUtcMs)];
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
