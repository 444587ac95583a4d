#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// Every conversion of a real number to an integer goes to the nearest whole
// number with an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), the rounding process instruments use for their tenths.
inline double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5)
        return floor;
    if (diff > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// The rounded value when it fits the integer type; empty when it does not
// (or is not a number), so that a value is never stored wrapped around.
template <typename Int>
std::optional<Int> toWholeNumber(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

inline std::optional<int16_t> toInt16(double value) { return toWholeNumber<int16_t>(value); }
inline std::optional<int32_t> toInt32(double value) { return toWholeNumber<int32_t>(value); }
