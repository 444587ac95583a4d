#include "support/HistoryFixture.h"
#include "trend/LiveAppend.h"
#include "instrument/ProcessImage.h"
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
        for (size_t i = 0; i < 10; ++i)
            image.inputValues[i] = static_cast<float>(1000 + i);
        image.sampleReady = ProcessImage::kTrue;
    }

    ProcessImage image;
    ZoomGeometry zoom;
};

TEST_F(LiveAppend, tickWithoutANewSampleChangesNothing)
{
    image.sampleReady = ProcessImage::kFalse;
    EXPECT_EQ(appendLiveSample(buffers, playback, zoom, image, kNow), LiveAppendResult::NoSample);
    EXPECT_EQ(buffers.curveEnd, 241);
    EXPECT_EQ(idAt(242), 0);
}

TEST_F(LiveAppend, sampleGoesIntoTheNextSlotWithTheClocksDateAndTime)
{
    EXPECT_EQ(appendLiveSample(buffers, playback, zoom, image, kNow), LiveAppendResult::Appended);
    EXPECT_EQ(buffers.markEnd, 242);
    EXPECT_EQ(buffers.curveEnd, 242);
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(buffers.trendValues[242][ch], 1000.0f + ch) << ch;
    EXPECT_EQ(buffers.trendValues[242][8], 0.0f);  // only inputValues 0..7
    EXPECT_EQ(buffers.trendDates[242], DateValue::fromDate(kNow.date()));
    EXPECT_EQ(buffers.trendTimes[242], DateValue::fromTime(kNow.time()));
    EXPECT_EQ(image.sampleReady, ProcessImage::kFalse);
}

TEST_F(LiveAppend, reachingTheEdgeReloadsTheNewestRecordsAndTheSampleTakesSlot241)
{
    const int16_t thresholds[] = {261, 281, 301, 321};
    for (int16_t level = 1; level <= 4; ++level) {
        zoom.zoomLevel = level;
        playback.loadLiveWindow();
        buffers.markEnd = buffers.curveEnd = static_cast<int16_t>(thresholds[level - 1] - 2);
        image.sampleReady = ProcessImage::kTrue;
        EXPECT_EQ(appendLiveSample(buffers, playback, zoom, image, kNow), LiveAppendResult::Appended) << level;

        seed(301, 301, kStart.addSecs(300), 301);
        image.sampleReady = ProcessImage::kTrue;
        EXPECT_EQ(appendLiveSample(buffers, playback, zoom, image, kNow), LiveAppendResult::ReloadedAndAppended)
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
