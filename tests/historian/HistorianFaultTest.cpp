#include <functional>

#include <gtest/gtest.h>

#include <QFileInfo>

#include "historian/HistorianPass.h"
#include "support/ServerRows.h"
#include "support/ArchiveFiles.h"
#include "HistorianRig.h"

namespace {

// Faults on the server under a pass that keeps its connection, as the
// forwarder's does: each is reported, the station's files stay as they
// are, and once it is mended forwarding goes on from the confirmed rows.
using HistorianFaults = HistorianRig;
using Cause = ForwardingFailure::Cause;

std::string text(const QString& s)
{
    return s.toStdString();
}

std::vector<QString> from(const std::vector<QString>& rows, size_t first)
{
    return {rows.begin() + first, rows.end()};
}

TEST_F(HistorianFaults, WrongPasswordIsReportedWithoutEitherPasswordAndTheRightOneResumes)
{
    initialiseServer();
    const QString role = createWriter(QStringLiteral("right-secret"));
    writePassFile(role, QStringLiteral("wrong-secret"));
    archive(30);
    journal(3);
    HistorianPass pass(writerSettings(role));
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_EQ(pass.health().state(), HistorianHealth::State::Failing);
    const QString reason = pass.health().reason();
    EXPECT_TRUE(reason.contains(QStringLiteral("password authentication failed"))) << text(reason);
    EXPECT_TRUE(reason.contains(role)) << text(reason);
    EXPECT_FALSE(reason.contains(QStringLiteral("secret"))) << text(reason);
    EXPECT_FALSE(QFileInfo::exists(settings().statePath));

    writePassFile(role, QStringLiteral("right-secret"));
    archive(20);
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_EQ(ArchiveFiles::samples(settings().archiveFolder).size(), 50u);
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), journaledIds());
}

// A station that does not start again must still stop writing once a newer
// one changed the schema.
TEST_F(HistorianFaults, SchemaOfAnotherVersionUnderARunningPassIsRefusedUntilPutRight)
{
    initialiseServer();
    archive(30);
    journal(3);
    HistorianPass pass(settings());
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());

    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("update historian_schema set version = 2")));
    archive(30);
    journal(3);
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_TRUE(pass.health().reason().contains(QStringLiteral("version 2"))) << text(pass.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")).size(), 30u);
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")).size(), 3u);

    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("update historian_schema set version = 1")));
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), journaledIds());
}

// What the server lost with a table stays lost (the position is past it);
// after the schema is applied again, as --historian-init does, what is new
// follows.
TEST_F(HistorianFaults, DroppedTableIsReportedAndAfterTheSchemaIsAppliedAgainWhatIsNewFollows)
{
    initialiseServer();
    archive(30);
    journal(3);
    HistorianPass pass(settings());
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());

    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("drop table samples")));
    archive(40);
    journal(2);
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_TRUE(pass.health().reason().contains(QStringLiteral("\"samples\""))) << text(pass.health().reason());
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    initialiseServer();
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), from(archivedRows(), 30));
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), journaledIds());

    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("drop table events")));
    archive(10);
    journal(4);
    EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
    EXPECT_TRUE(pass.healthChanged());
    EXPECT_TRUE(pass.health().reason().contains(QStringLiteral("\"events\""))) << text(pass.health().reason());
    initialiseServer();
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), from(archivedRows(), 30));
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), from(journaledIds(), 5));
    EXPECT_EQ(ArchiveFiles::samples(settings().archiveFolder).size(), 80u);
}


// Each fault is told by the server's error class, so that the remedy shown
// is the right one: a server stopped under a held connection is no missing
// schema. The writer role forwards, as a station does; after the fault is
// mended the same pass sends everything.
TEST_F(HistorianFaults, EachFaultIsReportedWithItsCauseAndForwardingResumesOnceItIsMended)
{
    initialiseServer();
    const QString role = createWriter(QStringLiteral("right-secret"));
    writePassFile(role, QStringLiteral("right-secret"));
    const auto admin = [this](const char* statement) {
        ASSERT_TRUE(PostgresServer::exec(connection(), QString::fromLatin1(statement))) << statement;
    };
    struct Case {
        const char* fault;
        bool connectedBefore;  // the pass holds a connection made before the fault
        std::function<void()> make;
        std::function<void()> mend;
        Cause cause;
    };
    const std::vector<Case> cases{
        {"server stopped under the connection", true, [&] { ASSERT_TRUE(server().stop()); },
         [&] { ASSERT_TRUE(server().start()); }, Cause::ServerShutdown},
        {"server stopped", false, [&] { ASSERT_TRUE(server().stop()); }, [&] { ASSERT_TRUE(server().start()); },
         Cause::NoConnection},
        {"server frozen", false, [&] { ASSERT_TRUE(server().freeze(true)); },
         [&] { ASSERT_TRUE(server().freeze(false)); }, Cause::NoAnswer},
        {"wrong password", false, [&] { writePassFile(role, QStringLiteral("wrong-secret")); },
         [&] { writePassFile(role, QStringLiteral("right-secret")); }, Cause::Authentication},
        {"no password", false, [&] { writePassFile(QStringLiteral("someone_else"), QStringLiteral("x")); },
         [&] { writePassFile(role, QStringLiteral("right-secret")); }, Cause::Authentication},
        {"schema dropped", true, [&] { admin("drop table historian_schema"); }, [&] { initialiseServer(); },
         Cause::NoSchema},
        {"schema of another version", true, [&] { admin("update historian_schema set version = 2"); },
         [&] { admin("update historian_schema set version = 1"); }, Cause::SchemaVersion},
        {"insert right revoked", true, [&] { admin("revoke insert on samples from historian_writer"); },
         [&] { admin("grant insert on samples to historian_writer"); }, Cause::NoPermission},
    };
    HistorianSettings writer = writerSettings(role);
    writer.connectTimeoutS = 1;  // the frozen server
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        HistorianPass pass(writer);
        archive(5);
        journal(1);
        if (c.connectedBefore) {
            ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
        }
        archive(5);
        c.make();
        EXPECT_EQ(pass.run(), HistorianPass::Outcome::Failed);
        EXPECT_EQ(pass.health().cause(), c.cause) << text(pass.health().reason());
        EXPECT_FALSE(pass.health().reason().contains(QStringLiteral("secret"))) << text(pass.health().reason());
        c.mend();
        ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
        EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
        EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), journaledIds());
    }
}

} // namespace
