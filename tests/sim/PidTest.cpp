#include <gtest/gtest.h>

#include "Pid.h"

using namespace tqsim;

namespace {

constexpr double kDt = 0.1;

} // namespace

struct DirectionCase {
    bool cooling;
    double pv;
    bool outputs;
};

void PrintTo(const DirectionCase& c, std::ostream* os)
{
    *os << (c.cooling ? "cooling" : "heating") << " at PV " << c.pv;
}

class SimPidDirection : public testing::TestWithParam<DirectionCase> {};

TEST_P(SimPidDirection, outputsOnlyWhenPvIsOnTheWrongSide)
{
    PidSettings s;
    s.cooling = GetParam().cooling;
    Pid pid;
    const double out = pid.update(s, 100.0, GetParam().pv, kDt);
    EXPECT_EQ(out > 0.0, GetParam().outputs) << out;
}

INSTANTIATE_TEST_SUITE_P(Actions, SimPidDirection,
                         testing::Values(DirectionCase{false, 90.0, true}, DirectionCase{false, 110.0, false},
                                         DirectionCase{true, 110.0, true}, DirectionCase{true, 90.0, false}));

TEST(SimPid, bandIsTheErrorForFullOutputWithinTheLimits)
{
    PidSettings s;
    s.integralTime = 0.0;
    s.derivativeTime = 0.0;
    s.outputHigh = 80.0;
    Pid pid;
    EXPECT_DOUBLE_EQ(pid.update(s, 100.0, 95.0, kDt), 25.0); // 5 of a band of 20
    EXPECT_DOUBLE_EQ(pid.update(s, 100.0, 80.0, kDt), 80.0); // full output, limited
}

TEST(SimPid, saturationDoesNotWindUpTheIntegral)
{
    PidSettings s;
    s.derivativeTime = 0.0;
    Pid pid;
    for (int i = 0; i < 10000; ++i) // 1000 s pinned at 100 %
        pid.update(s, 200.0, 25.0, kDt);
    // Just past SV the output must fall at once, not wait for an integral to unwind.
    EXPECT_LT(pid.update(s, 200.0, 201.0, kDt), 5.0);
}

TEST(SimPid, zeroBandSwitchesWithHysteresis)
{
    PidSettings s;
    s.band = 0.0;
    s.onOffHysteresis = 2.0;
    Pid pid;
    EXPECT_DOUBLE_EQ(pid.update(s, 100.0, 97.0, kDt), 100.0);
    EXPECT_DOUBLE_EQ(pid.update(s, 100.0, 101.0, kDt), 100.0);
    EXPECT_DOUBLE_EQ(pid.update(s, 100.0, 103.0, kDt), 0.0);
    EXPECT_DOUBLE_EQ(pid.update(s, 100.0, 99.0, kDt), 0.0);
}

TEST(SimPid, trackingMakesTheReturnToAutomaticBumpless)
{
    PidSettings s;
    Pid pid;
    pid.track(s, 100.0, 98.0, 40.0);
    EXPECT_NEAR(pid.update(s, 100.0, 98.0, kDt), 40.0, 0.1);
}
