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
