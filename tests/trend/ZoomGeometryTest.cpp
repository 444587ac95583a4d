#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "trend/ZoomGeometry.h"

namespace {

struct Level {
    int16_t zoomLevel;
    float step;
    int16_t offset;
    int samplesAcross;
};

void PrintTo(const Level& level, std::ostream* os)
{
    *os << "zoomLevel " << level.zoomLevel;
}

class ZoomLevel : public ::testing::TestWithParam<Level> {};

TEST_P(ZoomLevel, setsBothPairsSoThatTheDataAreaEndsAtSlot240)
{
    const Level level = GetParam();
    ZoomGeometry zoom;
    zoom.zoomLevel = level.zoomLevel;
    zoom.apply();
    EXPECT_EQ(zoom.markStep, level.step);
    EXPECT_EQ(zoom.curveStep, level.step);
    EXPECT_EQ(zoom.markOffset, level.offset);
    EXPECT_EQ(zoom.curveOffset, level.offset);
    EXPECT_EQ(9000.0f / zoom.curveStep, static_cast<float>(level.samplesAcross));
    EXPECT_EQ(zoom.curveOffset + level.samplesAcross, 240);
}

INSTANTIATE_TEST_SUITE_P(ZoomGeometry, ZoomLevel,
                         ::testing::Values(Level{1, 150.0f, 180, 60}, Level{2, 75.0f, 120, 120},
                                           Level{3, 50.0f, 60, 180}, Level{4, 37.5f, 0, 240}),
                         [](const auto& info) { return "level" + std::to_string(info.param.zoomLevel); });

TEST(ZoomGeometry, startsAtLevelOneAndIgnoresLevelsOutsideOneToFour)
{
    ZoomGeometry zoom;
    EXPECT_EQ(zoom.zoomLevel, 1);
    EXPECT_EQ(zoom.markStep, 150.0f);
    EXPECT_EQ(zoom.markOffset, 180);
    zoom.zoomLevel = 3;
    zoom.apply();
    for (int16_t outside : {int16_t{0}, int16_t{5}, int16_t{-1}}) {
        zoom.zoomLevel = outside;
        zoom.apply();
        EXPECT_EQ(zoom.markStep, 50.0f) << outside;
        EXPECT_EQ(zoom.curveOffset, 60) << outside;
    }
}

} // namespace
