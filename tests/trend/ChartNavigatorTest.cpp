#include "trend/ChartNavigator.h"
#include "support/HistoryFixture.h"
#include "core/WholeNumber.h"
#include "trend/ZoomGeometry.h"

namespace {

using Outcome = HistoryPlayback::Outcome;

const QDateTime kStart(QDate(2026, 1, 5), QTime(6, 0, 0));

class ChartNavigatorTest : public HistoryFixture {
protected:
    // Records 1..newest one second apart, shown as the live window.
    void live(int32_t newest)
    {
        seed(1, newest, kStart, newest);
        playback.loadLiveWindow();
    }
    void zoomTo(int16_t level)
    {
        zoom.zoomLevel = level;
        zoom.apply();
    }

    ZoomGeometry zoom;
    ChartNavigator navigator{buffers, zoom, playback};
};

struct KeyCase {
    Qt::Key key;
    int16_t zoomLevel;
    int16_t pageCount;
    bool atOldest;
    bool accepted;
};

TEST_F(ChartNavigatorTest, keysAreTakenOnlyInTheStatesTheirButtonsAllow)
{
    const KeyCase cases[] = {
        {Qt::Key_F1, 1, 0, false, true},      {Qt::Key_F1, 3, 0, false, true},   {Qt::Key_F1, 4, 0, false, false},
        {Qt::Key_F2, 1, 0, false, false},     {Qt::Key_F2, 2, 0, false, true},   {Qt::Key_F2, 4, 0, false, true},
        {Qt::Key_F6, 1, 0, false, false},     {Qt::Key_F6, 1, 1, false, true},   {Qt::Key_F6, 1, 12, true, true},
        {Qt::Key_F7, 1, 0, false, true},      {Qt::Key_F7, 1, 5, false, true},   {Qt::Key_F7, 1, 12, true, false},
        {Qt::Key_F3, 4, 0, true, true},       {Qt::Key_F4, 1, 3, true, true},    {Qt::Key_F5, 2, 0, false, true},
        {Qt::Key_Escape, 1, 0, false, true},  {Qt::Key_F8, 1, 0, false, false},  {Qt::Key_Return, 2, 1, false, false},
    };
    for (const KeyCase& c : cases) {
        zoomTo(c.zoomLevel);
        playback.pageCount = c.pageCount;
        playback.atOldest = c.atOldest;
        EXPECT_EQ(navigator.keyAccepted(c.key), c.accepted) << c.key << " level " << c.zoomLevel;
    }
}

TEST_F(ChartNavigatorTest, zoomStepsThroughTheLevelsAndIsIgnoredAtTheEnds)
{
    EXPECT_FALSE(navigator.zoomIn());  // F2 at level 1
    EXPECT_EQ(zoom.zoomLevel, 1);
    EXPECT_FALSE(navigator.zoomInEnabled());
    const int steps[] = {150, 75, 50, 38};  // 37.5 goes to the even 38
    EXPECT_EQ(navigator.sliderStep(), steps[0]);
    for (int16_t level = 2; level <= 4; ++level) {
        EXPECT_TRUE(navigator.zoomOut());
        EXPECT_EQ(zoom.zoomLevel, level);
        EXPECT_EQ(navigator.sliderStep(), steps[level - 1]);
    }
    EXPECT_FLOAT_EQ(zoom.markStep, 37.5f);
    EXPECT_EQ(zoom.markOffset, 0);
    EXPECT_FALSE(navigator.zoomOutEnabled());
    EXPECT_FALSE(navigator.zoomOut());  // F1 at level 4
    EXPECT_EQ(zoom.zoomLevel, 4);
    EXPECT_TRUE(navigator.zoomIn());
    EXPECT_EQ(zoom.zoomLevel, 3);
    EXPECT_EQ(zoom.markOffset, 60);
}

TEST_F(ChartNavigatorTest, theRulerAtZeroReadsTheSlotAtTheLeftEdgeAtEveryLevel)
{
    live(300);
    for (int16_t level = 1; level <= 4; ++level) {
        zoomTo(level);
        const RulerReadOut out = navigator.readOut(0);
        EXPECT_EQ(out.slot, zoom.markOffset) << level;
        const auto slot = static_cast<size_t>(zoom.markOffset);
        if (level == 4) {
            // Slot 0 never holds a sample: nothing to read, not 00:00:00 and zeros.
            EXPECT_FALSE(out.values.has_value());
            EXPECT_TRUE(out.date.isEmpty());
            EXPECT_TRUE(out.time.isEmpty());
            continue;
        }
        ASSERT_TRUE(out.values.has_value()) << level;
        EXPECT_EQ((*out.values)[0], buffers.trendValues[slot][0]) << level;
        EXPECT_EQ(out.date, DateValue::text(buffers.trendDates[slot])) << level;
        EXPECT_EQ(out.time, DateValue::text(buffers.trendTimes[slot])) << level;
    }
    // Level 1: slot 180 holds record 239 (slot 1 is record 60), stored
    // 238 s after the first.
    zoomTo(1);
    const RulerReadOut out = navigator.readOut(0);
    ASSERT_TRUE(out.values.has_value());
    EXPECT_EQ((*out.values)[0], 239.0f);
    EXPECT_EQ(out.time, DateValue::text(DateValue::fromTime(kStart.time().addSecs(238))));
}

TEST_F(ChartNavigatorTest, theSlotReadIsTheOneDrawnUnderTheRuler)
{
    live(300);
    for (int16_t level = 1; level <= 4; ++level) {
        zoomTo(level);
        for (int k = 0; k * zoom.markStep <= 12000; k += 7) {
            const int x = static_cast<int>(roundHalfEven(k * zoom.markStep));
            EXPECT_EQ(navigator.readOut(x).slot, k + zoom.markOffset) << level << " " << k;
        }
    }
}

TEST_F(ChartNavigatorTest, theSliderSpansExactlyTheVisibleSlotsAtEveryZoomLevel)
{
    live(300);
    // Visible slots per level: the newest 80, 160, 240 and 320 samples.
    const std::pair<int, int> visible[] = {{180, 260}, {120, 280}, {60, 300}, {0, 320}};
    for (int16_t level = 1; level <= 4; ++level) {
        zoomTo(level);
        const auto [first, last] = visible[level - 1];
        EXPECT_EQ(navigator.readOut(0).slot, first) << level;
        EXPECT_EQ(navigator.readOut(12000).slot, last) << level;
        for (int v = 0; v <= 12000; v += 37) {
            const int slot = navigator.readOut(v).slot;
            ASSERT_GE(slot, first) << level << " " << v;
            ASSERT_LE(slot, last) << level << " " << v;
        }
    }
}

TEST_F(ChartNavigatorTest, theMarkIsYellowWhenSwitchedOnPurpleWhenMovedGreenWhenOff)
{
    live(300);
    EXPECT_FALSE(navigator.rulerMark.shown);
    navigator.switchRulerOn();
    EXPECT_TRUE(navigator.rulerOn);
    EXPECT_EQ(navigator.rulerMark, (RulerMark{true, QColor(255, 255, 0), 1, 0, 1, 330}));
    EXPECT_FALSE(navigator.rulerMoved(4500));
    EXPECT_EQ(navigator.rulerMark, (RulerMark{true, QColor(192, 0, 192), 4500, 0, 4500, 7500}));
    navigator.switchRulerOff();
    EXPECT_FALSE(navigator.rulerOn);
    EXPECT_EQ(navigator.rulerMark, (RulerMark{true, QColor(0, 255, 0), 0, 0, 0, 330}));
}

TEST_F(ChartNavigatorTest, theSlidersEndsPageBackAndForward)
{
    live(1000);
    navigator.switchRulerOn();
    EXPECT_FALSE(navigator.rulerMoved(ChartNavigator::kSliderLast));  // live: the ruler only moves
    EXPECT_EQ(playback.pageCount, 0);

    EXPECT_EQ(navigator.rulerMoved(ChartNavigator::kSliderFirst), Outcome::PageLoaded);
    EXPECT_EQ(playback.pageCount, 1);
    EXPECT_EQ(playback.window.windowEnd, 940);
    EXPECT_EQ(navigator.rulerMark.x1, -1);
    EXPECT_EQ(navigator.rulerMoved(ChartNavigator::kSliderFirst), Outcome::PageLoaded);
    EXPECT_EQ(playback.window.windowEnd, 880);
    EXPECT_EQ(navigator.rulerMoved(ChartNavigator::kSliderLast), Outcome::PageLoaded);
    EXPECT_EQ(playback.window.windowEnd, 940);
    EXPECT_EQ(navigator.rulerMoved(ChartNavigator::kSliderLast), Outcome::LiveLoaded);
    EXPECT_EQ(playback.pageCount, 0);
    EXPECT_FALSE(navigator.liveRefreshRunning());  // the ruler still holds the panel
}

TEST_F(ChartNavigatorTest, theSliderStopsPagingBackOnceTheOldestPageWasRefused)
{
    live(400);  // page 1 ends at 340; page 2 would begin below record 1
    navigator.switchRulerOn();
    EXPECT_EQ(navigator.rulerMoved(ChartNavigator::kSliderFirst), Outcome::PageLoaded);
    navigator.rulerMoved(0);
    EXPECT_EQ(navigator.rulerMoved(ChartNavigator::kSliderFirst), Outcome::Refused);
    navigator.rulerMoved(0);
    EXPECT_FALSE(navigator.rulerMoved(ChartNavigator::kSliderFirst));
    EXPECT_EQ(playback.pageCount, 2);
    EXPECT_EQ(idAt(321), 340);
}

TEST_F(ChartNavigatorTest, rulerOffReturnsToTheLiveWindowAndKeepsThePageCount)
{
    live(1000);
    navigator.switchRulerOn();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(navigator.pageBack(), Outcome::PageLoaded);
    seed(1001, 1010, kStart.addSecs(1000), 1010);  // recorded meanwhile

    navigator.switchRulerOff();
    EXPECT_EQ(playback.pageCount, 3);
    EXPECT_EQ(buffers.loadedCount, 241);
    EXPECT_EQ(buffers.markEnd, 241);
    EXPECT_EQ(idAt(241), 1010);
    EXPECT_TRUE(navigator.liveRefreshRunning());

    // F6 still counts from there; the page it shows takes no live samples.
    EXPECT_EQ(navigator.pageForward(), Outcome::PageLoaded);
    EXPECT_EQ(playback.window.windowEnd, 1010 - 120);
    EXPECT_FALSE(navigator.liveRefreshRunning());
}

} // namespace
