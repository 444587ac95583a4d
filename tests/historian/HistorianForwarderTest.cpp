#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "historian/HistorianForwarder.h"
#include "support/WaitFor.h"
#include "HistorianRig.h"
#include "support/ServerRows.h"

namespace {

using HistorianForwarderOnServer = HistorianRig;

TEST_F(HistorianForwarderOnServer, ForwardsOnItsThreadAndPicksUpRowsArchivedLater)
{
    initialiseServer();
    archive(60);
    journal(4);
    HistorianForwarder forwarder(settings());
    std::vector<HistorianHealth::State> reported;
    QObject::connect(&forwarder, &HistorianForwarder::healthChanged,
                     [&](const HistorianHealth& health) { reported.push_back(health.state()); });
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return !reported.empty(); }, 30'000));
    EXPECT_EQ(forwarder.health().state(), HistorianHealth::State::Forwarding);
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());

    archive(20);
    journal(2);
    EXPECT_TRUE(waitFor([&] { return ServerRows::samples(connection(), QStringLiteral("line-a")) == archivedRows(); },
                        30'000));
    EXPECT_TRUE(waitFor([&] { return ServerRows::eventIds(connection(), QStringLiteral("line-a")) == journaledIds(); },
                        30'000));
    forwarder.stop();
    EXPECT_EQ(reported, std::vector<HistorianHealth::State>{HistorianHealth::State::Forwarding});
}

TEST_F(HistorianForwarderOnServer, RetriesAfterAnOutageUntilTheServerIsBack)
{
    initialiseServer();
    ASSERT_TRUE(server().stop());
    archive(30);
    HistorianForwarder forwarder(settings());
    std::vector<HistorianHealth::State> reported;
    QObject::connect(&forwarder, &HistorianForwarder::healthChanged,
                     [&](const HistorianHealth& health) { reported.push_back(health.state()); });
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return !reported.empty(); }, 30'000));
    EXPECT_EQ(forwarder.health().state(), HistorianHealth::State::Failing);
    ASSERT_TRUE(server().start());
    ASSERT_TRUE(waitFor([&] { return forwarder.health().state() == HistorianHealth::State::Forwarding; }, 30'000));
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    forwarder.stop();
    EXPECT_EQ(reported,
              (std::vector<HistorianHealth::State>{HistorianHealth::State::Failing, HistorianHealth::State::Forwarding}));
}

TEST_F(HistorianForwarderOnServer, ItsLastPassAtStopSendsWhatWasRecordedJustBefore)
{
    initialiseServer();
    archive(30);
    HistorianSettings patient = settings();
    patient.idleMs = 600'000;  // only the last pass can send what follows
    HistorianForwarder forwarder(patient);
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return forwarder.health().state() == HistorianHealth::State::Forwarding; }, 30'000));
    archive(5);
    journal(3);
    forwarder.stop();
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
    EXPECT_EQ(ServerRows::eventIds(connection(), QStringLiteral("line-a")), journaledIds());
}

TEST_F(HistorianForwarderOnServer, StopEndsWhenTheServerStopsAnsweringDuringTheLastPassAndTheRowsWait)
{
    initialiseServer();
    archive(30);
    HistorianSettings patient = settings();
    patient.idleMs = 600'000;  // only the last pass meets the frozen server
    patient.stopWaitMs = 1000;
    HistorianForwarder forwarder(patient);
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return forwarder.health().state() == HistorianHealth::State::Forwarding; }, 30'000));
    archive(5);
    ASSERT_TRUE(server().freeze(true));

    // Should stop() wait for the server after all, the server is let go on
    // after a while: the test then fails instead of hanging.
    // Atomics, not a mutex: ThreadSanitizer would miss the main thread's
    // lock here, its wait being inside the uninstrumented standard library.
    std::atomic<bool> stopped{false};
    std::atomic<bool> letGoOn{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!stopped.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!stopped.load())
            letGoOn = server().freeze(false);
    });
    forwarder.stop();
    stopped = true;
    watchdog.join();
    ASSERT_TRUE(server().freeze(false));
    EXPECT_FALSE(letGoOn.load());
    EXPECT_EQ(forwarder.health().state(), HistorianHealth::State::Failing);

    // What the broken pass did not send is sent by the next start.
    HistorianForwarder again(settings());
    again.start();
    ASSERT_TRUE(waitFor([&] { return again.health().state() == HistorianHealth::State::Forwarding; }, 30'000));
    again.stop();
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
}

TEST_F(HistorianForwarderOnServer, AServerThatStopsAnsweringIsReportedAndCaughtUpWhenItAnswersAgain)
{
    initialiseServer();
    archive(20);
    HistorianSettings quick = settings();
    quick.statementTimeoutMs = 300;
    quick.silenceGraceMs = 200;
    HistorianForwarder forwarder(quick);
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return forwarder.health().state() == HistorianHealth::State::Forwarding; }, 30'000));

    ASSERT_TRUE(server().freeze(true));
    archive(10);
    const bool reported =
        waitFor([&] { return forwarder.health().state() == HistorianHealth::State::Failing; }, 30'000);
    ASSERT_TRUE(server().freeze(false));
    ASSERT_TRUE(reported);
    EXPECT_EQ(forwarder.health().cause(), ForwardingFailure::Cause::NoAnswer)
        << forwarder.health().reason().toStdString();

    EXPECT_TRUE(waitFor([&] { return forwarder.health().state() == HistorianHealth::State::Forwarding; }, 30'000));
    forwarder.stop();
    EXPECT_EQ(ServerRows::samples(connection(), QStringLiteral("line-a")), archivedRows());
}

} // namespace
