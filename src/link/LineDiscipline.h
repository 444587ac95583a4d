#pragma once

#include <chrono>
#include <cstddef>

// The silences of an RTU line as the master keeps them. A frame ends with
// 3.5 characters of silence, so bytes that follow an answer sooner belong to
// it and spoil it; and a request goes out only on a line that has been
// silent at least that long, so nothing still in flight can be taken for its
// answer. Whatever is heard in between is read and dropped.
//
// A character is counted at its real framing: start bit, 8 data bits, the
// parity bit if any, stop bit. Counting 11 bits always would make every
// gap at no parity 10% longer than the line needs, and the poll cycle with it.
class LineDiscipline {
public:
    using Clock = std::chrono::steady_clock;

    LineDiscipline(int baud, bool parity);

    // 3.5 characters.
    Clock::duration gap() const { return gap_; }

    struct Silence {
        bool reached = false;  // false: bytes kept coming for the whole bound
        size_t dropped = 0;    // bytes read and thrown away meanwhile
    };
    // Returns once nothing has been heard on fd for `quiet` (at least the
    // gap). At once when nothing is waiting and the line has been quiet
    // long enough already, the usual case between two exchanges.
    Silence awaitSilence(int fd, Clock::duration quiet, Clock::duration bound);

    // Call when an answer has just been read. True when the gap that ends
    // a frame follows it; bytes heard within the gap are left for the next
    // awaitSilence to drop.
    bool answerEnded(int fd);

    // The line was active now (an answer or a failed wait ended).
    void heard() { lastHeard_ = Clock::now(); }

private:
    Clock::duration gap_;
    Clock::time_point lastHeard_{};
};
