#include "historian/ServerConnection.h"

#include <chrono>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "historian/ConnectionText.h"
#include "historian/ConnectionTrial.h"

namespace ServerConnection {
namespace {

using Cause = ForwardingFailure::Cause;

ForwardingFailure trialFailure(const ConnectionTrial& trial, int connectS, const QString& options)
{
    using Outcome = ConnectionTrial::Outcome;
    switch (trial.outcome) {
    case Outcome::TimedOut:
        return {Cause::NoAnswer, QStringLiteral("cannot connect: the server did not answer within %1 s").arg(connectS)};
    case Outcome::Cancelled:
        return {Cause::NoAnswer, QStringLiteral("cannot connect: given up while the server did not answer")};
    case Outcome::Connected:
    case Outcome::Refused:
        break;
    }
    // No SQLSTATE: libpq's own failure, a server never reached, or a
    // password asked for and not found.
    Cause cause = ForwardingFailure::causeOf(trial.sqlState);
    if (trial.sqlState.isEmpty())
        cause = trial.needsPassword ? Cause::Authentication : Cause::NoConnection;
    // libpq's complaint may quote the whole string.
    return {cause, QStringLiteral("cannot connect: %1")
                       .arg(QString(trial.message).replace(options, ConnectionText::withoutPassword(options)))
                       .simplified()};
}

} // namespace

QString refusal(const QString& connection)
{
    if (connection.startsWith(QStringLiteral("postgresql://")) || connection.startsWith(QStringLiteral("postgres://")))
        return QStringLiteral("a connection URI cannot be used here; give keywords (host=... dbname=... user=...)");
    return {};
}

QString commandLineRefusal(const QString& connection)
{
    if (ConnectionText::withoutPassword(connection) != connection.simplified())
        return QStringLiteral("--historian takes no password: put it in ~/.pgpass or the file PGPASSFILE names");
    if (const QString refused = refusal(connection); !refused.isEmpty())
        return QStringLiteral("--historian: %1").arg(refused);
    return {};
}

bool open(const QString& name, const QString& connection, const Timeouts& timeouts, ForwardingFailure* failure,
          const std::function<bool()>& cancelled)
{
    *failure = {Cause::Unknown, refusal(connection)};
    if (!failure->reason.isEmpty())
        return false;
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    if (!db.isValid()) {
        failure->reason = QStringLiteral("the PostgreSQL driver of Qt SQL (QPSQL) is not installed");
        return false;
    }
    // libpq waits for ever by default; a connect_timeout given is kept.
    const QString options = connection.contains(QStringLiteral("connect_timeout"))
        ? connection
        : QStringLiteral("connect_timeout=%1 %2").arg(timeouts.connectS).arg(connection);
    const ConnectionTrial trial =
        ConnectionTrial::run(options, std::chrono::seconds(timeouts.connectS), cancelled);
    if (trial.outcome != ConnectionTrial::Outcome::Connected) {
        *failure = trialFailure(trial, timeouts.connectS, options);
        return false;
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        *failure = {Cause::NoConnection, QStringLiteral("cannot connect: %1")
                                             .arg(db.lastError().text().replace(
                                                 options, ConnectionText::withoutPassword(options)))
                                             .simplified()};
        return false;
    }
    // A server that stops answering fails the statement instead of holding
    // the caller for ever.
    QSqlQuery timeout(db);
    if (!timeout.exec(QStringLiteral("set statement_timeout = %1").arg(timeouts.statementMs))) {
        *failure = ForwardingFailure::ofStatement(db, timeout.lastError());
        db.close();
        return false;
    }
    return true;
}

} // namespace ServerConnection
