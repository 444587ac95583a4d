#include "instrument/InstrumentState.h"
#include "support/HistoryFixture.h"
#include "support/StateFeed.h"
#include "support/TakenSample.h"
#include "trend/LiveAppend.h"
#include "trend/ZoomGeometry.h"

namespace {

using Outcome = LiveAppendResult::Outcome;

const QDateTime kStart(QDate(2026, 1, 5), QTime(9, 0, 0));
const QDateTime kNow(QDate(2026, 1, 5), QTime(9, 5, 1));

class LiveAppend : public HistoryFixture {
protected:
    void SetUp() override
    {
        HistoryFixture::SetUp();
        seed(1, 300, kStart, 300);  // the newest, 300, from 09:04:59
        playback.loadLiveWindow();
        for (int i = 0; i < 8; ++i)
            StateFeed::setMeasurement(state, i + 1, 1000 + i);
    }

    Outcome append(const QDateTime& at) { return appendLiveSample(buffers, playback, zoom, takenSample(state, at)).outcome; }

    // Stores record `id` taken at `at`, as the recorder would (its first
    // value is its number).
    void store(int32_t id, const QDateTime& at) { seed(id, id, at, id); }

    InstrumentState state;
    ZoomGeometry zoom;
};

TEST_F(LiveAppend, sampleGoesIntoTheNextSlotAsTheRecorderTookIt)
{
    Sample sample = takenSample(state, kNow);
    sample.values[8] = 55.0f;
    EXPECT_EQ(appendLiveSample(buffers, playback, zoom, sample).outcome, Outcome::Appended);
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
    append(kNow);
    EXPECT_EQ(buffers.gapMarks[242], 0);
    append(kNow.addSecs(20));
    EXPECT_EQ(buffers.gapMarks[243], 243);
    append(kNow.addSecs(21));
    EXPECT_EQ(buffers.gapMarks[244], 0);
}

TEST_F(LiveAppend, aSecondAlreadyShownIsNotShownTwice)
{
    EXPECT_EQ(append(kNow), Outcome::Appended);
    EXPECT_EQ(append(kNow), Outcome::AlreadyShown);
    EXPECT_EQ(append(kStart.addSecs(299)), Outcome::AlreadyShown);  // record 300's second
    EXPECT_EQ(buffers.curveEnd, 242);
}

TEST_F(LiveAppend, reachingTheEdgeReloadsAndTheStoredSampleStaysTheNewestRecordAtSlot241)
{
    const int16_t thresholds[] = {261, 281, 301, 321};
    for (int16_t level = 1; level <= 4; ++level) {
        zoom.zoomLevel = level;
        playback.loadLiveWindow();
        buffers.markEnd = buffers.curveEnd = static_cast<int16_t>(thresholds[level - 1] - 2);
        buffers.trendDates[static_cast<size_t>(buffers.curveEnd)] = 0;  // nothing newer shown yet
        EXPECT_EQ(append(kNow), Outcome::Appended) << level;

        const QDateTime taken = kNow.addSecs(1);
        store(301, taken);
        EXPECT_EQ(append(taken), Outcome::Reloaded) << level;
        EXPECT_EQ(buffers.markEnd, 241);
        EXPECT_EQ(buffers.curveEnd, 241);
        EXPECT_EQ(playback.window.latestId, 301);
        EXPECT_EQ(idAt(240), 300);
        EXPECT_EQ(idAt(241), 301);  // once, from the file
        EXPECT_EQ(buffers.trendTimes[241], DateValue::fromTime(taken.time()));
        ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("delete from pv_data where w_id=301"),
                                              QStringLiteral("update sl_void set newest=300")}));
    }
}

TEST_F(LiveAppend, aSampleTheFileCouldNotStoreFollowsTheReloadedRecords)
{
    buffers.markEnd = buffers.curveEnd = 260;
    EXPECT_EQ(append(kNow), Outcome::Reloaded);
    EXPECT_EQ(idAt(241), 300);
    EXPECT_EQ(buffers.curveEnd, 242);
    EXPECT_EQ(idAt(242), 1000);
}

TEST_F(LiveAppend, aYoungFileKeepsItsCurveAcrossReloads)
{
    // The recorder has stored 31 seconds since the file was made; the live
    // window shows them at its right end and adds each new one.
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("delete from pv_data where w_id > 30"),
                                          QStringLiteral("update sl_void set newest=30")}));
    playback.loadLiveWindow();
    ASSERT_EQ(idAt(241), 30);
    const QDateTime first = kStart.addSecs(30);
    for (int n = 0; n < 25; ++n) {
        store(31 + n, first.addSecs(n));
        ASSERT_NE(append(first.addSecs(n)), Outcome::AlreadyShown) << n;
        ASSERT_TRUE(buffers.holdsSample(static_cast<size_t>(buffers.curveEnd))) << n;
    }
    // Twenty samples after the first load the window reloaded: every stored
    // second is still there, in order, ending at the newest.
    const int newest = buffers.curveEnd;
    EXPECT_EQ(buffers.trendTimes[static_cast<size_t>(newest)], DateValue::fromTime(first.addSecs(24).time()));
    for (int slot = newest - 54; slot < newest; ++slot)
        ASSERT_LT(buffers.trendTimes[static_cast<size_t>(slot)], buffers.trendTimes[static_cast<size_t>(slot + 1)]) << slot;
    EXPECT_FALSE(buffers.holdsSample(static_cast<size_t>(newest - 55)));
}

TEST_F(LiveAppend, aReloadThatFailsKeepsTheCurveMovedToTheLiveEdge)
{
    for (int n = 0; n < 19; ++n)
        append(kNow.addSecs(n));
    ASSERT_EQ(buffers.curveEnd, 260);
    const double newestShown = buffers.trendTimes[260];
    const float oldestKept = buffers.trendValues[20][0];  // slot 20 moves to slot 1
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data rename to pv_gone")}));

    const LiveAppendResult result = appendLiveSample(buffers, playback, zoom, takenSample(state, kNow.addSecs(19)));
    EXPECT_EQ(result.outcome, Outcome::ReloadFailed);
    EXPECT_FALSE(result.loadError.isEmpty());
    EXPECT_EQ(buffers.curveEnd, 242);
    EXPECT_EQ(buffers.trendTimes[241], newestShown);
    EXPECT_EQ(buffers.trendValues[1][0], oldestKept);
    EXPECT_EQ(buffers.trendTimes[242], DateValue::fromTime(kNow.addSecs(19).time()));
    EXPECT_EQ(playback.window.latestId, 300);
}

} // namespace
