#include <limits>
#include <thread>

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "historian/HistorianPass.h"
#include "historian/HistorianSchema.h"
#include "historian/HistorianUpload.h"
#include "support/ServerRows.h"
#include "support/ArchiveFiles.h"
#include "support/WaitFor.h"
#include "HistorianRig.h"

namespace {

using HistorianServer = HistorianRig;

std::string text(const QString& s)
{
    return s.toStdString();
}

TEST_F(HistorianServer, ServerWithoutTheSchemaOrWithAnotherVersionIsRefusedUntilInitialised)
{
    archive(5);
    {
        HistorianPass pass(settings());
        EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
        EXPECT_EQ(pass.health().state(), HistorianHealth::State::Failing);
        EXPECT_TRUE(pass.health().reason().contains(QStringLiteral("no historian schema"))) << text(pass.health().reason());
    }
    // Applying the schema twice is harmless.
    initialiseServer();
    initialiseServer();
    {
        HistorianPass pass(settings());
        EXPECT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
        EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    }
    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("update historian_schema set version = 2")));
    archive(5);
    HistorianPass pass(settings());
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_TRUE(pass.health().reason().contains(QStringLiteral("version 2"))) << text(pass.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")).size(), 5u);
    EXPECT_EQ(ArchiveFiles::samples(settings().archiveFolder).size(), 10u);
}

// A second station's statement run while a first station's transaction,
// which ran the same, is still open: what the second got once the first
// committed (empty: success).
QString secondBesideFirst(const QString& connection, const QString& statement)
{
    QString outcome;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase first = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        first.setConnectOptions(connection);
        QSqlQuery query(first);
        if (!first.open() || !first.transaction() || !query.exec(statement)) {
            outcome = QStringLiteral("the first failed: ") + query.lastError().text();
        } else {
            std::thread second([&] {
                QString error;
                if (!PostgresServer::exec(connection, statement, &error))
                    outcome = error;
            });
            // Commit only once the second is under way and held up.
            const bool held = waitFor([&] {
                return !ServerRows::column(connection, QStringLiteral("select 1 from pg_locks where not granted")).empty();
            }, 10000);
            first.commit();
            second.join();
            if (!held)
                outcome += QStringLiteral(" (the second was never held up)");
        }
    }
    QSqlDatabase::removeDatabase(name);
    return outcome;
}

TEST_F(HistorianServer, StationsInitialisingOrReachingANewMonthTogetherWaitForTheFirstInsteadOfFailing)
{
    EXPECT_EQ(secondBesideFirst(connection(), HistorianSchema::text()), QString());
    EXPECT_EQ(secondBesideFirst(connection(), QStringLiteral("select historian_month_partition('2031-01-05T00:00:00Z')")),
              QString());
    EXPECT_EQ(ServerRows::column(connection(), QStringLiteral("select count(*) from historian_schema")),
              std::vector<QString>{QStringLiteral("1")});
}

TEST_F(HistorianServer, BatchSentTwiceIsStoredOnce)
{
    initialiseServer();
    QList<OutboxSample> samples;
    for (int i = 0; i < 3; ++i)
        samples.append({1'796'083'200'000 + i * 1000, 0, 1.5 + i, 20.0, 250.0, std::nullopt, 3, 7});
    QList<OutboxEvent> events;
    for (int i = 1; i <= 3; ++i) {
        OutboxEvent e;
        e.id = i;
        e.timeUtc = QStringLiteral("2026-12-01T08:00:0%1.000Z").arg(i);
        e.kind = QStringLiteral("station_started");
        events.append(e);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("twice"));
        db.setConnectOptions(connection());
        ASSERT_TRUE(db.open());
        ForwardingFailure error;
        for (int round = 0; round < 2; ++round) {
            EXPECT_TRUE(HistorianUpload::sendSamples(db, QStringLiteral("s"), QStringLiteral("p"), samples, &error))
                << text(error.reason);
            EXPECT_TRUE(HistorianUpload::sendEvents(db, QStringLiteral("s"), events, &error)) << text(error.reason);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("twice"));
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("s")),
              (std::vector<QString>{QStringLiteral("1796083200000|0|1.500|20.000|250.000|-|3|7|p"),
                                    QStringLiteral("1796083201000|0|2.500|20.000|250.000|-|3|7|p"),
                                    QStringLiteral("1796083202000|0|3.500|20.000|250.000|-|3|7|p")}));
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("s")),
              (std::vector<QString>{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

// Each column goes as one array in text: every value must come back exact.
TEST_F(HistorianServer, ValuesReachTheServerExactlyIncludingInfinitiesAndMissingBits)
{
    initialiseServer();
    const double inf = std::numeric_limits<double>::infinity();
    const QList<OutboxSample> samples{
        {1'796'083'200'123, -18000, double(0.1f), inf, -inf, 65535, std::nullopt, std::nullopt},
        {1'796'083'201'000, 19800, -1e-300, 1.7976931348623157e308, 250.0, std::nullopt, 0, 247},
    };
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("exact"));
        db.setConnectOptions(connection());
        ASSERT_TRUE(db.open());
        ForwardingFailure error;
        EXPECT_TRUE(HistorianUpload::sendSamples(db, QStringLiteral("s"), QStringLiteral("p"), samples, &error))
            << text(error.reason);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("exact"));
    EXPECT_EQ(ServerRows::column(connection(),
                                 QStringLiteral("select concat_ws('|', (extract(epoch from time_utc) * 1000)::bigint, "
                                                "utc_offset, pv, op, sv, coalesce(alarm_bits::text, '-'), "
                                                "coalesce(coil_bits::text, '-'), address) from samples order by time_utc")),
              (std::vector<QString>{QStringLiteral("1796083200123|-18000|0.10000000149011612|Infinity|-Infinity|65535|-|0"),
                                    QStringLiteral("1796083201000|19800|-1e-300|1.7976931348623157e+308|250|-|0|247")}));
}

