// Fuzz target for the numeric helpers every entry field and every shown
// value goes through: the leading number of a text, the whole-number
// conversions and the number text. Each is checked against a small model
// written here from the rules alone, so a slip in the product's scanner or
// rounding shows up as a disagreement, not only as a crash.

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "core/EntryCheck.h"
#include "core/NumberText.h"
#include "core/NumericText.h"
#include "core/WholeNumber.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "mismatch in %s: %s\n", what, detail.c_str());
    std::abort();
}

std::string show(std::optional<double> v)
{
    if (!v)
        return "none";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", *v);
    return buffer;
}

// The model of a leading number: drop every blank, tab and line break
// first, then read sign, digits, point, digits and a complete exponent
// from the front of what is left.
template <typename Unit>
std::optional<double> modelLeadingNumber(const Unit* units, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<uint32_t>(units[i]);
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            text += c < 0x80 ? static_cast<char>(c) : '\x7f';  // anything else ends a number
    }
    const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (digit(i)) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (digit(i)) { ++i; ++digits; }
    }
    if (digits == 0)
        return std::nullopt;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (digit(j)) {
            while (digit(j))
                ++j;
            end = j;
        }
    }
    // The program never changes its C locale, so strtod reads "." here.
    return std::strtod(text.substr(0, end).c_str(), nullptr);
}

void checkSame(const char* what, std::optional<double> product, std::optional<double> model)
{
    if (product.has_value() != model.has_value() || (product && *product != *model))
        fail(what, "product " + show(product) + ", model " + show(model));
}

// Half to even is what the processor does by default: nearbyint is the model.
void checkWholeNumbers(double value)
{
    if (std::isnan(value))
        return;
    const double model = std::nearbyint(value);
    if (roundHalfEven(value) != model)
        fail("roundHalfEven", show(value) + " -> " + show(roundHalfEven(value)));

    const auto to16 = toInt16(value);
    const bool fits16 = model >= -32768.0 && model <= 32767.0;
    if (to16.has_value() != fits16 || (to16 && *to16 != static_cast<int>(model)))
        fail("toInt16", show(value));
    const auto to32 = toInt32(value);
    const bool fits32 = model >= -2147483648.0 && model <= 2147483647.0;
    if (to32.has_value() != fits32 || (to32 && *to32 != static_cast<int64_t>(model)))
        fail("toInt32", show(value));
}

void checkNumberText(float value)
{
    if (!std::isfinite(value))
        return;
    const QString shown = numberText(value);
    const std::string text = shown.toStdString();
    if (value == 0.0f) {
        if (text != "0")
            fail("numberText of zero", text);
        return;
    }
    const std::size_t mark = text.find('E');
    const std::string mantissa = text.substr(0, mark);
    if (mark != std::string::npos) {
        // 1E+07, 1.5E-05: a sign and at least two digits.
        const std::string exponent = text.substr(mark + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-'))
            fail("numberText exponent", text);
        for (std::size_t i = 1; i < exponent.size(); ++i)
            if (exponent[i] < '0' || exponent[i] > '9')
                fail("numberText exponent", text);
    }
    if (mantissa.find('.') != std::string::npos && (mantissa.back() == '0' || mantissa.back() == '.'))
        fail("numberText trailing zeros", text);
    int significant = 0;
    bool leading = true;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        const char c = mantissa[i];
        if (c == '-' && i == 0)
            continue;
        if (c == '.')
            continue;
        if (c < '0' || c > '9')
            fail("numberText character", text);
        if (c != '0')
            leading = false;
        if (!leading)
            ++significant;
    }
    if (significant > 7)
        fail("numberText significant digits", text);

    const double back = std::strtod(text.c_str(), nullptr);
    const double exact = static_cast<double>(value);
    if (std::fabs(back - exact) > 1e-6 * std::fabs(exact))
        fail("numberText round trip", text + " for " + show(exact));
}

// Whatever the text, a value accepted for the panel fits a 16-bit register,
// and a text without a number is refused as such.
void checkPanelEntry(const QString& text, std::optional<double> number)
{
    for (int scale : {1, 10}) {
        const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(text, scale);
        if (checked.value && (*checked.value < -32768 || *checked.value > 32767))
            fail("panelRegisterValue", std::to_string(*checked.value));
        if (!number && (checked.value || checked.refusal.reason != EntryCheck::Refusal::Reason::NotANumber))
            fail("panelRegisterValue without a number", text.toStdString());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::fesetround(FE_TONEAREST);
    const char* bytes = reinterpret_cast<const char*>(data);

    const std::optional<double> fromBytes = leadingNumber(std::string_view(bytes, size));
    checkSame("leadingNumber(bytes)", fromBytes, modelLeadingNumber(data, size));

    const QString text = QString::fromUtf8(bytes, static_cast<qsizetype>(size));
    const std::optional<double> fromText = leadingNumber(QStringView(text));
    checkSame("leadingNumber(text)", fromText,
              modelLeadingNumber(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
    if (numericValue(text) != fromText.value_or(0.0))
        fail("numericValue", show(fromText));
    checkPanelEntry(text, fromText);

    if (fromText) {
        checkWholeNumbers(*fromText);
        checkWholeNumbers(*fromText * 10.0);
        checkNumberText(static_cast<float>(*fromText));
    }
    // The raw bytes as a number too, to reach values no text spells.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkWholeNumbers(value);
    }
    if (size >= sizeof(float)) {
        float value;
        std::memcpy(&value, data, sizeof value);
        checkNumberText(value);
    }
    return 0;
}
