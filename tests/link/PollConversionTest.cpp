#include <memory>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "instrument/ProcessImage.h"

namespace {

// Drives Poller's conversion directly with blocks as the link thread delivers them.
class PollConversion : public ::testing::Test {
protected:
    PollBlock block(int step, std::initializer_list<std::pair<int, int32_t>> raw,
                    std::array<bool, 3> ok = {true, true, true})
    {
        PollBlock b;
        b.step = step;
        for (const auto& [index, value] : raw)
            b.raw[static_cast<size_t>(index)] = value;
        b.readOk = ok;
        return b;
    }

    ProcessImage image;
    FakeClock clock;
    InstrumentLink link{std::make_unique<FakeFieldbus>()};
    Poller poll{image, link, clock};
};

TEST_F(PollConversion, inputRegistersWithOutputInTenths)
{
    poll.applyBlock(block(1, {{0, 523}, {1, 523}, {2, 250}, {5, 1}, {7, -1999}}));
    EXPECT_EQ(image.inputRegs[1], 523);
    EXPECT_FLOAT_EQ(image.inputValues[0], 523.0f);
    EXPECT_EQ(image.inputValues[1], static_cast<float>(52.3));
    EXPECT_FLOAT_EQ(image.inputValues[2], 250.0f);
    EXPECT_FLOAT_EQ(image.inputValues[5], 1.0f);
    EXPECT_FLOAT_EQ(image.inputValues[7], -1999.0f);
    EXPECT_EQ(image.inputValues[8], 0.0f);  // never written by the poll
    EXPECT_EQ(image.inputValues[9], 0.0f);
}

TEST_F(PollConversion, holdingRegistersWithManualOutputInTenths)
{
    poll.applyBlock(block(2, {{0, 523}, {1, 523}, {2, -5}}));
    EXPECT_FLOAT_EQ(image.holdingValues[0], 523.0f);
    EXPECT_EQ(image.holdingValues[1], static_cast<float>(52.3));
    EXPECT_FLOAT_EQ(image.holdingValues[2], -5.0f);
    EXPECT_EQ(image.holdingRegs[0], 523);
}

TEST_F(PollConversion, parametersSixSeventeenEighteenAndThirtyThreeAreTenths)
{
    PollBlock b = block(3, {});
    for (int i = 1; i <= 40; ++i)
        b.raw[static_cast<size_t>(i)] = 15;
    poll.applyBlock(b);
    for (int n = 1; n <= 37; ++n) {
        const bool tenths = n == 6 || n == 17 || n == 18 || n == 33;
        EXPECT_FLOAT_EQ(image.paramValues[static_cast<size_t>(n)], tenths ? 1.5f : 15.0f) << n;
    }
    // 4134..4136 are read with the block but never reach the image.
    for (size_t n = 38; n < image.paramValues.size(); ++n)
        EXPECT_EQ(image.paramValues[n], 0.0f) << n;
    EXPECT_EQ(image.paramValues[0], 0.0f);
}

TEST_F(PollConversion, negativeParametersStayNegative)
{
    poll.applyBlock(block(3, {{4, -1999}, {6, -15}}));
    EXPECT_FLOAT_EQ(image.paramValues[4], -1999.0f);
    EXPECT_FLOAT_EQ(image.paramValues[6], -1.5f);
}

TEST_F(PollConversion, failedParameterReadKeepsTheParametersItCovers)
{
    PollBlock first = block(3, {{1, 11}, {17, 1000}, {33, 10}});
    poll.applyBlock(first);
    PollBlock second = block(3, {{1, 0}, {17, 999}, {33, 0}}, {false, true, false});
    poll.applyBlock(second);
    EXPECT_FLOAT_EQ(image.paramValues[1], 11.0f);   // first read failed: kept
    EXPECT_FLOAT_EQ(image.paramValues[17], 99.9f);  // second read answered
    EXPECT_FLOAT_EQ(image.paramValues[33], 1.0f);   // third read failed: kept
}

TEST_F(PollConversion, failedReadsKeepTheLastGoodValues)
{
    poll.applyBlock(block(1, {{0, 523}}));
    poll.applyBlock(block(4, {{0, 150}, {15, 7}}));
    poll.applyBlock(block(1, {{0, 0}}, {false, false, false}));
    poll.applyBlock(block(4, {{0, 0}}, {false, false, false}));
    EXPECT_FLOAT_EQ(image.inputValues[0], 523.0f);
    EXPECT_EQ(image.alarmRegs[0], 150);
    EXPECT_EQ(image.alarmRegs[15], 7);
}

struct ByteCase {
    int32_t word;
    std::array<int32_t, 8> bits;
};

class BitSplit : public PollConversion, public ::testing::WithParamInterface<ByteCase> {};

TEST_P(BitSplit, discreteInputsAndCoilsTakeEveryByte)
{
    const auto& c = GetParam();
    poll.applyBlock(block(5, {{0, c.word}, {1, c.word}}));
    poll.applyBlock(block(6, {{0, c.word}, {1, c.word}}));
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(image.inputBits[i], c.bits[i]) << "input bit " << i;
        EXPECT_EQ(image.inputBits[i + 8], c.bits[i]) << "input bit " << i + 8;
        EXPECT_EQ(image.coilBits[i], c.bits[i]) << "coil " << i;
        EXPECT_EQ(image.coilBits[i + 8], c.bits[i]) << "coil " << i + 8;
    }
}

