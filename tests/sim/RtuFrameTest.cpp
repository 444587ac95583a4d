#include <algorithm>
#include <chrono>

#include <gtest/gtest.h>

#include "FaultInjector.h"
#include "RtuFrame.h"

using namespace tqsim;

// Frames as libmodbus 3.1.6 puts them on the wire, CRC included.
class SimCrcVector : public testing::TestWithParam<Frame> {};

TEST_P(SimCrcVector, matchesAnotherImplementation)
{
    Frame frame = GetParam();
    EXPECT_TRUE(hasValidCrc(frame));
    frame.resize(frame.size() - 2);
    appendCrc(frame);
    EXPECT_EQ(frame, GetParam());
    frame[2] ^= 0x10;
    EXPECT_FALSE(hasValidCrc(frame));
}

INSTANTIATE_TEST_SUITE_P(Libmodbus, SimCrcVector,
                         testing::Values(Frame{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD},
                                         Frame{0x01, 0x04, 0x00, 0x00, 0x00, 0x08, 0xF1, 0xCC},
                                         Frame{0x11, 0x06, 0x10, 0x00, 0x12, 0x34, 0x82, 0xED}));

TEST(SimRtuFrame, spoiledAnswersStayWellFormed)
{
    Frame answer{0x01, 0x06, 0x00, 0x00, 0x00, 0x64};
    appendCrc(answer);
    const FaultInjector wrongAddress(FaultMode::WrongAddress, 0);
    EXPECT_EQ(wrongAddress.spoil(answer, answer, 247)[0], 1); // the neighbour of 247 is 1
    EXPECT_TRUE(hasValidCrc(wrongAddress.spoil(answer, answer, 1)));
    const Frame refused = FaultInjector(FaultMode::Exception, 0).spoil(answer, {}, 1);
    EXPECT_EQ(refused, (Frame{0x01, 0x86, 0x04, refused[3], refused[4]}));
    EXPECT_TRUE(hasValidCrc(refused));
}

TEST(SimRtuFrame, trailingFaultAppendsAnInputAnswerWithPv9999AndGarbageInTurn)
{
    Frame answer{0x01, 0x06, 0x00, 0x00, 0x00, 0x64};
    appendCrc(answer);
    FaultInjector trailing(FaultMode::Trailing, 0);
    const Frame first = trailing.spoil(answer, answer, 1);
    ASSERT_EQ(first.size(), answer.size() + 21);
    EXPECT_TRUE(std::equal(answer.begin(), answer.end(), first.begin()));
    const Frame tail(first.begin() + static_cast<long>(answer.size()), first.end());
    EXPECT_TRUE(hasValidCrc(tail));
    EXPECT_EQ(tail[1], 0x04);  // input registers, the poll's block of 8
    EXPECT_EQ(tail[2], 16);
    EXPECT_EQ(tail[3] << 8 | tail[4], FaultInjector::kTailProcessValue);

    trailing.countAnswer();
    const Frame second = trailing.spoil(answer, answer, 1);
    ASSERT_GT(second.size(), answer.size());
    EXPECT_FALSE(hasValidCrc(Frame(second.begin() + static_cast<long>(answer.size()), second.end())));
}

TEST(SimRtuFrame, lateAndRepeatingFaultsSendTheAnswerUnchanged)
{
    Frame answer{0x01, 0x06, 0x00, 0x00, 0x00, 0x64};
    appendCrc(answer);
    const FaultInjector late(FaultMode::Late, 0, 400);
    EXPECT_EQ(late.spoil(answer, answer, 1), answer);
    EXPECT_EQ(late.delay(), std::chrono::milliseconds(400));
    EXPECT_FALSE(late.repeats());
    const FaultInjector duplicate(FaultMode::Duplicate, 0, 400);
    EXPECT_EQ(duplicate.spoil(answer, answer, 1), answer);
    EXPECT_EQ(duplicate.delay(), std::chrono::milliseconds(0));
    EXPECT_TRUE(duplicate.repeats());
    EXPECT_TRUE(FaultInjector::executesRequest(FaultMode::Late) && FaultInjector::executesRequest(FaultMode::Duplicate)
                && FaultInjector::executesRequest(FaultMode::Trailing));
}
