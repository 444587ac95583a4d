#pragma once

#include <string>
#include <vector>

#include <QString>

// Texts an operator, a barcode gun or a cat on the keyboard may leave in an
// entry field. `number` says whether the text begins with a number as the
// station reads one (ASCII digits, "." as the point, blanks skipped): only
// then may anything at all reach the instrument.
struct HostileText {
    std::string name;  // printable, for failure messages
    QString text;
    bool number;
    // Reads as 0, which every register takes: proof that the step reached
    // the instrument's side at all.
    bool zero = false;
};

// Never starts with the empty text and never repeats one, so that every
// step changes what the field holds and counts as an edit.
inline const std::vector<HostileText>& hostileTexts()
{
    static const std::vector<HostileText> texts = {
        {"nan", QStringLiteral("nan"), false},
        {"empty", QString(), false},
        {"blanks", QStringLiteral("   "), false},
        {"1e999", QStringLiteral("1e999"), true},
        {"-1e999", QStringLiteral("-1e999"), true},
        {"--5", QStringLiteral("--5"), false},
        {"9999.5", QStringLiteral("9999.5"), true},
        {"-1999.5", QStringLiteral("-1999.5"), true},
        {"full-width 123", QStringLiteral("１２３"), false},
        {"ten thousand digits", QString(10000, QLatin1Char('7')), true},
        {"control \\x01\\x02", QStringLiteral("\x01\x02"), false},
        {"tab newline", QStringLiteral("\t\n"), false},
        {"1e-999", QStringLiteral("1e-999"), true, true},
        {"0x10", QStringLiteral("0x10"), true, true},
        {"+-3", QStringLiteral("+-3"), false},
        {"inf", QStringLiteral("inf"), false},
        {"32768", QStringLiteral("32768"), true},
    };
    return texts;
}