INSTANTIATE_TEST_SUITE_P(Bytes, BitSplit, ::testing::Values(
    ByteCase{0, {0, 0, 0, 0, 0, 0, 0, 0}},
    ByteCase{5, {1, 0, 1, 0, 0, 0, 0, 0}},
    ByteCase{128, {0, 0, 0, 0, 0, 0, 0, 1}},
    ByteCase{254, {0, 1, 1, 1, 1, 1, 1, 1}},
    ByteCase{255, {1, 1, 1, 1, 1, 1, 1, 1}}),  // all eight set is a byte like any other
    [](const ::testing::TestParamInfo<ByteCase>& info) { return "byte" + std::to_string(info.param.word); });

TEST_F(PollConversion, valuesOutsideAByteLeaveTheBitsAsTheyWere)
{
    poll.applyBlock(block(5, {{0, 5}, {1, 254}}));
    poll.applyBlock(block(5, {{0, -1}, {1, 256}}));
    EXPECT_EQ(image.inputBits[0], 1);
    EXPECT_EQ(image.inputBits[1], 0);
    EXPECT_EQ(image.inputBits[2], 1);
    EXPECT_EQ(image.inputBits[8], 0);
    EXPECT_EQ(image.inputBits[9], 1);
    EXPECT_EQ(poll.bitWords[0], -1);
    EXPECT_EQ(poll.bitWords[1], 256);
}

TEST_F(PollConversion, discreteInputsAndCoilsUseTheirOwnWords)
{
    poll.applyBlock(block(5, {{0, 3}, {1, 0}}));
    poll.applyBlock(block(6, {{0, 6}, {1, 1}}));
    EXPECT_EQ(poll.bitWords[0], 3);
    EXPECT_EQ(poll.bitWords[2], 6);
    EXPECT_EQ(poll.bitWords[3], 1);
    EXPECT_EQ(image.inputBits[0], 1);
    EXPECT_EQ(image.inputBits[2], 0);
    EXPECT_EQ(image.coilBits[0], 0);
    EXPECT_EQ(image.coilBits[2], 1);
    EXPECT_EQ(image.coilBits[8], 1);
}

TEST_F(PollConversion, dByteSplitsBitsByWeight)
{
    poll.D_Byte(0b10010110);
    const std::array<uint8_t, 8> expected{0, 1, 1, 0, 1, 0, 0, 1};
    EXPECT_EQ(poll.byteBits, expected);
}

} // namespace
