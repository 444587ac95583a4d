#include <algorithm>

#include <gtest/gtest.h>

#include "support/StampedSlots.h"
#include "trend/ChartDrawing.h"
#include "core/DateValue.h"
#include "trend/RecordingCanvas.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

namespace {

using Line = RecordingCanvas::Line;
using Style = ChartCanvas::LineStyle;

bool horizontal(const Line& l) { return l.y1 == l.y2 && l.x1 != l.x2; }
bool vertical(const Line& l) { return l.x1 == l.x2 && l.y1 != l.y2; }

TEST(GridDrawing, drawsTwentySevenRowsAndThirtyFiveColumnsDottedInTheGridColour)
{
    RecordingCanvas canvas;
    drawGrid(canvas);
    EXPECT_EQ(std::count_if(canvas.lines.begin(), canvas.lines.end(), horizontal), 27);
    EXPECT_EQ(std::count_if(canvas.lines.begin(), canvas.lines.end(), vertical), 35);
    EXPECT_EQ(canvas.lines.size(), 62u);
    for (const Line& l : canvas.lines) {
        EXPECT_EQ(l.colour, QColor(255, 128, 255));
        EXPECT_EQ(l.width, 1);
        EXPECT_EQ(l.style, Style::Dotted);
    }
    EXPECT_EQ(canvas.background, QColor(192, 255, 255));
}

TEST(GridDrawing, rowsRoundHalfToEvenAndSpanTheSurface)
{
    RecordingCanvas canvas;
    drawGrid(canvas);
    std::vector<int> rows;
    for (const Line& l : canvas.lines)
        if (horizontal(l)) {
            EXPECT_EQ(l.x1, 0);
            EXPECT_EQ(l.x2, 12008);
            rows.push_back(l.y1);
        }
    const std::vector<int> expected{0, 7500, 0, 312, 625, 938, 1250, 1562, 1875, 2188, 2500, 2812, 3125, 3438,
                                    3750, 4062, 4375, 4688, 5000, 5312, 5625, 5938, 6250, 6562, 6875, 7188, 7500};
    EXPECT_EQ(rows, expected);
}

TEST(GridDrawing, columnsIncludeTheEdgeLineAtEightAndTheDataAreaEnd)
{
    RecordingCanvas canvas;
    drawGrid(canvas);
    std::vector<int> columns;
    for (const Line& l : canvas.lines)
        if (vertical(l)) {
            EXPECT_EQ(l.y1, 0);
            EXPECT_EQ(l.y2, 7508);
            columns.push_back(l.x1);
        }
    ASSERT_EQ(columns.size(), 35u);
    EXPECT_EQ(columns[0], 8);
    EXPECT_EQ(columns[1], 9000);
    for (int i = 0; i <= 32; ++i)
        EXPECT_EQ(columns[static_cast<size_t>(i + 2)], 375 * i);
}

// Buffers as a live window load leaves them, every slot after slot 0
// holding a sample, and the chart's Y range.
class CurveDrawing : public ::testing::Test {
protected:
    CurveDrawing()
    {
        buffers.loadedCount = buffers.markEnd = buffers.curveEnd = TrendBuffers::kLiveWindow;
        stampSlots(buffers, 1, TrendBuffers::kSlots - 1);
        range.span = 60;
        zoom.apply();
    }

    void fill(size_t channel, float value)
    {
        for (auto& slot : buffers.trendValues)
            slot[channel] = value;
    }

    std::vector<Line> linesIn(const QColor& colour) const
    {
        std::vector<Line> out;
        std::copy_if(canvas.lines.begin(), canvas.lines.end(), std::back_inserter(out),
                     [&](const Line& l) { return l.colour == colour; });
        return out;
    }

    TimeAxisLabels draw() { return drawCurves(canvas, buffers, zoom, range); }

