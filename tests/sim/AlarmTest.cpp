#include <gtest/gtest.h>

#include "Alarm.h"

using namespace tqsim;

namespace {

constexpr double kDt = 0.1;
constexpr int kSv = 100;

} // namespace

// A run of PVs and whether the alarm must be active after each.
struct AlarmCase {
    const char* name;
    int type;
    int setValue;
    int hysteresis;
    std::vector<std::pair<int, bool>> steps;
};

void PrintTo(const AlarmCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimAlarmType : public testing::TestWithParam<AlarmCase> {};

TEST_P(SimAlarmType, tripsAtItsSetValueAndClearsPastTheHysteresis)
{
    const AlarmCase& c = GetParam();
    Alarm alarm(true);
    for (const auto& [pv, active] : c.steps) {
        alarm.update(AlarmSettings{c.type, c.setValue, c.hysteresis, 0}, pv, kSv, kDt);
        EXPECT_EQ(alarm.stateCode(), active ? c.type : 0) << "PV " << pv;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, SimAlarmType,
    testing::Values(
        AlarmCase{"high", kAlarmHigh, 150, 5, {{149, false}, {150, true}, {145, true}, {144, false}}},
        AlarmCase{"low", kAlarmLow, 50, 5, {{51, false}, {50, true}, {55, true}, {56, false}}},
        AlarmCase{"deviationHigh", kAlarmDeviationHigh, 10, 2, {{109, false}, {110, true}, {108, true}, {107, false}}},
        AlarmCase{"deviationLow", kAlarmDeviationLow, 10, 2, {{91, false}, {90, true}, {92, true}, {93, false}}},
        AlarmCase{"band", kAlarmDeviationBand, 10, 2, {{111, true}, {92, true}, {93, false}, {89, true}}},
        AlarmCase{"coolingRelay", kAlarmCoolingRelay, 5, 1, {{104, false}, {105, true}, {103, false}}},
        AlarmCase{"off", kAlarmOff, 0, 0, {{-1999, false}, {9999, false}}}),
    [](const testing::TestParamInfo<AlarmCase>& info) { return std::string(info.param.name); });

TEST(SimAlarm, coolingRelayBelongsToAlarmThreeOnly)
{
    Alarm alarmOne(false);
    alarmOne.update(AlarmSettings{kAlarmCoolingRelay, 5, 1, 0}, 200, kSv, kDt);
    EXPECT_FALSE(alarmOne.active());
}

TEST(SimAlarm, delayMustPassWithTheConditionHeldThroughout)
{
    Alarm alarm;
    const AlarmSettings s{kAlarmHigh, 150, 1, 2};
    for (int i = 0; i < 15; ++i)
        alarm.update(s, 160, kSv, kDt);
    alarm.update(s, 140, kSv, kDt); // interrupted: the delay starts again
    for (int i = 0; i < 19; ++i)
        alarm.update(s, 160, kSv, kDt);
    EXPECT_FALSE(alarm.active()) << "1.9 s of 2";
    alarm.update(s, 160, kSv, kDt);
    EXPECT_TRUE(alarm.active()) << "2.0 s of 2";
}
