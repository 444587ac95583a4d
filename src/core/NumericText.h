#pragma once

#include <optional>
#include <string_view>

#include <QStringView>

// The number an entry text begins with. Blanks, tabs and line breaks are
// skipped wherever they stand; then an optional sign, digits, one "." and
// more digits, and an optional exponent (E or e, optional sign, digits) are
// read, stopping at the first character that cannot continue the number.
// Independent of the user's locale: "." is always the decimal point.

// Empty when the text does not begin with a number (no digit before the
// first character that cannot continue one). Values beyond the range of a
// double come back as an infinity of the right sign.
std::optional<double> leadingNumber(QStringView text);
std::optional<double> leadingNumber(std::string_view text);

// The station-wide rule: the leading number, or 0 when there is none.
double numericValue(QStringView text);
