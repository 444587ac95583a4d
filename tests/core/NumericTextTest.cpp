#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include <QString>

#include "core/NumericText.h"

namespace {

struct NumberCase {
    const char* text;
    double expected;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, readsTheNumberTheTextBeginsWith)
{
    const auto& c = GetParam();
    const auto value = leadingNumber(QString::fromUtf8(c.text));
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*value, c.expected) << c.text;
    EXPECT_DOUBLE_EQ(numericValue(QString::fromUtf8(c.text)), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumber, ::testing::Values(
    NumberCase{"3:T(-200-400) ", 3},            // a choice item gives its code
    NumberCase{"8 WRe325(0-2300)", 8},          // blank after the code, then letters
    NumberCase{"11:PT100(-200～850) ", 11},
    NumberCase{"12.5 mm", 12.5},                // a unit after the number
    NumberCase{"1 ", 1},                        // list items carry a trailing blank
    NumberCase{"  - 1 2 . 5 ", -12.5},          // blanks ignored wherever they stand
    NumberCase{"\t\n\r42", 42},
    NumberCase{"+7", 7},
    NumberCase{"-1999", -1999},
    NumberCase{".5", 0.5},
    NumberCase{"-.5", -0.5},
    NumberCase{"5.", 5},
    NumberCase{"12.5.3", 12.5},                 // a second point cannot continue
    NumberCase{"1,5", 1},                       // "," is never a decimal point
    NumberCase{"0x1A", 0},
    NumberCase{"1e3", 1000},
    NumberCase{"1E-2", 0.01},
    NumberCase{"2.5e1x", 25},
    NumberCase{"1 e 2", 100},
    NumberCase{"1e", 1},                        // an exponent mark without digits is dropped
    NumberCase{"1e+", 1},
    NumberCase{"7e-x", 7},
    NumberCase{"1e-999", 0},                    // underflow
    NumberCase{"0.15", 0.15},
    NumberCase{"9999.5", 9999.5}));

class NotANumber : public ::testing::TestWithParam<const char*> {};

TEST_P(NotANumber, givesNoLeadingNumberAndValueZero)
{
    const QString text = QString::fromUtf8(GetParam());
    EXPECT_FALSE(leadingNumber(text).has_value()) << GetParam();
    EXPECT_EQ(numericValue(text), 0.0) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, NotANumber, ::testing::Values(
    "", "   ", "abc", ".", "-", "+", "+-5", "--5", "-.", "e5", "nan", "inf", "-inf",
    "１２",                                     // full-width digits are not digits
    "\x01" "5",                                 // a control character stops at once
    "Ω80"));

TEST(LeadingNumberOverflow, hugeValuesBecomeInfinityOfTheirSign)
{
    EXPECT_EQ(*leadingNumber(QStringLiteral("1e999")), std::numeric_limits<double>::infinity());
    EXPECT_EQ(*leadingNumber(QStringLiteral("-1e999")), -std::numeric_limits<double>::infinity());
    const QString manyDigits(10000, QLatin1Char('1'));
    EXPECT_EQ(*leadingNumber(manyDigits), std::numeric_limits<double>::infinity());
}

TEST(LeadingNumberText, narrowAndWideTextsAgree)
{
    for (const char* text : {"3:T(-200-400) ", " -12.5e1 ", "abc", "1e", ".5"}) {
        const auto narrow = leadingNumber(std::string_view(text));
        const auto wide = leadingNumber(QString::fromUtf8(text));
        EXPECT_EQ(narrow, wide) << text;
    }
}

TEST(LeadingNumberLocale, decimalPointIsAlwaysAFullStop)
{
    // Qt applications take LC_NUMERIC from the environment; a comma locale
    // must not turn 12.5 into 12.
    const char* previous = setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no de_DE locale installed";
    EXPECT_DOUBLE_EQ(numericValue(QStringLiteral("12.5")), 12.5);
    setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
