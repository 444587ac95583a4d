#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/WholeNumber.h"

namespace {

TEST(RoundHalfEven, halvesGoToTheEvenNeighbour)
{
    const std::pair<double, double> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {-0.5, 0},
        {12.5, 12}, {13.5, 14}, {24.5, 24}, {25.5, 26}, {125, 125},
        {0.49999999, 0}, {0.50000001, 1}, {-1.2, -1}, {-1.7, -2}, {9999.4, 9999},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
}

TEST(RoundHalfEven, tenthsEntriesScaledByTen)
{
    // An output limit typed as 0.05 or 0.15 goes to the instrument in tenths.
    EXPECT_EQ(roundHalfEven(0.05 * 10), 0);
    EXPECT_EQ(roundHalfEven(0.15 * 10), 2);
    EXPECT_EQ(roundHalfEven(1.5 * 10), 15);
    EXPECT_EQ(roundHalfEven(12.5 * 10), 125);
}

TEST(WholeNumberConversion, valuesThatDoNotFitAreRefusedNotWrapped)
{
    EXPECT_EQ(toInt16(32767.4), int16_t{32767});
    EXPECT_EQ(toInt16(32767.5), std::nullopt);      // rounds to 32768
    EXPECT_EQ(toInt16(-32768.5), int16_t{-32768});  // rounds to the even -32768
    EXPECT_EQ(toInt16(-32769), std::nullopt);
    EXPECT_EQ(toInt16(100000), std::nullopt);
    EXPECT_EQ(toInt32(2147483647.0), int32_t{2147483647});
    EXPECT_EQ(toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(toInt32(-2147483648.0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(toInt32(1e10), std::nullopt);
}

TEST(WholeNumberConversion, nonNumbersAreRefused)
{
    EXPECT_EQ(toInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(toInt32(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(toInt32(-std::numeric_limits<double>::infinity()), std::nullopt);
}

} // namespace
