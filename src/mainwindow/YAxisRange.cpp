#include "mainwindow/YAxisRange.h"

#include "core/WholeNumber.h"

namespace YAxisRange {

using Reason = EntryCheck::Refusal::Reason;

Checked check(QStringView maximumText, QStringView minimumText)
{
    const EntryCheck::Number maximum = EntryCheck::numberWithin(maximumText, kMaximumLow, kMaximumHigh);
    if (!maximum.value)
        return {std::nullopt, maximum.refusal, true, false};
    const EntryCheck::Number minimum = EntryCheck::numberWithin(minimumText, kMinimumLow, kMinimumHigh);
    if (!minimum.value)
        return {std::nullopt, minimum.refusal, false, true};
    if (*minimum.value > *maximum.value)
        return {std::nullopt, {Reason::MinimumAboveMaximum}, false, true};

    // The minimum field takes up to 35000, but yAxisMin holds 16 bits.
    const std::optional<int16_t> low = toInt16(*minimum.value);
    if (!low)
        return {std::nullopt, {Reason::DoesNotFitRegister, kMinimumLow, kWidestSpan}, false, true};
    const std::optional<int16_t> span = toInt16(*maximum.value - *minimum.value);
    if (!span)
        return {std::nullopt, {Reason::SpanTooWide, 0, kWidestSpan}, true, true};
    return {Range{*low, *span}, {}};
}

} // namespace YAxisRange
