#include <gtest/gtest.h>

#include "Instrument.h"
#include "instrument/RegisterMap.h"
#include "StartImage.h"

using namespace tqsim;

namespace {

// An instrument fresh from the factory, stepped in simulated time only.
struct Bench {
    RegisterImage image;
    Instrument instrument{image};

    Bench() { applyFactoryDefaults(image); }
    void run(double seconds) { instrument.advance(seconds); }
    int pv() const { return image.input(RegisterMap::kProcessValue); }
    int op() const { return image.input(RegisterMap::kOutput); }
    void manual(int tenths)
    {
        image.setCoil(RegisterMap::kAutomatic, false);
        image.setHolding(RegisterMap::kManualOutput, tenths);
    }
};

} // namespace

TEST(SimInstrument, closedLoopSettlesAtTheSetValueWithLittleOvershoot)
{
    Bench b;
    int highest = 0;
    for (int second = 0; second < 8 * 60; ++second) {
        b.run(1.0);
        highest = std::max(highest, b.pv());
    }
    EXPECT_NEAR(b.pv(), 100, 1);
    EXPECT_LE(highest, 108);
    EXPECT_NEAR(b.op(), 375, 15); // 75 K above ambient at 2 K per percent
    EXPECT_EQ(b.image.input(RegisterMap::kDeviation), b.pv() - 100);
}

TEST(SimInstrument, coolingActionPullsBelowAmbient)
{
    Bench b;
    b.image.setHolding(RegisterMap::kAction, 1);
    b.image.setHolding(RegisterMap::kSetValue, 10);
    b.run(10 * 60);
    EXPECT_NEAR(b.pv(), 10, 1);
    EXPECT_GT(b.op(), 0);
}

TEST(SimInstrument, manualModeOutputsHoldingRegisterTwo)
{
    Bench b;
    b.manual(500);
    b.run(8 * 60);
    EXPECT_EQ(b.op(), 500);
    EXPECT_NEAR(b.pv(), 125, 2); // 25 + 2 K per percent * 50 %
}

TEST(SimInstrument, outputIsClampedToTheLimitsInEitherMode)
{
    Bench b;
    b.image.setHolding(RegisterMap::kOutputHigh, 600);
    b.image.setHolding(RegisterMap::kOutputLow, 50);
    b.image.setHolding(RegisterMap::kSetValue, 2000);
    b.run(1.0);
    EXPECT_EQ(b.op(), 600);
    b.manual(10);
    b.run(0.1);
    EXPECT_EQ(b.op(), 50);
}

struct InputFaultCase {
    const char* name;
    int discreteInput;
    int pv;
};

void PrintTo(const InputFaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimInputFault : public testing::TestWithParam<InputFaultCase> {};

TEST_P(SimInputFault, readsOutOfRangeAndOutputsThePreset)
{
    Bench b;
    b.image.setDiscrete(GetParam().discreteInput, true);
    b.image.setHolding(RegisterMap::kFaultPreset, 30);
    b.run(1.0);
    EXPECT_EQ(b.pv(), GetParam().pv); // a tenth of the range 0..5000 beyond it
    EXPECT_EQ(b.op(), 300);
}

INSTANTIATE_TEST_SUITE_P(Sensor, SimInputFault,
                         testing::Values(InputFaultCase{"open", RegisterMap::kInputOpen, 5500},
                                         InputFaultCase{"shorted", RegisterMap::kInputShort, -500}),
                         [](const testing::TestParamInfo<InputFaultCase>& info) { return std::string(info.param.name); });

TEST(SimInstrument, selfTuningSwitchesItselfOff)
{
    Bench b;
    b.image.setCoil(RegisterMap::kSelfTune, true);
    b.run(Instrument::kSelfTuneSeconds - 1.0);
    EXPECT_TRUE(b.image.coil(RegisterMap::kSelfTune));
    b.run(1.0);
    EXPECT_FALSE(b.image.coil(RegisterMap::kSelfTune));
}

TEST(SimInstrument, alarmsPublishTheirTypeAndOutput)
{
    Bench b;
    b.image.setHolding(RegisterMap::kAlarmType1, kAlarmHigh); // PV 25 >= 20
    b.image.setHolding(RegisterMap::kAlarmSetPointBase, 20);
    b.image.setHolding(RegisterMap::kAlarmType1 + 1, kAlarmLow); // PV 25 > 10
    b.image.setHolding(RegisterMap::kAlarmSetPointBase + 3, 10);
    b.manual(0);
    b.run(0.5);
    EXPECT_EQ(b.image.input(RegisterMap::kAlarmState1), kAlarmHigh);
    EXPECT_EQ(b.image.input(RegisterMap::kAlarmState1 + 1), 0);
    EXPECT_TRUE(b.image.discrete(RegisterMap::kAlarmOutput1));
    EXPECT_FALSE(b.image.discrete(RegisterMap::kAlarmOutput1 + 1));
}
