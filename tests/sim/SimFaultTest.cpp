#include <gtest/gtest.h>

#include <csignal>

#include <modbus.h>

#include "support/SimMaster.h"

using Table = SimMaster::Table;

struct FaultCase {
    const char* mode;
    int error; // what libmodbus 3.1.6 reports to the master
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.mode;
}

class SimFaultMode : public testing::TestWithParam<FaultCase> {};

TEST_P(SimFaultMode, givesTheMasterItsError)
{
    ServedSim s({"--frozen", "--fault", GetParam().mode});
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 8));
    EXPECT_EQ(s.master.lastError(), GetParam().error) << s.master.why();
}

INSTANTIATE_TEST_SUITE_P(Modes, SimFaultMode,
                         testing::Values(FaultCase{"silent", ETIMEDOUT}, FaultCase{"crc", EMBBADCRC},
                                         FaultCase{"exception", EMBXSFAIL}, FaultCase{"wrong-address", EMBBADSLAVE}),
                         [](const testing::TestParamInfo<FaultCase>& info) {
                             std::string name = info.param.mode;
                             std::erase(name, '-');
                             return name;
                         });

TEST(SimFault, usr1TogglesSilenceOffAndOn)
{
    ServedSim s({"--frozen", "--fault", "silent"});
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 1));
    s.sim.signal(SIGUSR1);
    EXPECT_TRUE(waitUntil([&] { return s.master.read(Table::InputRegisters, 1, 1).has_value(); }));
    s.sim.signal(SIGUSR1);
    EXPECT_TRUE(waitUntil([&] { return !s.master.read(Table::InputRegisters, 1, 1) && s.master.lastError() == ETIMEDOUT; }));
}

TEST(SimFault, faultStartsAfterItsCountOfAnswers)
{
    ServedSim s({"--frozen", "--fault", "exception", "--fault-after", "2"});
    EXPECT_TRUE(s.master.read(Table::InputRegisters, 1, 1));
    EXPECT_TRUE(s.master.read(Table::InputRegisters, 1, 1));
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 1));
    EXPECT_EQ(s.master.lastError(), EMBXSFAIL);
}

TEST(SimFault, spoiledAnswerStillCarriesOutTheWrite)
{
    ServedSim s({"--frozen", "--fault", "crc"});
    EXPECT_FALSE(s.master.writeHoldings(1, {321}));
    EXPECT_EQ(s.master.lastError(), EMBBADCRC);
    s.sim.signal(SIGUSR1);
    EXPECT_TRUE(waitUntil([&] { return s.master.read(Table::HoldingRegisters, 1, 1) == SimMaster::Values{321}; }));
}
