#pragma once

#include <cstdint>
#include <optional>

#include <QStringView>

#include "core/EntryCheck.h"

// "修改Y": the PV/SV axis range from the texts beside "Y轴最大" and
// "Y轴最小". The shared values keep the minimum and the span in 16
// bits; a range whose span does not fit is refused whole, so the two can
// never disagree with what the operator typed.
namespace YAxisRange {

inline constexpr double kMaximumLow = -12000;
inline constexpr double kMaximumHigh = 36000;
inline constexpr double kMinimumLow = -12000;
inline constexpr double kMinimumHigh = 35000;
inline constexpr double kWidestSpan = 32767;

struct Range {
    int16_t minimum = 0;  // for yAxisMin
    int16_t span = 0;     // for yAxisSpan: maximum - minimum
    bool operator==(const Range&) const = default;
};

struct Checked {
    std::optional<Range> range;
    EntryCheck::Refusal refusal;
    bool maximumRefused = false;  // the fields the refusal concerns
    bool minimumRefused = false;
};

// The minimum equal to the maximum is a valid (flat) range.
Checked check(QStringView maximumText, QStringView minimumText);

} // namespace YAxisRange
