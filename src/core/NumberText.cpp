#include "core/NumberText.h"

#include <charconv>

QString numberText(float value)
{
    if (value == 0.0f)
        return QStringLiteral("0");  // also for -0, which no operator wants to see

    // Widening to double keeps the float's exact value; seven significant
    // digits are what a single holds reliably and what the panel shows.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 7);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    // Exponent form as instruments print it: 1E+07, 1.5E-05.
    return text.toUpper();
}

QString numberText(int32_t value)
{
    return QString::number(value);
}

QString tenthsText(int32_t tenths)
{
    // From the digits, not through a float: 0.3 must never come out as 0.29.
    const int64_t magnitude = tenths < 0 ? -int64_t{tenths} : int64_t{tenths};
    return QStringLiteral("%1%2.%3")
        .arg(tenths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}
