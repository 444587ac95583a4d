#include <map>

#include <QDeadlineTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs the writer until it has reported `count` events, then kills it with
// SIGKILL; returns what it reported (id -> what), or a failure.
std::map<qint64, QString> appendAndKill(const QString& path, int count, QString& failure)
{
    std::map<qint64, QString> reported;
    QProcess writer;
    writer.start(QStringLiteral(TQ5800_JOURNAL_WRITER_PATH), {path});
    if (!writer.waitForStarted(5000)) {
        failure = writer.errorString();
        return reported;
    }
    auto collect = [&] {
        while (writer.canReadLine()) {
            const QList<QByteArray> parts = writer.readLine().trimmed().split(' ');
            if (parts.value(0) == "failing")
                failure = QString::fromUtf8(parts.mid(1).join(' '));
            else
                reported[parts.value(0).toLongLong()] = QString::fromUtf8(parts.value(1));
        }
    };
    QDeadlineTimer deadline(20000);
    while (static_cast<int>(reported.size()) < count && failure.isEmpty() && !deadline.hasExpired()) {
        writer.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        collect();
    }
    writer.kill();
    writer.waitForFinished(5000);
    collect();
    if (failure.isEmpty() && static_cast<int>(reported.size()) < count)
        failure = QStringLiteral("only %1 events reported").arg(reported.size());
    return reported;
}

TEST(JournalCrash, aKilledWriterLeavesAnIntactJournalHoldingEveryEventItReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    for (const int count : {300, 1200, 777}) {
        QString failure;
        const auto reported = appendAndKill(path, count, failure);
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        std::map<qint64, QString> stored;
        {
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(QStringLiteral("pragma integrity_check")) && q.next());
            EXPECT_EQ(q.value(0).toString(), QStringLiteral("ok"));
            ASSERT_TRUE(q.exec(QStringLiteral("select id, what from events")));
            while (q.next())
                stored[q.value(0).toLongLong()] = q.value(1).toString();
        }
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        for (const auto& [id, what] : reported) {
            ASSERT_TRUE(stored.count(id)) << "reported event " << id << " is missing";
            EXPECT_EQ(stored[id], what) << "event " << id;
        }
    }
}

} // namespace
