#include "historian/HistorianPass.h"

#include <array>
#include <atomic>
#include <limits>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "historian/ConnectionBreaker.h"
#include "historian/ConnectionText.h"
#include "historian/HistorianLog.h"
#include "historian/HistorianSchema.h"
#include "historian/HistorianUpload.h"
#include "historian/ServerConnection.h"
#include "journal/ShownEvent.h"

namespace {

// The log's line: the cause in English with what to do, then the server's words.
QString causeAndReason(const ForwardingFailure& failure)
{
    const ShownText cause = forwardingCauseWords(failure.cause);
    const QString reason = failure.reason.simplified();
    return cause.isEmpty() ? reason : QStringLiteral("%1 (%2)").arg(cause.english(), reason);
}

} // namespace

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
    ForwardingFailure failure;
    // Samples archived behind the position first, then the new samples, then
    // events, a batch at a time; keepGoing is asked between batches, so a
    // stop waits for one batch at most.
    const std::array<Step (HistorianPass::*)(ForwardingFailure*), 3> phases{
        &HistorianPass::sendSamplesBehind, &HistorianPass::sendSamples, &HistorianPass::sendEvents};
    Step step = connect(&failure) ? Step::More : Step::Failed;
    for (size_t phase = 0; step != Step::Failed && phase < phases.size();) {
        if (!keepGoing())
            return Outcome::Interrupted;
        step = (this->*phases[phase])(&failure);
        if (step == Step::Done)
            ++phase;
    }
    if (step == Step::Failed) {
        // libpq's words for a connection broken under it say nothing of why.
        if (breaker_ && breaker_->takeBreak())
            failure = {ForwardingFailure::Cause::NoAnswer,
                       QStringLiteral("the server did not answer: the connection was broken")};
        // A broken connection is opened afresh next time.
        disconnect();
        healthChanged_ = health_.recordFailure(failure, QDateTime::currentDateTimeUtc());
        if (healthChanged_)
            qCWarning(historianLog).noquote()
                << "forwarding to" << ConnectionText::withoutPassword(settings_.connection)
                << "fails:" << causeAndReason(failure);
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
    ForwardingFailure failure;
    const bool ok = open(&failure) && HistorianSchema::apply(database(), &failure);
    disconnect();
    *error = failure.reason;
    return ok;
}

QSqlDatabase HistorianPass::database() const
{
    return QSqlDatabase::database(connectionName_, false);
}

bool HistorianPass::open(ForwardingFailure* failure)
{
    // The station's stop gives up a connection the server is slow to make.
    const auto cancelled = [this] { return breaker_ && breaker_->breakRequested(); };
    if (!ServerConnection::open(connectionName_, settings_.connection,
                                {settings_.connectTimeoutS, settings_.statementTimeoutMs}, failure, cancelled))
        return false;
    if (breaker_)
        breaker_->attach(database());
    return true;
}

bool HistorianPass::connect(ForwardingFailure* failure)
{
    if (!connected_ && !open(failure))
        return false;
    QSqlDatabase db = database();
    // Once per run of the station: afterwards the schema is the
    // administrator's (a dropped table is put back by the next start).
    if (settings_.initialise && !initialised_) {
        if (!HistorianSchema::apply(db, failure))
            return false;
        initialised_ = true;
    }
    // Checked on every pass, not only on connecting: a newer station may
    // change the schema under a connection held for days.
    if (const std::optional<ForwardingFailure> refusal = HistorianSchema::refusal(db)) {
        *failure = *refusal;
        return false;
    }
    if (!connected_ && !HistorianUpload::registerStation(db, settings_.stationName, settings_.hostName, failure))
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

void HistorianPass::recount()
{
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
        resends_.append({file, std::numeric_limits<qint64>::min(), position, *count});
    }
}

HistorianPass::Step HistorianPass::sendSamplesBehind(ForwardingFailure* failure)
{
    if (resends_.isEmpty()) {
        if (recounted_.isValid() && !recounted_.hasExpired(settings_.recountMs))
            return Step::Done;
        recount();
        if (resends_.isEmpty()) {
            recounted_.start();
            return Step::Done;
        }
    }
    // A resend cut short by a failure goes on from its last batch.
    Resend& resend = resends_.first();
    QString readError;
    const QList<OutboxSample> batch =
        outbox_.samplesBetween(resend.monthFile, resend.after, resend.upTo, settings_.batchRows, &readError);
    if (!readError.isEmpty()) {
        *failure = {ForwardingFailure::Cause::StationFiles, readError};
        return Step::Failed;
    }
    QSqlDatabase db = database();
    if (!HistorianUpload::sendSamples(db, settings_.stationName, settings_.port, batch, failure))
        return Step::Failed;
    if (batch.size() >= settings_.batchRows) {
        resend.after = batch.last().timeUtcMs;
        return Step::More;
    }
    cursor_.confirmedRows[resend.monthFile] = resend.count;
    resends_.removeFirst();
    if (!confirm(failure))
        return Step::Failed;
    if (!resends_.isEmpty())
        return Step::More;
    // Only a recount that got through waits for the next.
    recounted_.start();
    return Step::Done;
}

HistorianPass::Step HistorianPass::sendSamples(ForwardingFailure* failure)
{
    QSqlDatabase db = database();
    QString readError;
    const QList<OutboxSample> batch = outbox_.samplesAfter(cursor_.sampleTimeUtcMs, settings_.batchRows, &readError);
    if (!HistorianUpload::sendSamples(db, settings_.stationName, settings_.port, batch, failure))
        return Step::Failed;
    if (!batch.isEmpty()) {
        cursor_.sampleTimeUtcMs = batch.last().timeUtcMs;
        for (const OutboxSample& s : batch)
            ++cursor_.confirmedRows[HistorianOutbox::monthFileOf(s.timeUtcMs)];
        qCDebug(historianLog) << "samples sent:" << batch.size();
        if (!confirm(failure))
            return Step::Failed;
    }
    if (!readError.isEmpty()) {
        *failure = {ForwardingFailure::Cause::StationFiles, readError};
        return Step::Failed;
    }
    return batch.size() < settings_.batchRows ? Step::Done : Step::More;
}

HistorianPass::Step HistorianPass::sendEvents(ForwardingFailure* failure)
{
    QSqlDatabase db = database();
    QString readError;
    const QList<OutboxEvent> batch = outbox_.eventsAfter(cursor_.eventId, settings_.batchRows, &readError);
    if (!HistorianUpload::sendEvents(db, settings_.stationName, batch, failure))
        return Step::Failed;
    if (!batch.isEmpty()) {
        cursor_.eventId = batch.last().id;
        qCDebug(historianLog) << "events sent:" << batch.size();
        if (!confirm(failure))
            return Step::Failed;
    }
    if (!readError.isEmpty()) {
        *failure = {ForwardingFailure::Cause::StationFiles, readError};
        return Step::Failed;
    }
    return batch.size() < settings_.batchRows ? Step::Done : Step::More;
}

bool HistorianPass::confirm(ForwardingFailure* failure)
{
    QString error;
    if (cursor_.save(settings_.statePath, target_, &error))
        return true;
    *failure = {ForwardingFailure::Cause::StationFiles, error};
    return false;
}
