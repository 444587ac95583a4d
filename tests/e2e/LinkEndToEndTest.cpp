#include <chrono>
#include <csignal>
#include <memory>

#include <gtest/gtest.h>

#include "support/RealLinkFixture.h"
#include "support/SimMaster.h"
#include "support/SimProcess.h"

namespace {

const std::vector<std::string> kFrozenInstrument{
    "--frozen",
    "--set", "3x:1=523", "--set", "3x:2=456", "--set", "3x:3=250", "--set", "3x:8=5",
    "--set", "4x:1=250", "--set", "4x:2=-15", "--set", "4x:8=8",
    "--set", "4x:4097=11", "--set", "4x:4102=15", "--set", "4x:4113=999", "--set", "4x:4133=37",
    "--set", "4x:4136=99",
    "--set", "4x:257=-1999", "--set", "4x:265=60", "--set", "4x:272=7",
    "--set", "1x:1=1", "--set", "1x:3=1", "--set", "1x:16=1",
    "--set", "0x:1=1", "--set", "0x:2=0", "--set", "0x:9=1",
};

using LinkEndToEnd = RealLinkFixture;

TEST_F(LinkEndToEnd, oneCycleMirrorsEveryBlockTheInstrumentHolds)
{
    SimProcess sim(kFrozenInstrument);
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath());
    runCycle();
    ASSERT_EQ(lastReport().failedCalls, 0) << lastReport().failureReason.toStdString();
    closeLink();

    // Read the same blocks with a plain master.
    SimMaster raw(sim.devicePath());
    ASSERT_TRUE(raw.connected());
    using Table = SimMaster::Table;
    const auto input = raw.read(Table::InputRegisters, 1, 8);
    const auto holding = raw.read(Table::HoldingRegisters, 1, 8);
    const auto params = raw.read(Table::HoldingRegisters, 4097, 40);
    const auto alarms = raw.read(Table::HoldingRegisters, 257, 16);
    const auto discrete = raw.read(Table::DiscreteInputs, 1, 16);
    const auto coils = raw.read(Table::Coils, 1, 16);
    ASSERT_TRUE(input && holding && params && alarms && discrete && coils);

    for (size_t i = 0; i < 8; ++i) {
        const double scale = i == 1 ? 10.0 : 1.0;
        EXPECT_EQ(state().measurement(i + 1), static_cast<float>((*input)[i] / scale)) << i;
        EXPECT_EQ(state().command(i + 1), static_cast<float>((*holding)[i] / scale)) << i;
    }
    for (size_t n = 1; n <= 37; ++n) {
        const bool tenths = n == 6 || n == 17 || n == 18 || n == 33;
        const int reg = (*params)[n - 1];
        EXPECT_EQ(state().parameter(n), static_cast<float>(tenths ? reg / 10.0 : reg)) << n;
    }
    EXPECT_EQ(state().parameter(38), 0.0f);  // 4134..4136 are not converted
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(state().alarmRegister(i), (*alarms)[i]) << i;
        EXPECT_EQ(state().discreteInput(i + 1), (*discrete)[i]) << i;
        EXPECT_EQ(state().coil(i + 1), (*coils)[i]) << i;
    }

    // And the values the simulator was given, so the comparison is not empty.
    EXPECT_FLOAT_EQ(state().measurement(1), 523.0f);
    EXPECT_FLOAT_EQ(state().measurement(2), 45.6f);
    EXPECT_FLOAT_EQ(state().command(2), -1.5f);
    EXPECT_FLOAT_EQ(state().parameter(1), 11.0f);
    EXPECT_FLOAT_EQ(state().parameter(6), 1.5f);
    EXPECT_FLOAT_EQ(state().parameter(17), 99.9f);
    EXPECT_FLOAT_EQ(state().parameter(37), 37.0f);
    EXPECT_EQ(state().alarmRegister(0), -1999);
    EXPECT_EQ(state().alarmRegister(15), 7);
    EXPECT_EQ(state().discreteInput(1), 1);
    EXPECT_EQ(state().discreteInput(3), 1);
    EXPECT_EQ(state().discreteInput(16), 1);
    EXPECT_EQ(state().coil(1), 1);
    EXPECT_EQ(state().coil(2), 0);
    EXPECT_EQ(state().coil(9), 1);
}

