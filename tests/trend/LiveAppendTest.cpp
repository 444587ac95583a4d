#include "instrument/InstrumentState.h"
#include "support/HistoryFixture.h"
#include "support/StateFeed.h"
#include "trend/LiveAppend.h"
#include "trend/ZoomGeometry.h"

namespace {

const QDateTime kStart(QDate(2026, 1, 5), QTime(9, 0, 0));
const QDateTime kNow(QDate(2026, 1, 5), QTime(9, 5, 1));

class LiveAppend : public HistoryFixture {
protected:
    void SetUp() override
    {
        HistoryFixture::SetUp();
        seed(1, 300, kStart, 300);
        playback.loadLiveWindow();
        for (int i = 0; i < 8; ++i)
            StateFeed::setMeasurement(state, i + 1, 1000 + i);
    }

    InstrumentState state;
    ZoomGeometry zoom;
};

TEST_F(LiveAppend, sampleGoesIntoTheNextSlotWithTheClocksDateAndTime)
{
    EXPECT_EQ(appendLiveSample(buffers, playback, zoom, state, kNow), LiveAppendResult::Appended);
    EXPECT_EQ(buffers.markEnd, 242);
    EXPECT_EQ(buffers.curveEnd, 242);
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(buffers.trendValues[242][ch], 1000.0f + ch) << ch;
    EXPECT_EQ(buffers.trendValues[242][8], 0.0f);  // only the eight measurements
    EXPECT_EQ(buffers.trendDates[242], DateValue::fromDate(kNow.date()));
    EXPECT_EQ(buffers.trendTimes[242], DateValue::fromTime(kNow.time()));
}

TEST_F(LiveAppend, aSampleAfterSecondsWithoutAnswerIsMarkedAsAGapAndTheNextIsNot)
{
    // The newest record is from 09:04:59; 09:05:01 follows one lost second.
    appendLiveSample(buffers, playback, zoom, state, kNow);
    EXPECT_EQ(buffers.gapMarks[242], 0);
    appendLiveSample(buffers, playback, zoom, state, kNow.addSecs(20));
    EXPECT_EQ(buffers.gapMarks[243], 243);
    appendLiveSample(buffers, playback, zoom, state, kNow.addSecs(21));
    EXPECT_EQ(buffers.gapMarks[244], 0);
}

TEST_F(LiveAppend, reachingTheEdgeReloadsTheNewestRecordsAndTheSampleTakesSlot241)
{
    const int16_t thresholds[] = {261, 281, 301, 321};
    for (int16_t level = 1; level <= 4; ++level) {
        zoom.zoomLevel = level;
        playback.loadLiveWindow();
        buffers.markEnd = buffers.curveEnd = static_cast<int16_t>(thresholds[level - 1] - 2);
        EXPECT_EQ(appendLiveSample(buffers, playback, zoom, state, kNow), LiveAppendResult::Appended) << level;

        seed(301, 301, kStart.addSecs(300), 301);
        EXPECT_EQ(appendLiveSample(buffers, playback, zoom, state, kNow), LiveAppendResult::ReloadedAndAppended)
            << level;
        EXPECT_EQ(buffers.markEnd, 241);
        EXPECT_EQ(playback.window.latestId, 301);
        EXPECT_EQ(idAt(240), 300);
        EXPECT_EQ(idAt(241), 1000);  // the live sample over the newest record
        EXPECT_EQ(buffers.trendTimes[241], DateValue::fromTime(kNow.time()));
        ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("delete from pv_data where w_id=301"),
                                              QStringLiteral("update sl_void set newest=300")}));
    }
}

} // namespace
