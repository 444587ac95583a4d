#include <gtest/gtest.h>

#include <csignal>

#include <poll.h>
#include <unistd.h>

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

namespace {

// Whatever reaches the master's device within `timeout` after the first
// byte, read until the line has been quiet for 50 ms.
std::vector<uint8_t> bytesArriving(int fd, int timeoutMs)
{
    std::vector<uint8_t> bytes;
    pollfd pfd{fd, POLLIN, 0};
    int wait = timeoutMs;
    while (poll(&pfd, 1, wait) == 1) {
        uint8_t buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
        wait = 50;
    }
    return bytes;
}

} // namespace

TEST(SimFault, lateInstrumentStillAnswersAfterTheMasterGaveUp)
{
    ServedSim s({"--frozen", "--set", "3x:1=523", "--fault", "late:400"});
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 8));
    EXPECT_EQ(s.master.lastError(), ETIMEDOUT);
    const auto late = bytesArriving(s.master.fd(), 2000);
    ASSERT_EQ(late.size(), 21u);  // the answer to the 8 registers asked
    EXPECT_EQ(late[3] << 8 | late[4], 523);
}

TEST(SimFault, duplicateSendsEveryAnswerASecondTime)
{
    ServedSim s({"--frozen", "--set", "3x:1=523", "--fault", "duplicate"});
    EXPECT_EQ(s.master.read(Table::InputRegisters, 1, 1), SimMaster::Values{523});
    const auto copy = bytesArriving(s.master.fd(), 1000);
    ASSERT_EQ(copy.size(), 7u);
    EXPECT_EQ(copy[3] << 8 | copy[4], 523);
}

TEST(SimFault, oneBehindAnswersEachRequestWithThePreviousOnesAnswer)
{
    ServedSim s({"--frozen", "--set", "3x:1=523", "--set", "3x:2=456", "--fault", "one-behind"});
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 1, 8));  // no request before it
    EXPECT_EQ(s.master.lastError(), ETIMEDOUT);
    EXPECT_FALSE(s.master.read(Table::InputRegisters, 2, 1));  // the eight registers' answer
    EXPECT_EQ(s.master.lastError(), EMBBADDATA);
    // Of the same shape, register 2's answer passes for register 1's.
    EXPECT_EQ(s.master.read(Table::InputRegisters, 1, 1), SimMaster::Values{456});
}

TEST(SimFault, trailingBytesFollowEveryAnswer)
{
    ServedSim s({"--frozen", "--set", "3x:1=523", "--fault", "trailing"});
    EXPECT_EQ(s.master.read(Table::InputRegisters, 1, 1), SimMaster::Values{523});
    const auto tail = bytesArriving(s.master.fd(), 1000);
    ASSERT_EQ(tail.size(), 21u);  // an input answer nobody asked for
    EXPECT_EQ(tail[3] << 8 | tail[4], 9999);
    EXPECT_EQ(s.master.read(Table::InputRegisters, 1, 1), SimMaster::Values{523});
    EXPECT_FALSE(bytesArriving(s.master.fd(), 1000).empty());  // then garbage
}
