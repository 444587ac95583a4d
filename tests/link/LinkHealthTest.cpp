#include <gtest/gtest.h>

#include "link/LinkHealth.h"

namespace {

CycleReport cycle(int failed, bool aborted = false)
{
    CycleReport r;
    r.calls = 8;
    r.failedCalls = failed;
    r.aborted = aborted;
    r.failureReason = failed ? QStringLiteral("Connection timed out") : QString();
    r.failure = failed ? LinkFailure{LinkFailure::Kind::NoAnswer} : LinkFailure{};
    return r;
}

const QDateTime t0(QDate(2026, 1, 5), QTime(8, 0, 0));

TEST(LinkHealth, startsClosedAndWaitsAfterOpening)
{
    LinkHealth health;
    EXPECT_EQ(health.state(), LinkHealth::State::Closed);
    health.recordCycle(cycle(8), t0);  // a late report while closed says nothing
    EXPECT_EQ(health.state(), LinkHealth::State::Closed);
    health.linkOpened();
    EXPECT_EQ(health.state(), LinkHealth::State::Waiting);
}

TEST(LinkHealth, failureEpisodeStartsAtTheFirstFailedCycleAndEndsWithAFullAnswer)
{
    LinkHealth health;
    health.linkOpened();
    health.recordCycle(cycle(0), t0);
    EXPECT_TRUE(health.answering());
    EXPECT_EQ(health.lastAnswer(), t0);

    health.recordCycle(cycle(3), t0.addSecs(1));
    EXPECT_EQ(health.state(), LinkHealth::State::Degraded);
    EXPECT_EQ(health.failedCalls(), 3);
    EXPECT_EQ(health.failingSince(), t0.addSecs(1));
    EXPECT_EQ(health.lastAnswer(), t0.addSecs(1));  // some calls still answered

    health.recordCycle(cycle(8), t0.addSecs(2));
    EXPECT_EQ(health.state(), LinkHealth::State::Silent);
    EXPECT_EQ(health.failingSince(), t0.addSecs(1));
    EXPECT_EQ(health.lastAnswer(), t0.addSecs(1));
    EXPECT_EQ(health.failureReason(), QStringLiteral("Connection timed out"));
    EXPECT_EQ(health.failure().kind, LinkFailure::Kind::NoAnswer);

    health.recordCycle(cycle(0), t0.addSecs(3));
    EXPECT_TRUE(health.answering());
    EXPECT_FALSE(health.failingSince().has_value());
    EXPECT_TRUE(health.failureReason().isEmpty());
}

TEST(LinkHealth, abortedCyclesAndClosingDoNotCountAsFailures)
{
    LinkHealth health;
    health.linkOpened();
    health.recordCycle(cycle(0), t0);
    health.recordCycle(cycle(8, true), t0.addSecs(1));
    EXPECT_TRUE(health.answering());
    EXPECT_EQ(health.cycles(), 1);
    health.linkClosed();
    EXPECT_EQ(health.state(), LinkHealth::State::Closed);
    EXPECT_FALSE(health.failingSince().has_value());
}

} // namespace
