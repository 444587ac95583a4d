#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The samples the trend chart shows, indexed by slot 0..322. Slot 0 never
// holds a sample (it stays zero after a clear); a load fills the slots up
// to the window's size oldest first, so its newest record sits at the live
// edge (slot 241) or the right end of a page, and live samples are appended
// after them. A young file fills only the right end: the slots before its
// oldest record stay empty.
// trendValues is indexed slot first, channel second: trendValues[slot][ch],
// channel 0 PV, 1 OP in per cent, 2 SV, 3..9 further inputs.
struct TrendBuffers {
    static constexpr int kSlots = 323;
    static constexpr int kChannels = 25;
    static constexpr int16_t kLiveWindow = 241;  // records of a live load
    static constexpr int16_t kHistoryPage = 321; // records of a history page
    static constexpr int kClearedSlots = 322;    // slots 0..321
    static constexpr int kClearedChannels = 9;   // channels 0..8

    std::array<std::array<float, kChannels>, kSlots> trendValues{};
    std::array<double, kSlots> trendDates{};  // whole days, no time part
    std::array<double, kSlots> trendTimes{};  // fraction of a day, no date part
    std::array<int16_t, kSlots> gapMarks{};   // > 0: a gap between this slot and the one before

    int16_t markEnd = 0;      // end of the gap-marker range
    int16_t curveEnd = 0;     // end of the curve range, slot of the newest live sample
    int16_t loadedCount = 0;  // records put in by the last load: 241 or 321

    // A stored date is never day 0 (1899-12-30): an empty slot has none.
    bool holdsSample(size_t slot) const { return slot < kSlots && trendDates[slot] > 0; }

    // Sets slots 0..321 of trendDates and trendTimes and channels 0..8 of
    // trendValues to 0. Channel 9 and slot 322 keep what they hold: the ruler
    // shows channel 9 of an earlier load in slots a short load leaves empty.
    void clear();
};

// The recorder stores a sample each second the instrument answered and none
// for a second it did not, so samples further apart than this have missing
// data between them. One skipped second (a tick that came late) is not
// worth a mark; two are. Times of day only, as fractions of a day: a
// midnight between the two also counts as a gap.
namespace TrendGaps {
inline constexpr double kGapDays = 2.5 / 86400.0;

inline bool isGap(double earlierTimeOfDay, double laterTimeOfDay)
{
    const double apart = laterTimeOfDay - earlierTimeOfDay;
    return apart > kGapDays || apart < -kGapDays;
}
} // namespace TrendGaps