TEST_F(HistorianServer, RestartResumesFromTheStateFileAcrossMonthsInBatches)
{
    initialiseServer();
    archive(100);  // from 30 November into 1 December, UTC
    journal(30);
    {
        HistorianPass pass(settings());
        ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
        EXPECT_EQ(pass.cursor().sampleTimeUtcMs, archived().back().utcMs);
    }
    EXPECT_EQ(ServerRows::column(connection(), QStringLiteral("select tablename from pg_tables where tablename like "
                                                              "'samples\\_%' order by 1")),
              (std::vector<QString>{QStringLiteral("samples_2026_11"), QStringLiteral("samples_2026_12")}));

    // A row the server lost after confirming it stays lost: the next
    // station run starts after the confirmed rows, not from the beginning.
    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("delete from samples where pv = 0")));
    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("delete from events where event_id = 1")));
    archive(50);
    journal(10);
    HistorianPass restarted(settings());
    ASSERT_EQ(restarted.run(), HistorianPass::Outcome::Sent) << text(restarted.health().reason());
    std::vector<QString> expected = archivedRows();
    expected.erase(expected.begin());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), expected);
    std::vector<QString> ids = journaledIds();
    ids.erase(ids.begin());
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), ids);

    // Another station name is another target: it starts from the beginning.
    HistorianSettings other = settings();
    other.stationName = QStringLiteral("line-b");
    HistorianPass renamed(other);
    ASSERT_EQ(renamed.run(), HistorianPass::Outcome::Sent) << text(renamed.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-b")), archivedRows());
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-b")), journaledIds());
}

TEST_F(HistorianServer, OutageIsReportedOnceAndAfterItTheServerHoldsEveryRowOnce)
{
    initialiseServer();
    archive(30);
    journal(5);
    HistorianPass pass(settings());
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_TRUE(pass.healthChanged());

    ASSERT_TRUE(server().stop());
    archive(70);
    journal(5);
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_EQ(pass.health().state(), HistorianHealth::State::Failing);
    EXPECT_TRUE(pass.health().failingSince().has_value());
    const QString reason = pass.health().reason();
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_FALSE(pass.healthChanged()) << "a second failure, whatever its reason, is the same episode";
    EXPECT_EQ(pass.health().reason(), reason);
    EXPECT_EQ(ArchiveFiles::samples(settings().archiveFolder).size(), 100u);

    ASSERT_TRUE(server().start());
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_EQ(pass.health().state(), HistorianHealth::State::Forwarding);
    EXPECT_FALSE(pass.health().failingSince().has_value());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), journaledIds());
}

TEST_F(HistorianServer, WriterRoleForwardsButMayNotDeleteOrDrop)
{
    initialiseServer();
    const QString role = createWriter(QStringLiteral("line-secret"));
    writePassFile(role, QStringLiteral("line-secret"));
    archive(50);
    journal(3);
    const HistorianSettings writer = writerSettings(role);
    HistorianPass pass(writer);
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    EXPECT_EQ(ServerRows::column(connection(), QStringLiteral("select host from stations where name = 'line-a'")),
              std::vector<QString>{QStringLiteral("host-a")});
    for (const char* statement : {"delete from samples", "drop table events", "update historian_schema set version = 9"})
        EXPECT_FALSE(PostgresServer::exec(writer.connection, QString::fromUtf8(statement))) << statement;
}

TEST_F(HistorianServer, MissingServerOrUnknownRoleIsReportedWithoutThePasswordAndNothingMoves)
{
    archive(10);
    HistorianSettings missing = settings();
    missing.connection = QStringLiteral("host=%1/nowhere dbname=plant user=postgres password=hunter2 connect_timeout=5")
                             .arg(QFileInfo(settings().archiveFolder).path());
    HistorianSettings stranger = settings();
    stranger.connection += QStringLiteral(" user=nobody password=hunter2");
    for (const HistorianSettings& s : {missing, stranger}) {
        HistorianPass pass(s);
        EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
        EXPECT_TRUE(pass.health().reason().startsWith(QStringLiteral("cannot connect"))) << text(pass.health().reason());
        EXPECT_FALSE(pass.health().reason().contains(QStringLiteral("hunter2")));
        EXPECT_EQ(pass.cursor().sampleTimeUtcMs, -1);
    }
    EXPECT_FALSE(QFileInfo::exists(settings().statePath));
    EXPECT_EQ(ArchiveFiles::samples(settings().archiveFolder).size(), 10u);
}

} // namespace
