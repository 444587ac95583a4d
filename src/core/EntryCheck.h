#pragma once

#include <cstdint>
#include <optional>

#include <QStringView>

// What the station makes of a number the operator typed before anything
// goes to the instrument. A text without a leading number is refused
// rather than read as 0: a set value nobody typed must never be written.
namespace EntryCheck {

// Limits of every value typed on the main window for a holding register,
// taken on the number as entered (before any scaling).
inline constexpr double kPanelLow = -1999;
inline constexpr double kPanelHigh = 9999;

// Why an entry was not acted on; low and high are the limits it broke.
struct Refusal {
    enum class Reason {
        NotANumber,           // the text does not begin with a number
        OutOfRange,           // below low or above high
        DoesNotFitRegister,   // scaled, it would not fit a 16-bit register
        MinimumAboveMaximum,  // a range whose lower end lies above its upper
        SpanTooWide,          // a range wider than high
    };
    Reason reason = Reason::NotANumber;
    double low = 0;
    double high = 0;
    bool operator==(const Refusal&) const = default;
};

// A register value, or the reason there is none.
struct RegisterValue {
    std::optional<int32_t> value;
    Refusal refusal;
};

// The number the text begins with when it lies within -1999..9999,
// multiplied by scale (10 for a value kept in tenths) and rounded half to
// even; refused when the result would not fit a signed 16-bit register.
RegisterValue panelRegisterValue(QStringView text, int scale = 1);
// The same for a number already read (from a parameter set file).
RegisterValue panelRegisterValue(double number, int scale = 1);

// The number the text begins with when it lies within low..high.
struct Number {
    std::optional<double> value;
    Refusal refusal;
};
Number numberWithin(QStringView text, double low, double high);

} // namespace EntryCheck
