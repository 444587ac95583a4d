#include "core/EntryCheck.h"

#include <limits>

#include "core/NumericText.h"
#include "core/WholeNumber.h"

namespace EntryCheck {

using Reason = Refusal::Reason;

Number numberWithin(QStringView text, double low, double high)
{
    const std::optional<double> number = leadingNumber(text);
    if (!number)
        return {std::nullopt, {Reason::NotANumber, low, high}};
    if (*number < low || *number > high)
        return {std::nullopt, {Reason::OutOfRange, low, high}};
    return {number, {}};
}

RegisterValue panelRegisterValue(QStringView text, int scale)
{
    const Number entered = numberWithin(text, kPanelLow, kPanelHigh);
    if (!entered.value)
        return {std::nullopt, entered.refusal};
    return panelRegisterValue(*entered.value, scale);
}

RegisterValue panelRegisterValue(double number, int scale)
{
    if (!(number >= kPanelLow && number <= kPanelHigh))
        return {std::nullopt, {Reason::OutOfRange, kPanelLow, kPanelHigh}};
    const std::optional<int16_t> scaled = toInt16(number * scale);
    if (!scaled) {
        constexpr double kLow = std::numeric_limits<int16_t>::min();
        constexpr double kHigh = std::numeric_limits<int16_t>::max();
        return {std::nullopt, {Reason::DoesNotFitRegister, kLow / scale, kHigh / scale}};
    }
    return {int32_t{*scaled}, {}};
}

} // namespace EntryCheck
