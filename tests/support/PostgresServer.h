#pragma once

#include <cerrno>
#include <csignal>
#include <memory>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

// A throwaway PostgreSQL cluster (scripts/test-postgres) on a Unix socket in
// a temporary folder, started once per test program on first use and
// stopped when the program ends. Each test gets a fresh database of its own.
class PostgresServer {
public:
    static PostgresServer& shared()
    {
        static PostgresServer server;
        return server;
    }

    ~PostgresServer()
    {
        if (running_)
            stop();
    }

    // Empty when the server runs; otherwise why not. A missing installation
    // is told apart (installed()) so that only it skips the tests.
    const QString& failure() const { return failure_; }
    bool installed() const { return installed_; }

    // Stops and starts the same cluster: an outage with the data kept.
    bool stop()
    {
        running_ = false;
        return script({QStringLiteral("stop"), dir_.path()}, nullptr);
    }
    bool start()
    {
        running_ = script({QStringLiteral("start"), dir_.path()}, &adminConnection_);
        return running_;
    }

    // Freezes the server's processes (SIGSTOP) or lets them go on
    // (SIGCONT): a server that stops answering without closing anything.
    bool freeze(bool frozen)
    {
        QFile pidFile(dir_.filePath(QStringLiteral("pg/postmaster.pid")));
        const int postmaster = pidFile.open(QIODevice::ReadOnly) ? pidFile.readLine().trimmed().toInt() : 0;
        if (postmaster <= 0)
            return false;
        // The postmaster first, so that it starts no process while its
        // children are looked for.
        bool ok = ::kill(postmaster, frozen ? SIGSTOP : SIGCONT) == 0;
        // A child may end between being listed and being signalled (a
        // backend whose client went away): it answers nothing either way.
        for (const int child : children(postmaster))
            ok = (::kill(child, frozen ? SIGSTOP : SIGCONT) == 0 || errno == ESRCH) && ok;
        return ok;
    }

    // A connection string for the database (the superuser, no password).
    QString connection(const QString& database) const
    {
        return QStringLiteral("host=%1/sock dbname=%2 user=postgres").arg(dir_.path(), database);
    }

    // A new empty database; its connection string.
    QString createDatabase()
    {
        const QString name = QStringLiteral("t") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        EXPECT_TRUE(exec(connection(QStringLiteral("postgres")), QStringLiteral("create database ") + name));
        return connection(name);
    }

    // Runs one statement on its own short-lived connection.
    static bool exec(const QString& connection, const QString& statement, QString* error = nullptr)
    {
        const QString name = QUuid::createUuid().toString();
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setConnectOptions(connection);
            QSqlQuery query(db);
            ok = db.open() && query.exec(statement);
            if (!ok && error)
                *error = db.isOpen() ? query.lastError().text() : db.lastError().text();
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    }

private:
    PostgresServer()
    {
        QString out;
        installed_ = script({QStringLiteral("bindir")}, &out);
        if (!installed_) {
            failure_ = QStringLiteral("no PostgreSQL server installed (Debian package postgresql): ") + out;
            return;
        }
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            installed_ = false;
            failure_ = QStringLiteral("Qt's PostgreSQL driver is not installed (Debian package libqt6sql6-psql)");
            return;
        }
        if (!dir_.isValid() || !start())
            failure_ = QStringLiteral("the throwaway PostgreSQL server did not start: ") + adminConnection_;
    }

    static std::vector<int> children(int parent)
    {
        std::vector<int> found;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ...": the name may hold blanks.
            const QByteArray text = stat.readAll();
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && fields[1].toInt() == parent)
                found.push_back(entry.toInt());
        }
        return found;
    }

    bool script(const QStringList& arguments, QString* output)
    {
        QProcess process;
        process.start(QStringLiteral(TQ5800_TEST_POSTGRES_SCRIPT), arguments);
        const bool ok = process.waitForFinished(60'000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
        if (output)
            *output = QString::fromLocal8Bit(ok ? process.readAllStandardOutput() : process.readAllStandardError())
                          .trimmed();
        return ok;
    }

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/tq5800-postgres-XXXXXX")};
    QString adminConnection_;
    QString failure_;
    bool installed_ = false;
    bool running_ = false;
};

// Gives each test a fresh database on the shared server; skips only when the
// server or Qt's driver is not installed, fails when it is and will not run.
class PostgresFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        PostgresServer& server = PostgresServer::shared();
        if (!server.installed())
            GTEST_SKIP() << server.failure().toStdString();
        ASSERT_TRUE(server.failure().isEmpty()) << server.failure().toStdString();
        connection_ = server.createDatabase();
    }

    PostgresServer& server() { return PostgresServer::shared(); }
    const QString& connection() const { return connection_; }

private:
    QString connection_;
};
