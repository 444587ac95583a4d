#include "LineTiming.h"

#include <algorithm>

namespace tqsim {

LineTiming::LineTiming(int baud, Parity parity)
    : baud_(baud)
    , bits_(parity == Parity::None ? 10 : 11)
{
}

std::chrono::nanoseconds LineTiming::halfCharacters(long long halfCharacters) const
{
    // Integer arithmetic keeps 3.5 characters exact: bits * halves * 1e9 / (2 * baud).
    const long long ns = bits_ * halfCharacters * 1000000000LL / (2LL * baud_);
    return std::chrono::nanoseconds(ns);
}

Clock::time_point LineTiming::responseDeadline(Clock::time_point arrival,
                                               std::optional<Clock::time_point> previousResponseEnd,
                                               int requestBytes, int responseBytes) const
{
    Clock::time_point start = arrival;
    if (previousResponseEnd)
        start = std::max(start, *previousResponseEnd + gap());
    return start + halfCharacters(2LL * requestBytes + 7 + 2LL * responseBytes);
}

} // namespace tqsim
