#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "historian/HistorianPass.h"
#include "support/ServerRows.h"
#include "HistorianRig.h"

namespace {

// Samples archived with a moment before the confirmed position (a clock set
// back, a late back-fill from the ring) reach the server too.
using HistorianSamplesBehind = HistorianRig;

std::string text(const QString& s)
{
    return s.toStdString();
}

TEST_F(HistorianSamplesBehind, RunningPassSendsThemAtTheNextRecountInEveryMonth)
{
    initialiseServer();
    archive(100);  // 50 in November, 50 in December
    HistorianSettings recounting = settings();
    recounting.recountMs = 0;
    HistorianPass pass(recounting);
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());

    archiveBehind(40, 20);  // 10 in each month
    archive(10);
    ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    EXPECT_EQ(pass.cursor().confirmedRows,
              (std::map<QString, qint64>{{QStringLiteral("2026-11.sqlite"), 60}, {QStringLiteral("2026-12.sqlite"), 70}}));
}

TEST_F(HistorianSamplesBehind, RestartSendsThemAndAStateFileWithoutCountsHasEveryMonthSentOnceMore)
{
    initialiseServer();
    archive(100);
    {
        HistorianPass pass(settings());
        ASSERT_EQ(pass.run(), HistorianPass::Outcome::Sent) << text(pass.health().reason());
    }
    archiveBehind(45, 10);
    {
        HistorianPass restarted(settings());
        ASSERT_EQ(restarted.run(), HistorianPass::Outcome::Sent) << text(restarted.health().reason());
    }
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());

    // A state file from before the counts: the server lost everything, and
    // every month up to the position is sent again.
    QFile file(settings().statePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    state.remove(QStringLiteral("confirmed_rows"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(state).toJson());
    file.close();
    ASSERT_TRUE(PostgresServer::exec(connection(), QStringLiteral("delete from samples")));
    HistorianPass upgraded(settings());
    ASSERT_EQ(upgraded.run(), HistorianPass::Outcome::Sent) << text(upgraded.health().reason());
    EXPECT_EQ(upgraded.cursor().sampleTimeUtcMs, archived().back().utcMs);
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
}

} // namespace
