#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/ReplyCheck.h"

namespace {

using Frame = std::vector<uint8_t>;

// Station 1: 16 holding registers from 4113, 8 input registers from 1, and
// a write of 500 to holding register 1 (numbers one lower on the wire).
const Frame kReadParameters{1, 3, 0x10, 0x10, 0, 16};
const Frame kReadInputs{1, 4, 0, 0, 0, 8};
const Frame kWriteSetValue{1, 6, 0, 0, 0x01, 0xF4};

Frame readAnswer(uint8_t function, int registers)
{
    Frame answer{1, function, static_cast<uint8_t>(2 * registers)};
    answer.resize(answer.size() + 2 * static_cast<size_t>(registers), 0x2A);
    return answer;
}

// Why the check refuses the answer; empty when it takes it.
std::string why(const Frame& request, const Frame& answer)
{
    const FieldbusResult fits = ReplyCheck::mismatch(request, answer);
    EXPECT_EQ(fits.ok, fits.reason.empty());
    return fits.reason;
}

TEST(ReplyCheck, answerOfExactlyTheRequestsShapeIsTaken)
{
    EXPECT_EQ(why(kReadParameters, readAnswer(3, 16)), "");
    EXPECT_EQ(why(kReadInputs, readAnswer(4, 8)), "");
    EXPECT_EQ(why(kWriteSetValue, kWriteSetValue), "");
    EXPECT_EQ(why(Frame{1, 1, 0, 0, 0, 16}, Frame{1, 1, 2, 0x05, 0x80}), "");
}

TEST(ReplyCheck, answerToAnyOtherRequestIsRefused)
{
    EXPECT_NE(why(kReadParameters, readAnswer(3, 8)), "");   // another block's length
    EXPECT_NE(why(kReadParameters, readAnswer(4, 16)), "");  // another table
    EXPECT_NE(why(kReadInputs, kWriteSetValue), "");         // a write's echo
    EXPECT_NE(why(kWriteSetValue, Frame{1, 6, 0, 0, 0, 133}), "");  // an earlier write's echo
    Frame otherStation = readAnswer(3, 16);
    otherStation[0] = 2;
    EXPECT_NE(why(kReadParameters, otherStation), "");
    Frame wrongCount = readAnswer(3, 16);
    wrongCount[2] = 30;
    EXPECT_NE(why(kReadParameters, wrongCount), "");
}

TEST(ReplyCheck, exceptionsAreNamedByLibmodbusOrByTheirNumber)
{
    EXPECT_EQ(why(kReadParameters, Frame{1, 0x83, 2}), "Illegal data address");
    EXPECT_EQ(why(kReadParameters, Frame{1, 0x83, 0}), "exception 0");
    EXPECT_EQ(why(kWriteSetValue, Frame{1, 0x86, 23}), "exception 23");
    EXPECT_NE(why(kReadInputs, Frame{1, 0x83, 2}), "Illegal data address");  // not this function's
}

} // namespace
