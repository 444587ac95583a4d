#include <gtest/gtest.h>

#include <algorithm>

#include "support/SimMaster.h"

namespace {

using Ms = std::chrono::duration<double, std::milli>;

// Wall time of one read of 16 holding registers.
std::optional<Ms> timedRead(SimMaster& master)
{
    const auto start = std::chrono::steady_clock::now();
    if (!master.read(SimMaster::Table::HoldingRegisters, 1, 16))
        return std::nullopt;
    return std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now() - start);
}

} // namespace

TEST(SimLineTiming, sixteenRegistersTakeTheirWireTimeAt9600)
{
    // 8 request bytes, 3.5 characters of gap, 5 + 32 response bytes: 48.5
    // characters of 10 bits.
    const double wireMs = 48.5 * 10 / 9600 * 1000;
    ServedSim s({"--frozen", "--line-timing"});
    for (int i = 0; i < 3; ++i) {
        const auto took = timedRead(s.master);
        ASSERT_TRUE(took) << s.master.why();
        EXPECT_GE(took->count(), wireMs - 0.1);
        EXPECT_LT(took->count(), wireMs + 100.0); // generous: machines are noisy
    }
}

TEST(SimLineTiming, withoutItAnswersWellWithinTheWireTime)
{
    ServedSim s({"--frozen"});
    Ms fastest(1e9);
    for (int i = 0; i < 5; ++i) {
        const auto took = timedRead(s.master);
        ASSERT_TRUE(took) << s.master.why();
        fastest = std::min(fastest, *took);
    }
    EXPECT_LT(fastest.count(), 25.0);
}