    RecordingCanvas canvas;
    TrendBuffers buffers;
    ZoomGeometry zoom;
    ChartYRange range;
};

TEST_F(CurveDrawing, liveWindowDrawsSixtySegmentsEndingAtTheDataAreaEdge)
{
    draw();
    const auto pv = linesIn(QColor(255, 0, 0));
    const auto op = linesIn(QColor(128, 128, 0));
    const auto sv = linesIn(QColor(0, 0, 192));
    ASSERT_EQ(pv.size(), 60u);
    EXPECT_EQ(op.size(), 60u);
    EXPECT_EQ(sv.size(), 60u);
    EXPECT_EQ(pv.front().x1, 0);
    EXPECT_EQ(pv.back().x2, 9000);
    EXPECT_EQ(pv.front().width, 2);
    EXPECT_EQ(op.front().width, 1);
    EXPECT_EQ(sv.front().width, 1);
    EXPECT_EQ(sv.front().style, Style::Solid);
    // Segments are drawn PV, OP, SV for each step, the pen set anew each time.
    EXPECT_EQ(canvas.lines[0].colour, QColor(255, 0, 0));
    EXPECT_EQ(canvas.lines[1].colour, QColor(128, 128, 0));
    EXPECT_EQ(canvas.lines[2].colour, QColor(0, 0, 192));
}

TEST_F(CurveDrawing, verticalMappingOfPvSvAndOutput)
{
    range.minimum = -100;
    range.span = 300;
    fill(0, -100);  // PV at the minimum: bottom edge
    fill(1, 0);     // OP 0 %
    fill(2, 200);   // SV at the maximum: top edge
    draw();
    EXPECT_EQ(linesIn(QColor(255, 0, 0)).front().y1, 7508);
    EXPECT_EQ(linesIn(QColor(128, 128, 0)).front().y1, 6883);
    EXPECT_EQ(linesIn(QColor(0, 0, 192)).front().y1, 8);
    EXPECT_EQ(yAxisOffsetFor(range.span, range.minimum), -2500);

    fill(1, 100);
    canvas.clear();
    draw();
    EXPECT_EQ(linesIn(QColor(128, 128, 0)).front().y1, 633);
    fill(1, 110);
    canvas.clear();
    draw();
    EXPECT_EQ(linesIn(QColor(128, 128, 0)).front().y1, 8);
}

TEST_F(CurveDrawing, largeRangeKeepsTheMinimumOnTheBottomEdge)
{
    // 5 units per degree from 7000: an offset of 35000 would not fit 16 bits.
    range.span = 1500;
    range.minimum = 7000;
    fill(0, 7000);
    fill(2, 8500);
    draw();
    EXPECT_EQ(yAxisOffsetFor(range.span, range.minimum), 35000);
    EXPECT_EQ(linesIn(QColor(255, 0, 0)).front().y1, 7508);
    EXPECT_EQ(linesIn(QColor(0, 0, 192)).front().y1, 8);
}

TEST_F(CurveDrawing, zeroSpanDrawsPvAndSvAlongTheBottomEdge)
{
    range.span = 0;
    range.minimum = 50;
    fill(0, 123);
    fill(1, 50);
    draw();
    EXPECT_EQ(yAxisOffsetFor(range.span, range.minimum), 0);
    EXPECT_EQ(linesIn(QColor(255, 0, 0)).front().y1, 7508);
    EXPECT_EQ(linesIn(QColor(0, 0, 192)).front().y2, 7508);
    EXPECT_EQ(linesIn(QColor(128, 128, 0)).front().y1, 6883 - 3125);
}

TEST_F(CurveDrawing, zoomLevelFourDrawsNoLineFromTheEmptySlotZero)
{
    zoom.zoomLevel = 4;
    zoom.apply();
    fill(0, 30);
    draw();
    const auto pv = linesIn(QColor(255, 0, 0));
    ASSERT_EQ(pv.size(), 239u);
    EXPECT_EQ(pv.front().x1, 38);           // slot 1; 37.5 rounds to the even 38
    EXPECT_EQ(pv.front().y1, 7508 - 3750);  // slot 1 holds 30 of 60
    EXPECT_EQ(pv[0].x2, 75);
    EXPECT_EQ(pv[1].x2, 112);               // 112.5 rounds to the even 112
}

TEST_F(CurveDrawing, aYoungFileDrawsAndLabelsOnlyTheSlotsThatHoldItsRecords)
{
    // Forty records, in slots 202..241: the left of the live window is empty.
    for (size_t slot = 1; slot <= 201; ++slot)
        buffers.trendDates[slot] = buffers.trendTimes[slot] = 0.0;
    const TimeAxisLabels labels = draw();
    const auto pv = linesIn(QColor(255, 0, 0));
    ASSERT_EQ(pv.size(), 38u);  // 202 to 240, the data area's edge
    EXPECT_EQ(pv.front().x1, 3300);  // slot 202, 22 steps of 150 right of slot 180
    EXPECT_EQ(pv.back().x2, 9000);
    EXPECT_EQ(linesIn(QColor(128, 128, 0)).size(), 38u);
    for (size_t i = 0; i <= 2; ++i) {  // slots 181, 191, 201
        EXPECT_TRUE(labels.times[i].isEmpty()) << i;
        EXPECT_TRUE(labels.dates[i].isEmpty()) << i;
    }
    EXPECT_EQ(labels.times[3], DateValue::text(buffers.trendTimes[211]));
    EXPECT_FALSE(labels.times[7].isEmpty());  // from slot 241, which holds the newest
}

TEST_F(CurveDrawing, appendedSamplesRunIntoTheZoneRightOfTheDataArea)
{
    buffers.markEnd = buffers.curveEnd = 251;
    draw();
    const auto pv = linesIn(QColor(255, 0, 0));
    ASSERT_EQ(pv.size(), 70u);
    EXPECT_EQ(pv.back().x2, 10500);
}

TEST_F(CurveDrawing, gapMarkerStandsAtMarkStepTimesItsIndex)
{
    buffers.gapMarks[static_cast<size_t>(zoom.markOffset + 5)] = 5;
    draw();
    const auto markers = linesIn(QColor(255, 255, 0));
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0], (Line{750, 0, 750, 9000, QColor(255, 255, 0), 1, Style::Dashed}));
}

