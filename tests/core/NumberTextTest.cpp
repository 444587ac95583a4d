#include <gtest/gtest.h>

#include "core/NumberText.h"

namespace {

float tenths(int raw)
{
    return static_cast<float>(raw / 10.0);
}

TEST(NumberText, singlesInShortestGeneralForm)
{
    const std::pair<float, const char*> cases[] = {
        {523.0f, "523"}, {52.3f, "52.3"}, {-200.0f, "-200"}, {1.5f, "1.5"}, {0.1f, "0.1"},
        {37.5f, "37.5"}, {150.0f, "150"}, {-1999.0f, "-1999"}, {9999.9f, "9999.9"},
        {1234567.0f, "1234567"}, {3.14159265f, "3.141593"}, {0.0001f, "0.0001"},
        {0.0f, "0"}, {-0.0f, "0"},
        {12345678.0f, "1.234568E+07"}, {0.00001f, "1E-05"}, {1e7f, "1E+07"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(numberText(value), QString::fromLatin1(text)) << text;
}

TEST(NumberText, registersInTenthsShowTheirDecimal)
{
    EXPECT_EQ(numberText(tenths(523)), QStringLiteral("52.3"));
    EXPECT_EQ(numberText(tenths(15)), QStringLiteral("1.5"));
    EXPECT_EQ(numberText(tenths(1)), QStringLiteral("0.1"));
    EXPECT_EQ(numberText(tenths(1000)), QStringLiteral("100"));
    EXPECT_EQ(numberText(tenths(-5)), QStringLiteral("-0.5"));
    EXPECT_EQ(numberText(tenths(-32768)), QStringLiteral("-3276.8"));
}

TEST(NumberText, tenthsAlwaysWithTheirOneDecimal)
{
    const std::pair<int32_t, const char*> cases[] = {
        {10, "1.0"}, {0, "0.0"}, {1000, "100.0"}, {15, "1.5"}, {3, "0.3"},
        {-5, "-0.5"}, {-10, "-1.0"}, {-32768, "-3276.8"}, {32767, "3276.7"},
    };
    for (const auto& [raw, text] : cases)
        EXPECT_EQ(tenthsText(raw), QString::fromLatin1(text)) << raw;
}

TEST(NumberText, integersAsPlainDigits)
{
    EXPECT_EQ(numberText(int32_t{-1999}), QStringLiteral("-1999"));
    EXPECT_EQ(numberText(int32_t{0}), QStringLiteral("0"));
    EXPECT_EQ(numberText(int32_t{2147483647}), QStringLiteral("2147483647"));
}

} // namespace
