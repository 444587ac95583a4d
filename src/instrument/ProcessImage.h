#pragma once

#include <array>
#include <cstdint>

// The station's mirror of the one connected instrument. Plain data: the poll
// host is the only writer of the instrument blocks, every window reads them,
// and all of it is touched on the user-interface thread only, so there is no
// locking and no notification. Array sizes are the historic bounds + 1;
// each array's comment says which register or bit its elements hold.
struct ProcessImage {
    // Truth values kept in 16-bit integers.
    static constexpr int16_t kTrue = -1;
    static constexpr int16_t kFalse = 0;

    std::array<int32_t, 501> inputRegs{};     // 3X 1..8 raw, elements 0..7
    std::array<float, 301> inputValues{};     // 3X 1..8 as numbers (3X 2 in tenths)
    std::array<int32_t, 501> holdingRegs{};   // 4X 1..8 raw, elements 0..7
    std::array<float, 301> holdingValues{};   // 4X 1..8 as numbers (4X 2 in tenths)
    std::array<float, 101> paramValues{};     // 4X 4097..4133 in elements 1..37
    std::array<int32_t, 33> alarmRegs{};      // 4X 257..272 raw, elements 0..15
    std::array<int32_t, 101> inputBits{};     // 1X 1..16 as 0/1, elements 0..15
    std::array<int32_t, 101> coilBits{};      // 0X 1..16 as 0/1, elements 0..15

    int16_t mainWindowOpen = kFalse;
    int16_t sampleReady = kFalse;
    int16_t yAxisSpan = 0;
    int16_t yAxisMin = 0;
    // Wider than the other Y-axis values: for large ranges the offset of the
    // minimum does not fit 16 bits, and the curves must still sit where the
    // axis labels say.
    int32_t yAxisOffset = 0;
    double recordRefDate = 0.0;  // date value of the last stored sample
    double recordRefTime = 0.0;  // its time of day, as a fraction of a day
};
