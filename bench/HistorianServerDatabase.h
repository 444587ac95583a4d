#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "historian/HistorianSchema.h"
#include "support/PostgresServer.h"

// A fresh database with the historian's schema on the throwaway server the
// tests use (started on first use, stopped when the program ends), and a
// connection of the benchmark's own to it. Without a server installed,
// why() says so and the benchmark skips.
class HistorianServerDatabase {
public:
    explicit HistorianServerDatabase(QString connectionName)
        : name_(std::move(connectionName))
    {
        PostgresServer& server = PostgresServer::shared();
        if (!server.failure().isEmpty()) {
            why_ = server.failure();
            return;
        }
        connection_ = server.createDatabase();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        db.setConnectOptions(connection_);
        if (!db.open()) {
            why_ = db.lastError().text();
            return;
        }
        ForwardingFailure failure;
        if (!HistorianSchema::apply(db, &failure))
            why_ = failure.reason;
    }

    ~HistorianServerDatabase()
    {
        if (!QSqlDatabase::contains(name_))
            return;
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }

    HistorianServerDatabase(const HistorianServerDatabase&) = delete;
    HistorianServerDatabase& operator=(const HistorianServerDatabase&) = delete;

    // Empty when the database is ready.
    const QString& why() const { return why_; }
    const QString& connection() const { return connection_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

    // The first column of the first row of a query; invalid on failure.
    QVariant value(const QString& select) const
    {
        QSqlQuery query(db());
        if (!query.exec(select) || !query.next())
            return {};
        return query.value(0);
    }

private:
    QString name_;
    QString connection_;
    QString why_;
};
