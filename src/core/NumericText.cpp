#include "core/NumericText.h"

#include <cstdlib>
#include <string>

#include <locale.h>

namespace {

bool isSkipped(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

// Walks the characters once, collecting the accepted ones into a compact
// ASCII string for strtod_l in the C locale (std::from_chars would refuse a
// leading '+' and report overflow instead of giving infinity).
template <typename Text, typename CharAt>
std::optional<double> scan(const Text& text, std::size_t size, CharAt charAt)
{
    enum class Stage { Sign, Integer, Fraction, ExponentSign, Exponent };
    std::string accepted;
    Stage stage = Stage::Sign;
    bool mantissaDigits = false;
    std::size_t exponentMark = std::string::npos;
    bool exponentDigits = false;

    for (std::size_t i = 0; i < size; ++i) {
        const char32_t c = charAt(text, i);
        if (isSkipped(c))
            continue;
        if (stage == Stage::Sign && (c == '+' || c == '-')) {
            accepted += static_cast<char>(c);
            stage = Stage::Integer;
        } else if ((stage == Stage::Sign || stage == Stage::Integer || stage == Stage::Fraction)
                   && isDigit(c)) {
            accepted += static_cast<char>(c);
            mantissaDigits = true;
            if (stage == Stage::Sign)
                stage = Stage::Integer;
        } else if ((stage == Stage::Sign || stage == Stage::Integer) && c == '.') {
            accepted += '.';
            stage = Stage::Fraction;
        } else if ((stage == Stage::Integer || stage == Stage::Fraction) && mantissaDigits
                   && (c == 'e' || c == 'E')) {
            exponentMark = accepted.size();
            accepted += 'e';
            stage = Stage::ExponentSign;
        } else if (stage == Stage::ExponentSign && (c == '+' || c == '-')) {
            accepted += static_cast<char>(c);
            stage = Stage::Exponent;
        } else if ((stage == Stage::ExponentSign || stage == Stage::Exponent) && isDigit(c)) {
            accepted += static_cast<char>(c);
            exponentDigits = true;
            stage = Stage::Exponent;
        } else {
            break;
        }
    }

    if (!mantissaDigits)
        return std::nullopt;
    // "12e" or "12e-" end before an exponent was read: the mantissa stands.
    if (exponentMark != std::string::npos && !exponentDigits)
        accepted.resize(exponentMark);

    // strtod_l in the "C" locale: the user's locale must not change the
    // decimal point, and overflow comes back as HUGE_VAL, underflow as 0.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(accepted.c_str(), nullptr, cLocale);
}

} // namespace

std::optional<double> leadingNumber(QStringView text)
{
    return scan(text, static_cast<std::size_t>(text.size()),
                [](QStringView t, std::size_t i) { return char32_t(t[qsizetype(i)].unicode()); });
}

std::optional<double> leadingNumber(std::string_view text)
{
    return scan(text, text.size(),
                [](std::string_view t, std::size_t i) { return char32_t(static_cast<unsigned char>(t[i])); });
}

double numericValue(QStringView text)
{
    return leadingNumber(text).value_or(0.0);
}
