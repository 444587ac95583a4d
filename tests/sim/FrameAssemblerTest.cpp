#include <gtest/gtest.h>

#include "FrameAssembler.h"

using namespace tqsim;
using std::chrono::milliseconds;

namespace {

const Frame kRead{0x01, 0x04, 0x00, 0x00, 0x00, 0x08, 0xF1, 0xCC};
const Clock::time_point t0 = Clock::time_point(std::chrono::seconds(50));

void feed(FrameAssembler& a, Frame::const_iterator from, Frame::const_iterator to, Clock::time_point when)
{
    const Frame bytes(from, to);
    a.feed(bytes.data(), bytes.size(), when);
}

} // namespace

TEST(SimFrameAssembler, requestInPiecesIsReadyAtItsLength)
{
    FrameAssembler a;
    feed(a, kRead.begin(), kRead.begin() + 3, t0);
    EXPECT_FALSE(a.take(t0 + milliseconds(1)));
    feed(a, kRead.begin() + 3, kRead.end(), t0 + milliseconds(2));
    const auto received = a.take(t0 + milliseconds(2)); // no wait for a silence
    ASSERT_TRUE(received);
    EXPECT_EQ(received->frame, kRead);
    EXPECT_EQ(received->arrival, t0);
}

TEST(SimFrameAssembler, backToBackRequestsComeOutOneByOne)
{
    FrameAssembler a;
    Frame two = kRead;
    two.insert(two.end(), kRead.begin(), kRead.end());
    feed(a, two.begin(), two.end(), t0);
    EXPECT_TRUE(a.take(t0));
    EXPECT_TRUE(a.take(t0));
    EXPECT_TRUE(a.empty());
}

TEST(SimFrameAssembler, incompleteRequestIsDroppedAfterSilence)
{
    FrameAssembler a(milliseconds(50));
    feed(a, kRead.begin(), kRead.begin() + 5, t0);
    EXPECT_EQ(a.silenceDeadline(), t0 + milliseconds(50));
    EXPECT_FALSE(a.take(t0 + milliseconds(49)));
    EXPECT_FALSE(a.empty());
    EXPECT_FALSE(a.take(t0 + milliseconds(50)));
    EXPECT_TRUE(a.empty());
}

TEST(SimFrameAssembler, unknownFunctionEndsAtSilence)
{
    FrameAssembler a(milliseconds(50));
    Frame report{0x01, 0x11};
    appendCrc(report);
    feed(a, report.begin(), report.end(), t0);
    EXPECT_FALSE(a.take(t0 + milliseconds(10)));
    const auto received = a.take(t0 + milliseconds(60));
    ASSERT_TRUE(received);
    EXPECT_EQ(received->frame, report);
}
