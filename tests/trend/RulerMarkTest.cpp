#include <gtest/gtest.h>

#include "trend/RecordingCanvas.h"
#include "trend/RulerMark.h"

namespace {

using Line = RecordingCanvas::Line;
using Style = ChartCanvas::LineStyle;

TEST(RulerMark, isDrawnAsOneSolidLineTwoPixelsWideInItsColour)
{
    const std::pair<RulerMark, Line> cases[] = {
        {RulerMark::switchedOn(), {1, 0, 1, 330, QColor(255, 255, 0), 2, Style::Solid}},
        {RulerMark::at(4500), {4500, 0, 4500, 7500, QColor(192, 0, 192), 2, Style::Solid}},
        {RulerMark::at(-1), {-1, 0, -1, 7500, QColor(192, 0, 192), 2, Style::Solid}},
        {RulerMark::switchedOff(), {0, 0, 0, 330, QColor(0, 255, 0), 2, Style::Solid}},
    };
    for (const auto& [mark, line] : cases) {
        RecordingCanvas canvas;
        drawRulerMark(canvas, mark);
        EXPECT_EQ(canvas.lines, std::vector<Line>{line}) << mark.x1;
    }
}

TEST(RulerMark, aMarkNeverShownDrawsNothing)
{
    RecordingCanvas canvas;
    drawRulerMark(canvas, RulerMark{});
    EXPECT_TRUE(canvas.lines.empty());
}

} // namespace
