#pragma once

#include <cstdint>

#include <QString>

// A single-precision value in its general decimal form: at most seven
// significant digits, no trailing zeros, no decimal point for whole values,
// "." whatever the user's locale (52.3, 523, -200, 1.5, 1E+07).
QString numberText(float value);

// A 32-bit integer as plain decimal digits.
QString numberText(int32_t value);

// A register kept in tenths, always with its one decimal, so that an entry,
// the value beside it and a help text such as "0.0%-100.0%" read alike:
// 10 gives "1.0", 0 "0.0", -5 "-0.5", -32768 "-3276.8".
QString tenthsText(int32_t tenths);
