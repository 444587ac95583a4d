#include <gtest/gtest.h>

#include "instrument/RegisterMap.h"
#include "StartImage.h"

using namespace tqsim;

namespace {

RegisterImage imageFor(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--link", "/tmp/x/tty"});
    const auto parsed = parseOptions(args);
    EXPECT_TRUE(parsed.ok()) << parsed.error;
    return startImage(parsed.options);
}

} // namespace

TEST(SimStartImage, holdingRegistersHoldTheCatalogueDefaults)
{
    const auto image = imageFor({});
    const std::vector<std::pair<int, int>> defaults{
        {4097, 0},   {4099, 5000}, {4102, 10}, {4104, 0},  {4108, 20},   {4109, 120}, {4110, 30},
        {4113, 1000}, {4114, 0},   {4117, 0},  {4121, 1},  {4122, 1},    {4127, 1000}, {4129, 10},
        {4130, 600}, {1, 100},     {2, 0},     {257, 150}, {258, 1},     {260, 50},   {263, 0}};
    for (const auto& [number, value] : defaults)
        EXPECT_EQ(image.holding(number), value) << "4x:" << number;
    EXPECT_FALSE(image.coil(RegisterMap::kSelfTune));
    EXPECT_TRUE(image.coil(RegisterMap::kAutomatic));
    EXPECT_TRUE(image.coil(RegisterMap::kManualPermitted));
    EXPECT_EQ(image.input(RegisterMap::kProcessValue), 25);
    EXPECT_EQ(image.input(RegisterMap::kWorkingSetValue), 100);
}

TEST(SimStartImage, setWinsOverOptionsWhichWinOverDefaults)
{
    const auto image = imageFor({"--address", "5", "--baud", "19200", "--set", "4x:4108=50", "--set", "4x:4122=0",
                                 "--input-fault", "open"});
    EXPECT_EQ(image.holding(RegisterMap::kCommAddress), 5);
    EXPECT_EQ(image.holding(RegisterMap::kBaudCode), 0);
    EXPECT_EQ(image.holding(RegisterMap::kProportionalBand), 50);
    EXPECT_TRUE(image.discrete(RegisterMap::kInputOpen));
}

TEST(SimStartImage, registersAreSigned16Bit)
{
    const auto image = imageFor({"--set", "3x:2=-1999", "--set", "4x:3=65535", "--set", "4x:4=32768"});
    EXPECT_EQ(image.input(2), -1999);
    EXPECT_EQ(image.holding(3), -1);
    EXPECT_EQ(image.holding(4), -32768);
    EXPECT_EQ(toRegister(2.5), 2); // computed values: nearest, ties to even
    EXPECT_EQ(toRegister(1e9), 32767);
}
