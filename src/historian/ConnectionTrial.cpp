#include "historian/ConnectionTrial.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStringList>

#include "historian/Libpq.h"

#include <poll.h>

namespace {

constexpr int kCancelCheckMs = 100;

// libpq's verbose form puts the SQLSTATE after the severity:
// "FATAL:  28P01: password authentication failed for user ...".
QString sqlStateIn(const QString& message)
{
    static const QRegularExpression pattern(QStringLiteral("\\b[A-Z]+:  ([0-9A-Z]{5}): "));
    QString last;
    // Several hosts give several refusals; the last one decided.
    for (QRegularExpressionMatchIterator it = pattern.globalMatch(message); it.hasNext();)
        last = it.next().captured(1);
    return last;
}

// The verbose form's source locations say nothing to a reader.
QString withoutLocations(const QString& message)
{
    QStringList lines = message.split(QLatin1Char('\n'));
    lines.removeIf([](const QString& line) { return line.startsWith(QLatin1String("LOCATION:")); });
    return lines.join(QLatin1Char(' ')).simplified();
}

} // namespace

ConnectionTrial ConnectionTrial::run(const QString& options, std::chrono::milliseconds limit,
                                     const std::function<bool()>& cancelled)
{
    ConnectionTrial trial;
    const Libpq::Calls* pq = Libpq::calls();
    if (!pq) {
        trial.message = QStringLiteral("libpq is not loaded");
        return trial;
    }
    void* connection = pq->connectStart(options.toLocal8Bit().constData());
    if (!connection) {
        trial.message = QStringLiteral("libpq cannot allocate a connection");
        return trial;
    }
    pq->setErrorVerbosity(connection, Libpq::kErrorsVerbose);
    const QDeadlineTimer deadline(limit);
    int state = pq->status(connection) == Libpq::kConnectionBad ? Libpq::kPollingFailed : Libpq::kPollingWriting;
    while (state == Libpq::kPollingReading || state == Libpq::kPollingWriting) {
        if (cancelled()) {
            trial.outcome = Outcome::Cancelled;
            break;
        }
        if (deadline.hasExpired()) {
            trial.outcome = Outcome::TimedOut;
            break;
        }
        pollfd ready{pq->socket(connection), short(state == Libpq::kPollingReading ? POLLIN : POLLOUT), 0};
        const int waitMs = int(std::min<qint64>(kCancelCheckMs, deadline.remainingTime()));
        if (::poll(&ready, 1, waitMs) != 0)
            state = pq->connectPoll(connection);
    }
    if (state == Libpq::kPollingOk)
        trial.outcome = Outcome::Connected;
    const QString message = QString::fromLocal8Bit(pq->errorMessage(connection));
    if (state == Libpq::kPollingFailed) {
        trial.sqlState = sqlStateIn(message);
        trial.needsPassword = pq->needsPassword(connection) != 0;
        trial.message = withoutLocations(message);
    }
    pq->finish(connection);
    return trial;
}
