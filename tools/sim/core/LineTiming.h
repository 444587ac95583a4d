#pragma once

#include <chrono>
#include <optional>

#include "Options.h"

namespace tqsim {

using Clock = std::chrono::steady_clock;

// RS-485 wire time as a real line would impose it. A character is a start
// bit, 8 data bits, an optional parity bit and a stop bit; frames are
// separated by a silent gap of 3.5 characters.
class LineTiming {
public:
    LineTiming(int baud, Parity parity);

    int bitsPerCharacter() const { return bits_; }
    // Wire time of `halfCharacters` / 2 characters, truncated to nanoseconds.
    std::chrono::nanoseconds halfCharacters(long long halfCharacters) const;
    std::chrono::nanoseconds characters(long long count) const { return halfCharacters(2 * count); }
    std::chrono::nanoseconds gap() const { return halfCharacters(7); }

    // When the response may be written. The request's transmission starts
    // at its arrival, but not before the previous response has ended and a
    // gap has passed; it then takes its own bytes, a gap and the response's
    // bytes.
    Clock::time_point responseDeadline(Clock::time_point arrival,
                                       std::optional<Clock::time_point> previousResponseEnd,
                                       int requestBytes, int responseBytes) const;

private:
    int baud_;
    int bits_;
};

} // namespace tqsim