TEST_F(CurveDrawing, timeLabelsNameTheirSlotsAndExtrapolateSevenAndEight)
{
    const double day = DateValue::fromDate(QDate(2001, 3, 12));
    for (size_t s = 1; s <= 241; ++s) {
        buffers.trendDates[s] = day;
        buffers.trendTimes[s] = DateValue::fromTime(QTime(14, 0, 0).addSecs(static_cast<int>(s)));
    }
    const TimeAxisLabels labels = draw();
    EXPECT_EQ(labels.times[0], QStringLiteral("14:03:01"));  // slot 181
    EXPECT_EQ(labels.times[6], QStringLiteral("14:04:01"));  // slot 241
    EXPECT_EQ(labels.times[7], QStringLiteral("14:04:11"));  // ten seconds on
    EXPECT_EQ(labels.times[8], QStringLiteral("14:04:21"));
    EXPECT_EQ(labels.dates[8], QStringLiteral("2001-03-12"));
}

TEST_F(CurveDrawing, extrapolatedLabelsPastMidnightShowTheNextDay)
{
    const double day = DateValue::fromDate(QDate(2001, 3, 12));
    buffers.trendDates[241] = day;
    buffers.trendTimes[241] = DateValue::fromTime(QTime(23, 59, 55));
    const TimeAxisLabels labels = draw();
    EXPECT_EQ(labels.times[7], QStringLiteral("00:00:05"));
    EXPECT_EQ(labels.times[8], QStringLiteral("00:00:15"));
    EXPECT_EQ(labels.dates[7], QStringLiteral("2001-03-13"));
    EXPECT_EQ(labels.dates[8], QStringLiteral("2001-03-13"));
}

TEST_F(CurveDrawing, historyPageShowsSlotTimesInEveryLabel)
{
    buffers.loadedCount = buffers.markEnd = buffers.curveEnd = TrendBuffers::kHistoryPage;
    buffers.trendTimes[261] = DateValue::fromTime(QTime(8, 0, 0));
    buffers.trendDates[251] = 0.0;  // a slot no record filled
    const TimeAxisLabels labels = draw();
    EXPECT_EQ(labels.times[8], QStringLiteral("08:00:00"));
    EXPECT_TRUE(labels.times[7].isEmpty());
    EXPECT_TRUE(labels.dates[7].isEmpty());
}

TEST(YAxisScale, sixthsOfTheSpanRoundedHalfToEven)
{
    using Scale = std::array<int32_t, 7>;
    EXPECT_EQ(yAxisScale(60, 0), (Scale{0, 10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(yAxisScale(100, 0), (Scale{0, 17, 33, 50, 67, 83, 100}));
    EXPECT_EQ(yAxisScale(3, 0), (Scale{0, 0, 1, 2, 2, 2, 3}));
    EXPECT_EQ(yAxisScale(1000, -200), (Scale{-200, -33, 133, 300, 467, 633, 800}));
}

} // namespace
