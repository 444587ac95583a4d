#include <gtest/gtest.h>

#include "Options.h"

using namespace tqsim;

namespace {

ParsedOptions parseWithLink(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--link", "/tmp/x/tty"});
    return parseOptions(args);
}

} // namespace

TEST(SimOptions, defaultsServeAddressOneAt9600NoParity)
{
    const auto parsed = parseWithLink({});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const Options& o = parsed.options;
    EXPECT_EQ(o.linkPath, "/tmp/x/tty");
    EXPECT_EQ(o.address, 1);
    EXPECT_EQ(o.baud, 9600);
    EXPECT_EQ(o.parity, Parity::None);
    EXPECT_FALSE(o.frozen || o.lineTiming);
    EXPECT_EQ(o.fault, FaultMode::None);
    EXPECT_TRUE(o.assignments.empty());
}

TEST(SimOptions, everyOptionIsTakenWithOrWithoutEqualsSign)
{
    const auto parsed = parseWithLink({"--address=7", "--baud", "19200", "--parity=even", "--frozen", "--speed", "2.5",
                                       "--line-timing", "--fault", "wrong-address", "--fault-after", "3",
                                       "--input-fault", "short", "--set", "4x:1=5", "--set=4x:1=6"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const Options& o = parsed.options;
    EXPECT_EQ(o.address, 7);
    EXPECT_EQ(o.baud, 19200);
    EXPECT_EQ(o.parity, Parity::Even);
    EXPECT_TRUE(o.frozen && o.lineTiming);
    EXPECT_DOUBLE_EQ(o.speed, 2.5);
    EXPECT_EQ(o.fault, FaultMode::WrongAddress);
    EXPECT_EQ(o.faultAfter, 3);
    EXPECT_EQ(o.inputFault, InputFault::Short);
    ASSERT_EQ(o.assignments.size(), 2u);
    EXPECT_EQ(o.assignments[1].value, 6);
}

TEST(SimOptions, answerFaultsAreNamedAndLateTakesItsDelayInMilliseconds)
{
    EXPECT_EQ(parseWithLink({"--fault", "duplicate"}).options.fault, FaultMode::Duplicate);
    EXPECT_EQ(parseWithLink({"--fault", "trailing"}).options.fault, FaultMode::Trailing);
    EXPECT_EQ(parseWithLink({"--fault", "one-behind"}).options.fault, FaultMode::OneBehind);
    const auto late = parseWithLink({"--fault=late:3000"});
    ASSERT_TRUE(late.ok()) << late.error;
    EXPECT_EQ(late.options.fault, FaultMode::Late);
    EXPECT_EQ(late.options.lateMs, 3000);
    for (const char* bad : {"late", "late:", "late:0", "late:x", "late:60001"})
        EXPECT_FALSE(parseWithLink({"--fault", bad}).ok()) << bad;
}

struct SetCase {
    const char* text;
    Table table;
    int number;
    int value;
};

void PrintTo(const SetCase& c, std::ostream* os)
{
    *os << c.text;
}

class SimSetAccepted : public testing::TestWithParam<SetCase> {};

TEST_P(SimSetAccepted, givesTableNumberAndValue)
{
    std::string error;
    const auto a = parseAssignment(GetParam().text, &error);
    ASSERT_TRUE(a) << error;
    EXPECT_EQ(a->table, GetParam().table);
    EXPECT_EQ(a->number, GetParam().number);
    EXPECT_EQ(a->value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Forms, SimSetAccepted,
                         testing::Values(SetCase{"3x:1=523", Table::InputRegister, 1, 523},
                                         SetCase{"3x:2=-1999", Table::InputRegister, 2, -1999},
                                         SetCase{"4x:4098=2", Table::HoldingRegister, 4098, 2},
                                         SetCase{"4X:4200=65535", Table::HoldingRegister, 4200, 65535},
                                         SetCase{"1x:1=1", Table::DiscreteInput, 1, 1},
                                         SetCase{"0x:2=0", Table::Coil, 2, 0}));

class SimSetRejected : public testing::TestWithParam<const char*> {};

TEST_P(SimSetRejected, explainsWhy)
{
    std::string error;
    EXPECT_FALSE(parseAssignment(GetParam(), &error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, SimSetRejected,
                         testing::Values("3x1=5", "5x:1=2", "3x:0=1", "3x:101=1", "4x:4201=1", "0x:1=2", "1x:1=-1",
                                         "4x:1=65536", "4x:1=-32769", "4x:1=", "4x:1=12abc", "3x:1:2=4"));

class SimOptionsRejected : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimOptionsRejected, withAMessage)
{
    EXPECT_FALSE(parseOptions(GetParam()).ok());
}

using Args = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(CommandLines, SimOptionsRejected,
                         testing::Values(Args{}, Args{"--link", "a", "--device", "b"}, Args{"--link"},
                                         Args{"--link", "a", "--address", "248"}, Args{"--link", "a", "--baud", "1200"},
                                         Args{"--link", "a", "--parity", "mark"}, Args{"--link", "a", "--speed", "0"},
                                         Args{"--link", "a", "--fault", "loud"},
                                         Args{"--link", "a", "--input-fault", "bent"},
                                         Args{"--link", "a", "--frozen=yes"}, Args{"--link", "a", "stray"}));
