#include <gtest/gtest.h>

#include "LineTiming.h"

using namespace tqsim;
using std::chrono::nanoseconds;

namespace {

const Clock::time_point kArrival = Clock::time_point(std::chrono::seconds(1000));

} // namespace

TEST(SimLineTiming, readOfEightInputRegistersAt9600)
{
    // Request 8 bytes, gap 3.5, response 3 + 16 + 2 = 21 bytes:
    // 32.5 characters of 10 bits at 9600 baud.
    const LineTiming timing(9600, Parity::None);
    EXPECT_EQ(timing.responseDeadline(kArrival, std::nullopt, 8, 21) - kArrival, nanoseconds(33854166));
    EXPECT_EQ(timing.gap(), nanoseconds(3645833));
}

TEST(SimLineTiming, parityAddsABitPerCharacter)
{
    // 32.5 characters of 11 bits at 4800 baud.
    const LineTiming timing(4800, Parity::Even);
    EXPECT_EQ(timing.bitsPerCharacter(), 11);
    EXPECT_EQ(timing.responseDeadline(kArrival, std::nullopt, 8, 21) - kArrival, nanoseconds(74479166));
}

TEST(SimLineTiming, requestWaitsForTheGapAfterThePreviousResponse)
{
    const LineTiming timing(19200, Parity::None);
    const auto recentEnd = kArrival + std::chrono::milliseconds(1);
    EXPECT_EQ(timing.responseDeadline(kArrival, recentEnd, 8, 21), recentEnd + timing.gap() + timing.halfCharacters(65));
    const auto longAgo = kArrival - std::chrono::seconds(1);
    EXPECT_EQ(timing.responseDeadline(kArrival, longAgo, 8, 21), timing.responseDeadline(kArrival, std::nullopt, 8, 21));
}
