#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "link/LineDiscipline.h"

namespace {

using namespace std::chrono_literals;

// A pipe standing in for the line: the test writes what the instrument
// sends, the discipline reads the other end.
class Line : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(pipe2(ends_, O_NONBLOCK | O_CLOEXEC), 0); }
    void TearDown() override
    {
        close(ends_[0]);
        close(ends_[1]);
    }
    int readEnd() const { return ends_[0]; }
    void send(size_t bytes) const
    {
        const std::vector<unsigned char> data(bytes, 0x55);
        ASSERT_EQ(write(ends_[1], data.data(), data.size()), static_cast<ssize_t>(bytes));
    }
    bool waiting() const
    {
        unsigned char byte = 0;
        return read(ends_[0], &byte, 1) == 1;
    }

    LineDiscipline discipline{9600, false};

private:
    int ends_[2] = {-1, -1};
};

TEST_F(Line, gapIsThreeAndAHalfCharactersOfTheLinesFraming)
{
    EXPECT_EQ(std::chrono::round<std::chrono::microseconds>(LineDiscipline(9600, false).gap()), 3646us);
    EXPECT_EQ(std::chrono::round<std::chrono::microseconds>(LineDiscipline(9600, true).gap()), 4010us);
    EXPECT_EQ(std::chrono::round<std::chrono::microseconds>(LineDiscipline(19200, false).gap()), 1823us);
}

TEST_F(Line, bytesHeardBeforeARequestAreDroppedAndTheWaitEndsOnceTheLineIsQuiet)
{
    send(37);
    const LineDiscipline::Silence silence = discipline.awaitSilence(readEnd(), discipline.gap(), 250ms);
    EXPECT_TRUE(silence.reached);
    EXPECT_EQ(silence.dropped, 37u);
    EXPECT_FALSE(waiting());
}

TEST_F(Line, lineThatNeverFallsSilentEndsTheWaitAtItsBound)
{
    std::atomic<bool> streaming = true;
    std::thread instrument([&] {
        while (streaming) {
            send(1);
            std::this_thread::sleep_for(1ms);
        }
    });
    pollfd streamStarted{readEnd(), POLLIN, 0};
    const bool started = poll(&streamStarted, 1, 5000) == 1;
    // A quiet far longer than the writer's pauses, even on a busy machine.
    const LineDiscipline::Silence silence = discipline.awaitSilence(readEnd(), 50ms, 150ms);
    streaming = false;
    instrument.join();
    ASSERT_TRUE(started);
    EXPECT_FALSE(silence.reached);
    EXPECT_GT(silence.dropped, 0u);
}

TEST_F(Line, answerEndsOnlyWhenSilenceFollowsIt)
{
    EXPECT_TRUE(discipline.answerEnded(readEnd()));
    send(5);
    EXPECT_FALSE(discipline.answerEnded(readEnd()));
    EXPECT_TRUE(waiting());  // left for the wait before the next request
}

} // namespace
