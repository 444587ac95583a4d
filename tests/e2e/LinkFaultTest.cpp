#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "support/RealLinkFixture.h"
#include "support/SimProcess.h"

namespace {

using std::chrono::milliseconds;

using LinkFaults = RealLinkFixture;

struct FaultCase {
    const char* mode;
    milliseconds longestCycle;  // protocol errors answer at once; silence waits for time-outs
};

class EachFault : public LinkFaults, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(EachFault, stateKeepsItsValuesHealthSaysWhyAndPollingRecoversWithinTwoCycles)
{
    const FaultCase& fault = GetParam();
    SimProcess sim({"--frozen", "--set", "3x:1=523", "--set", "4x:4097=11", "--fault", fault.mode});
    ASSERT_TRUE(sim.started());
    sim.signal(SIGUSR1);  // answering while the good values are read
    connectTo(sim.devicePath());
    // Only the start: a loaded machine may take the simulator a few cycles
    // to take its signal. The recovery below is what is held to two.
    ASSERT_LE(cyclesUntilAnswered(20), 20);

    sim.signal(SIGUSR1);  // the fault from now on
    const auto took = runCycle();
    EXPECT_EQ(reports.back().failedCalls, 8) << fault.mode;
    EXPECT_LE(took, fault.longestCycle) << fault.mode;
    EXPECT_FLOAT_EQ(state().measurement(1), 523.0f);
    EXPECT_FLOAT_EQ(state().parameter(1), 11.0f);
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Silent);
    EXPECT_FALSE(poll->linkHealth().failureReason().isEmpty());
    EXPECT_FALSE(poll->cycleInProgress());

    sim.signal(SIGUSR1);  // healthy again
    EXPECT_LE(cyclesUntilAnswered(2), 2) << fault.mode << ": " << reports.back().failureReason.toStdString();
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Answering);
}

INSTANTIATE_TEST_SUITE_P(Modes, EachFault, ::testing::Values(
    FaultCase{"silent", milliseconds(8 * 250 + 750)},
    FaultCase{"crc", milliseconds(750)},
    FaultCase{"exception", milliseconds(750)},
    FaultCase{"wrong-address", milliseconds(8 * 250 + 750)}),
    [](const ::testing::TestParamInfo<FaultCase>& info) {
        std::string name = info.param.mode;
        std::erase(name, '-');
        return name;
    });

TEST_F(LinkFaults, writeQueuedBehindASilentInstrumentIsTriedExactlyTwiceAndReported)
{
    SimProcess sim({"--frozen", "--fault", "silent"});
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath());
    poll->startCycle();  // a cycle of time-outs is under way
    writeRegister(1, 250);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1 && !reports.empty(); }, 10000));
    EXPECT_FALSE(writes[0].ok);
    EXPECT_EQ(writes[0].attempts, 2);
    EXPECT_FALSE(writes[0].error.isEmpty());
}

TEST_F(LinkFaults, instrumentKilledInTheMiddleOfACycleIsPolledAgainOnceItIsBack)
{
    SimProcess sim({"--frozen", "--line-timing", "--set", "3x:1=77"});
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath());
    ASSERT_LE(cyclesUntilAnswered(3), 3);

    const size_t before = reports.size();
    poll->startCycle();  // about 320 ms on the wire at 9600 baud
    std::this_thread::sleep_for(milliseconds(100));
    sim.stop(true);
    ASSERT_TRUE(waitFor([&] { return reports.size() > before; }, 10000));
    EXPECT_GT(reports.back().failedCalls, 0);
    EXPECT_FLOAT_EQ(state().measurement(1), 77.0f);

    ASSERT_TRUE(sim.restart());
    EXPECT_LE(cyclesUntilAnswered(2), 2) << reports.back().failureReason.toStdString();
}

TEST_F(LinkFaults, deviceThatDoesNotExistFailsEveryCallPromptlyAndSaysWhich)
{
    connectTo("/nonexistent/tq5800-tty");
    for (int i = 0; i < 3; ++i)
        EXPECT_LT(runCycle(), milliseconds(500));
    EXPECT_EQ(reports.back().failedCalls, 8);
    EXPECT_TRUE(poll->linkHealth().failureReason().contains(QStringLiteral("/nonexistent/tq5800-tty")));
    EXPECT_EQ(poll->droppedTicks(), 0);
}

} // namespace
