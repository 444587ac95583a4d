#include <memory>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "instrument/InstrumentState.h"

namespace {

// Drives Poller's conversion directly with blocks as the link thread delivers them.
class PollConversion : public ::testing::Test {
protected:
    PollBlock block(int step, std::initializer_list<std::pair<int, int16_t>> registers,
                    std::array<bool, 3> ok = {true, true, true})
    {
        PollBlock b;
        b.step = step;
        for (const auto& [index, value] : registers)
            b.registers[static_cast<size_t>(index)] = value;
        b.readOk = ok;
        return b;
    }

    InstrumentState state;
    FakeClock clock;
    InstrumentLink link{std::make_unique<FakeFieldbus>()};
    Poller poll{state, link, clock};
};

TEST_F(PollConversion, inputRegistersWithOutputInTenths)
{
    poll.applyBlock(block(1, {{0, 523}, {1, 523}, {2, 250}, {5, 1}, {7, -1999}}));
    EXPECT_FLOAT_EQ(state.measurement(1), 523.0f);
    EXPECT_EQ(state.measurement(2), static_cast<float>(52.3));
    EXPECT_FLOAT_EQ(state.measurement(3), 250.0f);
    EXPECT_FLOAT_EQ(state.measurement(6), 1.0f);
    EXPECT_FLOAT_EQ(state.measurement(8), -1999.0f);
    EXPECT_EQ(state.measurement(9), 0.0f);  // never written by the poll
    EXPECT_EQ(state.measurement(10), 0.0f);
}

TEST_F(PollConversion, holdingRegistersWithManualOutputInTenths)
{
    poll.applyBlock(block(2, {{0, 523}, {1, 523}, {2, -5}}));
    EXPECT_FLOAT_EQ(state.command(1), 523.0f);
    EXPECT_EQ(state.command(2), static_cast<float>(52.3));
    EXPECT_FLOAT_EQ(state.command(3), -5.0f);
}

TEST_F(PollConversion, parametersSixSeventeenEighteenAndThirtyThreeAreTenths)
{
    PollBlock b = block(3, {});
    for (int i = 1; i <= 40; ++i)
        b.registers[static_cast<size_t>(i)] = 15;
    poll.applyBlock(b);
    for (int n = 1; n <= 37; ++n) {
        const bool tenths = n == 6 || n == 17 || n == 18 || n == 33;
        EXPECT_FLOAT_EQ(state.parameter(n), tenths ? 1.5f : 15.0f) << n;
    }
    // 4134..4136 are read with the block but are no parameters.
    for (int n = 38; n <= 40; ++n)
        EXPECT_EQ(state.parameter(n), 0.0f) << n;
    EXPECT_EQ(state.parameter(0), 0.0f);
}

TEST_F(PollConversion, negativeParametersStayNegative)
{
    poll.applyBlock(block(3, {{4, -1999}, {6, -15}}));
    EXPECT_FLOAT_EQ(state.parameter(4), -1999.0f);
    EXPECT_FLOAT_EQ(state.parameter(6), -1.5f);
}

TEST_F(PollConversion, failedParameterReadKeepsTheParametersItCovers)
{
    PollBlock first = block(3, {{1, 11}, {17, 1000}, {33, 10}});
    poll.applyBlock(first);
    PollBlock second = block(3, {{1, 0}, {17, 999}, {33, 0}}, {false, true, false});
    poll.applyBlock(second);
    EXPECT_FLOAT_EQ(state.parameter(1), 11.0f);   // first read failed: kept
    EXPECT_FLOAT_EQ(state.parameter(17), 99.9f);  // second read answered
    EXPECT_FLOAT_EQ(state.parameter(33), 1.0f);   // third read failed: kept
}

TEST_F(PollConversion, failedReadsKeepTheLastGoodValues)
{
    poll.applyBlock(block(1, {{0, 523}}));
    poll.applyBlock(block(4, {{0, 150}, {15, 7}}));
    poll.applyBlock(block(1, {{0, 0}}, {false, false, false}));
    poll.applyBlock(block(4, {{0, 0}}, {false, false, false}));
    EXPECT_FLOAT_EQ(state.measurement(1), 523.0f);
    EXPECT_EQ(state.alarmRegister(0), 150);
    EXPECT_EQ(state.alarmRegister(15), 7);
}

PollBlock bitsBlock(int step, uint16_t pattern)
{
    PollBlock b;
    b.step = step;
    for (size_t i = 0; i < b.bits.size(); ++i)
        b.bits[i] = (pattern >> i) & 1;
    b.readOk = {true, true, true};
    return b;
}

class BitPattern : public PollConversion, public ::testing::WithParamInterface<uint16_t> {};

TEST_P(BitPattern, discreteInputsAndCoilsTakeEveryBit)
{
    const uint16_t pattern = GetParam();
    poll.applyBlock(bitsBlock(5, pattern));
    poll.applyBlock(bitsBlock(6, pattern));
    for (size_t i = 0; i < 16; ++i) {
        const int32_t expected = (pattern >> i) & 1;
        EXPECT_EQ(state.discreteInput(i + 1), expected) << "input bit " << i;
        EXPECT_EQ(state.coil(i + 1), expected) << "coil " << i;
    }
    EXPECT_EQ(state.discreteInput(17), 0);  // never written by the poll
}

INSTANTIATE_TEST_SUITE_P(Patterns, BitPattern, ::testing::Values(0x0000, 0x0005, 0x0080, 0x00FE, 0x00FF, 0x8001, 0xFFFF),
    [](const ::testing::TestParamInfo<uint16_t>& info) { return "bits" + std::to_string(info.param); });

TEST_F(PollConversion, discreteInputsAndCoilsKeepToTheirOwnArrays)
{
    poll.applyBlock(bitsBlock(5, 0b0011));
    poll.applyBlock(bitsBlock(6, 0b1'0000'0110));
    EXPECT_EQ(state.discreteInput(1), 1);
    EXPECT_EQ(state.discreteInput(3), 0);
    EXPECT_EQ(state.discreteInput(9), 0);
    EXPECT_EQ(state.coil(1), 0);
    EXPECT_EQ(state.coil(3), 1);
    EXPECT_EQ(state.coil(9), 1);
}

TEST_F(PollConversion, failedBitReadKeepsTheLastGoodBits)
{
    poll.applyBlock(bitsBlock(6, 0b0101));
    PollBlock failed = bitsBlock(6, 0);
    failed.readOk = {false, false, false};
    poll.applyBlock(failed);
    EXPECT_EQ(state.coil(1), 1);
    EXPECT_EQ(state.coil(3), 1);
}

} // namespace
