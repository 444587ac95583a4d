#include <set>

#include <gtest/gtest.h>

#include "core/NumericText.h"
#include "instrument/ParameterCatalogue.h"

namespace {

using namespace ParameterCatalogue;

const Parameter& parameter(int number)
{
    const Parameter* p = find(number);
    EXPECT_NE(p, nullptr) << number;
    return *p;
}

TEST(ConfigCatalogue, everyItemBeginsWithItsOwnCodeInAllSixteenLists)
{
    int lists = 0;
    for (const Parameter& p : parameters()) {
        if (!p.isChoice())
            continue;
        ++lists;
        ASSERT_FALSE(p.choices.empty()) << p.number;
        for (size_t code = 0; code < p.choices.size(); ++code) {
            const auto number = leadingNumber(text(p.choices[code]));
            ASSERT_TRUE(number.has_value()) << p.number << " item " << code;
            EXPECT_EQ(*number, static_cast<double>(code)) << p.number << " item " << code;
        }
    }
    EXPECT_EQ(lists, 16);
}

TEST(ConfigCatalogue, sensorItemEightHasABlankNotAColonAndStillReadsEight)
{
    const Parameter& sensor = parameter(1);
    ASSERT_EQ(sensor.choices.size(), 23u);
    EXPECT_EQ(text(sensor.choices[8]), QStringLiteral("8 WRe325(0-2300)"));
    EXPECT_EQ(text(sensor.choices[11]), QStringLiteral("11:PT100(-200～850) "));
    EXPECT_EQ(text(sensor.choices[0]), QStringLiteral("0:K(-200-1300)"));
}

TEST(ConfigCatalogue, alarmThreeExtendsTheAlarmListByTheCoolingRelay)
{
    const Parameter& alarm1 = parameter(22);
    const Parameter& alarm2 = parameter(23);
    const Parameter& alarm3 = parameter(24);
    EXPECT_EQ(alarm1.choices.size(), 6u);
    EXPECT_EQ(alarm2.choices.size(), 6u);
    ASSERT_EQ(alarm3.choices.size(), 7u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(alarm1.choices[i], alarm2.choices[i]);
        EXPECT_EQ(alarm1.choices[i], alarm3.choices[i]);
    }
    EXPECT_EQ(text(alarm3.choices[6]), QStringLiteral("6:制冷继电器输出"));
    EXPECT_EQ(alarm3.names.size(), 7u);
}

TEST(ConfigCatalogue, everyParameterButEightAndTwentyOneHasExactlyOneRowOnItsPage)
{
    struct Expect {
        Page page;
        std::set<int> numbers;
    };
    const Expect pages[] = {
        {Page::Input, {1, 2, 3, 4, 5, 6, 7, 35, 36, 37}},
        {Page::Output, {9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 33, 34}},
        {Page::Alarms, {22, 23, 24}},
        {Page::Communication, {25, 26, 27, 28}},
        {Page::Retransmission, {29, 30, 31, 32}},
    };
    for (int n = kFirstNumber; n <= kLastNumber; ++n) {
        int rows = 0;
        for (const Parameter& p : parameters())
            rows += p.number == n ? 1 : 0;
        EXPECT_EQ(rows, n == 8 || n == 21 ? 0 : 1) << n;
    }
    EXPECT_EQ(parameters().size(), 35u);
    EXPECT_EQ(parameters()[7].number, 35);  // rows run in page order: 35 follows 7
    for (const Expect& e : pages) {
        std::set<int> found;
        for (const Parameter& p : parameters())
            if (p.page == e.page)
                found.insert(p.number);
        EXPECT_EQ(found, e.numbers) << pageCaption(e.page).toStdString();
    }
}

TEST(ConfigCatalogue, registerIsFortyNinetySixPlusTheNumber)
{
    for (const Parameter& p : parameters())
        EXPECT_EQ(p.registerAddress, 4096 + p.number) << p.number;
    EXPECT_EQ(find(1)->registerAddress, 4097);
    EXPECT_EQ(find(37)->registerAddress, 4133);
    EXPECT_EQ(find(8), nullptr);
    EXPECT_EQ(find(21), nullptr);
    EXPECT_EQ(find(0), nullptr);
    EXPECT_EQ(find(38), nullptr);
}

TEST(ConfigCatalogue, numbersAreTheOtherNineteenAndFourOfThemInTenths)
{
    std::set<int> numbers, tenths;
    for (const Parameter& p : parameters()) {
        if (p.isChoice())
            continue;
        EXPECT_TRUE(p.choices.empty() && p.names.empty()) << p.number;
        numbers.insert(p.number);
        if (p.form == ValueForm::Tenths)
            tenths.insert(p.number);
    }
    EXPECT_EQ(numbers, (std::set<int>{3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18, 19, 25, 28, 31, 32, 33, 34, 37}));
    EXPECT_EQ(tenths, (std::set<int>{6, 17, 18, 33}));
}

TEST(ConfigCatalogue, choicesAreTheSixteenListParameters)
{
    std::set<int> choices;
    for (const Parameter& p : parameters()) {
        if (p.isChoice())
            choices.insert(p.number);
    }
    EXPECT_EQ(choices, (std::set<int>{1, 2, 7, 9, 10, 11, 20, 22, 23, 24, 26, 27, 29, 30, 35, 36}));
}

TEST(ConfigCatalogue, everyChoiceNamesEachOfItsCodes)
{
    for (const Parameter& p : parameters()) {
        if (p.isChoice()) {
            EXPECT_EQ(p.names.size(), p.choices.size()) << p.number;
        }
    }
}

TEST(ConfigCatalogue, captionsAndHelpTextsStandAsTheInstrumentWordsThem)
{
    EXPECT_EQ(pageCaption(Page::Input), QStringLiteral("输入配置"));
    EXPECT_EQ(pageCaption(Page::Output), QStringLiteral("输出配置"));
    EXPECT_EQ(pageCaption(Page::Alarms), QStringLiteral("报警配置"));
    EXPECT_EQ(pageCaption(Page::Communication), QStringLiteral("通讯配置"));
    EXPECT_EQ(pageCaption(Page::Retransmission), QStringLiteral("变送配置"));
    EXPECT_EQ(text(find(34)->caption), QStringLiteral("制冷延迟时间启动"));
    EXPECT_EQ(text(find(2)->help), QStringLiteral("0-3， 0：0000 ，  1：000.0 ，  2：00.00 ，  3：0.000。默认值：0"));
    EXPECT_EQ(text(find(26)->help), QStringLiteral("0-4800，1-9600，2-19200 。Default=1"));
}

} // namespace
