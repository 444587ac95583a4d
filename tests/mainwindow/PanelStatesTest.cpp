#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "mainwindow/PanelCaptions.h"
#include "widgets/PanelStates.h"

namespace {

using namespace PanelColours;

struct StateCase {
    int index;
    const char* set;
    QColor setColour;
    const char* clear;
    QColor clearColour;
};

class CurrentAlarmLook : public ::testing::TestWithParam<StateCase> {};

TEST_P(CurrentAlarmLook, oneAndZeroGiveTheirTextAndColour)
{
    const StateCase& c = GetParam();
    EXPECT_EQ(PanelStates::currentAlarmLook(c.index, 1), (StateLook{QString::fromUtf8(c.set), c.setColour}));
    EXPECT_EQ(PanelStates::currentAlarmLook(c.index, 0), (StateLook{QString::fromUtf8(c.clear), c.clearColour}));
    EXPECT_EQ(PanelStates::currentAlarmLook(c.index, 7), PanelStates::currentAlarmLook(c.index, 1));
}

INSTANTIATE_TEST_SUITE_P(CurrentAlarms, CurrentAlarmLook,
                         ::testing::Values(StateCase{0, "ALM1报警", kPink, "ALM1 OFF", kCyan},
                                           StateCase{1, "ALM2报警", kPink, "ALM2 OFF", kCyan},
                                           StateCase{2, "ALM3报警", kPink, "ALM3 OFF", kCyan},
                                           StateCase{4, "输入开路", kPink, "NO BREAK", kCyan},
                                           StateCase{5, "输入短路", kPink, "NO SHORT ", kCyan}));

class CoilLook : public ::testing::TestWithParam<StateCase> {};

TEST_P(CoilLook, oneAndZeroGiveTheirTextAndColour)
{
    const StateCase& c = GetParam();
    EXPECT_EQ(PanelStates::coilLook(c.index, 1), (StateLook{QString::fromUtf8(c.set), c.setColour}));
    EXPECT_EQ(PanelStates::coilLook(c.index, 0), (StateLook{QString::fromUtf8(c.clear), c.clearColour}));
    EXPECT_EQ(PanelStates::coilLook(c.index, -1), PanelStates::coilLook(c.index, 1));
}

INSTANTIATE_TEST_SUITE_P(Coils, CoilLook,
                         ::testing::Values(StateCase{0, "自整定开", kLightRed, "自整定关", kLightYellow},
                                           StateCase{1, "自动", kLightRed, "手动", kLightYellow},
                                           StateCase{2, "手动允许", kLightRed, "手动禁止", kLightYellow}));

TEST(PanelStates, colourValuesAreTheStationsOwn)
{
    EXPECT_EQ(kPink, QColor(255, 192, 255));
    EXPECT_EQ(kCyan, QColor(192, 255, 255));
    EXPECT_EQ(kLightRed, QColor(255, 128, 128));
    EXPECT_EQ(kLightYellow, QColor(255, 255, 192));
    EXPECT_EQ(kLightGreen, QColor(128, 255, 128));
}

TEST(PanelStates, fieldsThePanelLacksHaveNoLook)
{
    EXPECT_FALSE(PanelStates::currentAlarmLook(3, 1));
    EXPECT_FALSE(PanelStates::currentAlarmLook(6, 1));
    EXPECT_FALSE(PanelStates::currentAlarmLook(-1, 0));
    EXPECT_FALSE(PanelStates::coilLook(3, 1));
}

TEST(PanelStates, alarmTypeCodesZeroToFiveHaveTheirCaptions)
{
    const char* const expected[] = {"  ", "上限报警", "下限报警", "上偏差报警", "下偏差报警", "偏差带报警"};
    for (int code = 0; code <= 5; ++code)
        EXPECT_EQ(PanelStates::alarmTypeText(static_cast<float>(code)), QString::fromUtf8(expected[code])) << code;
}

TEST(PanelStates, otherAlarmTypeValuesLeaveTheCaption)
{
    for (const float value : {6.0f, -1.0f, 1.5f, 0.1f, 100.0f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_FALSE(PanelStates::alarmTypeText(value)) << value;
}

TEST(PanelCaptions, parameterCaptionsFollowTheRegisterOrder)
{
    EXPECT_EQ(PanelCaptions::parameterCaption(0), QStringLiteral("传感器类型"));
    EXPECT_EQ(PanelCaptions::parameterCaption(5), QStringLiteral("数字滤波常数"));
    EXPECT_EQ(PanelCaptions::parameterCaption(7), QStringLiteral("NC"));
    EXPECT_EQ(PanelCaptions::parameterCaption(20), QStringLiteral("NC"));
    EXPECT_EQ(PanelCaptions::parameterCaption(21), QStringLiteral("报警1类型"));
    EXPECT_EQ(PanelCaptions::parameterCaption(33), QStringLiteral("制冷保护时间"));
    EXPECT_TRUE(PanelCaptions::parameterCaption(34).isEmpty());
    EXPECT_TRUE(PanelCaptions::parameterCaption(-1).isEmpty());
    for (int i = 0; i < PanelCaptions::kParameterFields; ++i)
        EXPECT_FALSE(PanelCaptions::parameterCaption(i).isEmpty()) << i;
}

} // namespace
