#pragma once

#include <chrono>
#include <optional>

#include "LineTiming.h"
#include "RtuFrame.h"

namespace tqsim {

// Cuts the byte stream of a serial line into request frames. A request of
// a known function ends at its length, so an answer needs no wait for a
// silence; anything else ends when the line has been quiet for `silence`.
// An incomplete request is dropped after that silence, which is how the
// line resynchronises after garbage.
class FrameAssembler {
public:
    static constexpr std::chrono::milliseconds kDefaultSilence{50};
    static constexpr size_t kMaxFrame = 256;

    struct Received {
        Frame frame;
        Clock::time_point arrival;   // when its first byte was seen
    };

    explicit FrameAssembler(Clock::duration silence = kDefaultSilence);

    void feed(const uint8_t* data, size_t length, Clock::time_point now);
    // The next whole frame, if the bytes so far hold one.
    std::optional<Received> take(Clock::time_point now);

    bool empty() const { return buffer_.empty(); }
    // When take() can make progress without new bytes; nullopt when idle.
    std::optional<Clock::time_point> silenceDeadline() const;

private:
    void discard();

    Frame buffer_;
    Clock::time_point firstByte_{};
    Clock::time_point lastByte_{};
    Clock::duration silence_;
};

} // namespace tqsim
