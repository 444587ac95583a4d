#include <gtest/gtest.h>

#include <modbus.h>
#include <unistd.h>

#include "support/SimMaster.h"

using Table = SimMaster::Table;
using Values = SimMaster::Values;

TEST(SimServing, frozenValuesReadBackExactly)
{
    ServedSim s({"--frozen", "--set", "3x:1=523", "--set", "3x:2=-1999"});
    ASSERT_TRUE(s.master.connected());
    EXPECT_EQ(s.master.read(Table::InputRegisters, 1, 8), (Values{523, -1999, 100, 25, -75, 0, 0, 0})) << s.master.why();
}

// Each block the station polls, as a fresh instrument answers it.
struct BlockCase {
    const char* name;
    Table table;
    int first;
    Values expected;
};

void PrintTo(const BlockCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimPolledBlock : public testing::TestWithParam<BlockCase> {};

TEST_P(SimPolledBlock, holdsTheStartValues)
{
    ServedSim s({"--frozen", "--set", "1x:5=1"});
    const auto& c = GetParam();
    EXPECT_EQ(s.master.read(c.table, c.first, static_cast<int>(c.expected.size())), c.expected) << s.master.why();
}

INSTANTIATE_TEST_SUITE_P(
    PollCycle, SimPolledBlock,
    testing::Values(BlockCase{"operating", Table::HoldingRegisters, 1, {100, 0, 0, 0, 0, 0, 0, 0}},
                    BlockCase{"input", Table::HoldingRegisters, 4097, {0, 0, 5000, 0, 0, 10, 0, 0, 0, 0, 0, 20, 120, 30, 2, 1}},
                    BlockCase{"output", Table::HoldingRegisters, 4113, {1000, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1000, 0}},
                    BlockCase{"rest", Table::HoldingRegisters, 4129, {10, 600, 0, 0, 0, 0, 0, 0}},
                    BlockCase{"alarms", Table::HoldingRegisters, 257, {150, 1, 0, 50, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
                    BlockCase{"discretes", Table::DiscreteInputs, 1, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                    BlockCase{"coils", Table::Coils, 1, {0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<BlockCase>& info) { return std::string(info.param.name); });

TEST(SimServing, writesReadBack)
{
    ServedSim s({"--frozen"});
    ASSERT_TRUE(s.master.writeHoldings(1, {250})) << s.master.why();
    ASSERT_TRUE(s.master.writeHoldings(257, {-1999, 5, 9999})) << s.master.why();
    ASSERT_TRUE(s.master.writeCoils(2, {0})) << s.master.why();
    EXPECT_EQ(s.master.read(Table::HoldingRegisters, 1, 1), Values{250});
    EXPECT_EQ(s.master.read(Table::HoldingRegisters, 257, 3), (Values{-1999, 5, 9999}));
    EXPECT_EQ(s.master.read(Table::Coils, 1, 3), (Values{0, 0, 1}));
    ASSERT_TRUE(s.master.writeCoils(1, {1, 1, 0})) << s.master.why();
    EXPECT_EQ(s.master.read(Table::Coils, 1, 3), (Values{1, 1, 0}));
    EXPECT_FALSE(s.master.read(Table::HoldingRegisters, 4200, 2));
    EXPECT_EQ(s.master.lastError(), EMBXILADD);
}

TEST(SimServing, otherStationsRequestsGoUnanswered)
{
    ServedSim s({"--frozen", "--address", "3"});
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 8));
    EXPECT_EQ(s.master.lastError(), ETIMEDOUT);
    s.master.setSlave(3);
    EXPECT_TRUE(s.master.read(Table::InputRegisters, 1, 8)) << s.master.why();
}

TEST(SimServing, writtenStationAddressTakesEffect)
{
    ServedSim s({"--frozen"});
    ASSERT_TRUE(s.master.writeHoldings(4121, {9})) << s.master.why();
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 1));
    s.master.setSlave(9);
    EXPECT_TRUE(s.master.read(Table::InputRegisters, 1, 1)) << s.master.why();
}

TEST(SimServing, malformedRequestsAreOutlived)
{
    ServedSim s({"--frozen"});
    const uint8_t badCrc[] = {0x01, 0x04, 0x00, 0x00, 0x00, 0x08, 0xF1, 0xCD};
    ASSERT_EQ(write(s.master.fd(), badCrc, sizeof badCrc), static_cast<ssize_t>(sizeof badCrc));
    EXPECT_TRUE(s.master.read(Table::InputRegisters, 1, 8)) << s.master.why();
    const uint8_t garbage[] = {0x01, 0x99, 0x42, 0x00, 0xFF};
    ASSERT_EQ(write(s.master.fd(), garbage, sizeof garbage), static_cast<ssize_t>(sizeof garbage));
    // The line resynchronises after a silence; the first request may be lost with the garbage.
    EXPECT_TRUE(waitUntil([&] { return s.master.read(Table::InputRegisters, 1, 8).has_value(); }));
}

TEST(SimServing, mastersMayComeAndGoEvenWithoutReadingTheirAnswer)
{
    SimProcess sim({"--frozen", "--line-timing"});
    ASSERT_TRUE(sim.started());
    {
        // Asks and leaves before the (wire-timed) answer comes.
        SimMaster rude(sim.devicePath());
        const uint8_t request[] = {0x01, 0x04, 0x00, 0x00, 0x00, 0x08, 0xF1, 0xCC};
        ASSERT_EQ(write(rude.fd(), request, sizeof request), static_cast<ssize_t>(sizeof request));
    }
    {
        // The first exchange can still meet the late answer; after it the line is clean.
        SimMaster master(sim.devicePath());
        EXPECT_TRUE(waitUntil([&] { return master.read(Table::InputRegisters, 3, 1) == Values{100}; }));
    }
    for (int i = 0; i < 5; ++i) {
        SimMaster master(sim.devicePath());
        EXPECT_EQ(master.read(Table::InputRegisters, 3, 1), Values{100}) << "master " << i << ": " << master.why();
    }
}

TEST(SimServing, liveInstrumentHeatsInAutomaticAndFollowsManual)
{
    ServedSim s({"--speed", "50"});
    EXPECT_TRUE(waitUntil([&] {
        const auto v = s.master.read(Table::InputRegisters, 1, 3);
        return v && (*v)[0] > 30 && (*v)[1] > 0 && (*v)[2] == 100;
    }));
    ASSERT_TRUE(s.master.writeHoldings(2, {555})) << s.master.why();
    ASSERT_TRUE(s.master.writeCoils(2, {0})) << s.master.why();
    EXPECT_TRUE(waitUntil([&] { return s.master.read(Table::InputRegisters, 2, 1) == Values{555}; }));
}