TEST_F(LinkEndToEnd, writesGoOneLowerOnTheWire)
{
    SimProcess sim({"--frozen"});
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath());
    writeRegister(4097, 11);
    writeRegister(1, -1999);
    writeCoil(1, true);
    writeCoil(3, false);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 4; }));
    for (const auto& w : writes)
        EXPECT_TRUE(w.ok) << w.error.toStdString();
    closeLink();

    // The simulator numbers its tables like the station; the plain master
    // puts 1-based numbers on the wire one lower, as every Modbus tool does.
    SimMaster raw(sim.devicePath());
    ASSERT_TRUE(raw.connected());
    using Table = SimMaster::Table;
    EXPECT_EQ(raw.read(Table::HoldingRegisters, 4097, 1), SimMaster::Values{11});
    EXPECT_EQ(raw.read(Table::HoldingRegisters, 1, 1), SimMaster::Values{-1999});
    const auto coils = raw.read(Table::Coils, 1, 3);
    ASSERT_TRUE(coils);
    EXPECT_EQ((*coils)[0], 1);
    EXPECT_EQ((*coils)[2], 0);
}

TEST_F(LinkEndToEnd, everyCallGoesToTheModuleTheLinkWasOpenedFor)
{
    SimProcess sim({"--frozen", "--address", "7", "--set", "3x:1=523"});
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath(), 7);
    runCycle();
    EXPECT_EQ(lastReport().failedCalls, 0) << lastReport().failureReason.toStdString();
    EXPECT_FLOAT_EQ(state().measurement(1), 523.0f);
    writeRegister(4097, 11);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    EXPECT_TRUE(writes[0].ok) << writes[0].error.toStdString();
}

TEST_F(LinkEndToEnd, valueThatDoesNotFitARegisterIsNeverSent)
{
    SimProcess sim({"--frozen", "--set", "4x:1=250"});
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath());
    writeRegister(1, 40000);   // would arrive as -25536
    writeRegister(1, -32769);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 2; }));
    EXPECT_FALSE(writes[0].ok);
    EXPECT_FALSE(writes[1].ok);
    closeLink();

    SimMaster raw(sim.devicePath());
    EXPECT_EQ(raw.read(SimMaster::Table::HoldingRegisters, 1, 1), SimMaster::Values{250});
}

TEST_F(LinkEndToEnd, silentInstrumentKeepsTheImageAndTheCycleEndsWithinItsBudget)
{
    SimProcess sim({"--frozen", "--set", "3x:1=523", "--fault", "silent"});
    ASSERT_TRUE(sim.started());
    sim.signal(SIGUSR1);  // answer for now
    connectTo(sim.devicePath());
    ASSERT_TRUE(waitFor([&] {
        runCycle();
        return lastReport().failedCalls == 0;
    }, 5000));
    EXPECT_FLOAT_EQ(state().measurement(1), 523.0f);

    sim.signal(SIGUSR1);  // silent from now on
    const auto budget = 8 * ModbusFieldbus::kResponseTimeout + std::chrono::milliseconds(750);
    const auto took = runCycle();
    EXPECT_EQ(lastReport().failedCalls, 8);
    EXPECT_LE(took, budget);
    EXPECT_FLOAT_EQ(state().measurement(1), 523.0f);
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Silent);
    EXPECT_TRUE(poll->linkHealth().failingSince().has_value());
    EXPECT_FALSE(poll->linkHealth().failureReason().isEmpty());

    sim.signal(SIGUSR1);  // answers again: the next cycle or the one after is whole
    runCycle();
    if (lastReport().failedCalls != 0)
        runCycle();
    EXPECT_EQ(lastReport().failedCalls, 0) << lastReport().failureReason.toStdString();
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Answering);
}

TEST_F(LinkEndToEnd, instrumentThatGoesAwayAndComesBackIsPolledAgainWithoutReopening)
{
    SimProcess sim({"--frozen", "--set", "3x:1=100"});
    ASSERT_TRUE(sim.started());
    connectTo(sim.devicePath());
    runCycle();
    ASSERT_EQ(lastReport().failedCalls, 0);

    sim.stop(true);  // the far end vanishes, and with it the device node
    const auto took = runCycle();
    EXPECT_EQ(lastReport().failedCalls, 8);
    EXPECT_LT(took, std::chrono::milliseconds(8 * 250 + 750));
    EXPECT_FLOAT_EQ(state().measurement(1), 100.0f);

    ASSERT_TRUE(sim.restart());
    runCycle();
    if (lastReport().failedCalls != 0)
        runCycle();
    EXPECT_EQ(lastReport().failedCalls, 0) << lastReport().failureReason.toStdString();
}

} // namespace
