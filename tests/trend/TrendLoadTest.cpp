#include <QSqlQuery>

#include "support/HistoryFixture.h"
#include "trend/TrendLoad.h"

namespace {

const QDateTime kMorning(QDate(2026, 1, 5), QTime(10, 0, 0));

class TrendLoad : public HistoryFixture {
protected:
    LoadResult load(int32_t windowEnd, int32_t windowSize)
    {
        playback.window.windowEnd = windowEnd;
        playback.window.windowSize = windowSize;
        return loadTrendWindow(buffers, playback.window, database.database());
    }
    std::vector<int> gapSlots() const
    {
        std::vector<int> marked;
        for (int i = 0; i < TrendBuffers::kSlots; ++i)
            if (buffers.gapMarks[i] > 0)
                marked.push_back(buffers.gapMarks[i] == i ? i : -i);
        return marked;
    }
};

TEST_F(TrendLoad, sqliteTakesBetweenBoundsInTheirWrittenOrderSoTheLowerComesFirst)
{
    seed(1, 300, kMorning, 241);
    QSqlQuery q(database.database());
    ASSERT_TRUE(q.exec(QStringLiteral("select count(*) from pv_data where w_id  between 241 and 1")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(load(241, 241).records, 241);
}

TEST_F(TrendLoad, liveWindowEndingAt241LoadsRecords1To241OldestFirst)
{
    seed(1, 300, kMorning, 241);
    const LoadResult result = playback.loadLiveWindow();
    EXPECT_TRUE(result.queryOk);
    EXPECT_EQ(result.records, 241);
    EXPECT_EQ(playback.window.latestId, 241);
    EXPECT_EQ(playback.window.windowStart, 0);
    EXPECT_EQ(buffers.loadedCount, 241);
    EXPECT_EQ(buffers.markEnd, 241);
    EXPECT_EQ(buffers.curveEnd, 241);
    for (int slot = 1; slot <= 241; ++slot)
        ASSERT_EQ(idAt(slot), slot);
    EXPECT_EQ(buffers.trendDates[1], DateValue::fromDate(kMorning.date()));
    EXPECT_EQ(buffers.trendTimes[241], DateValue::fromTime(QTime(10, 4, 0)));
    EXPECT_EQ(idAt(0), 0);
    EXPECT_EQ(gapSlots(), std::vector<int>{1});  // slot 1 against the empty slot 0
}

TEST_F(TrendLoad, windowStraddlingTheWrapIsLoadedOldestFirst)
{
    seedWrappedRing(100);
    const LoadResult result = load(100, 241);
    EXPECT_EQ(result.records, 241);
    EXPECT_EQ(playback.window.windowStart, 65359);
    EXPECT_EQ(idAt(1), 65360);
    EXPECT_EQ(idAt(141), 65500);
    EXPECT_EQ(idAt(142), 1);
    EXPECT_EQ(idAt(241), 100);
    EXPECT_EQ(gapSlots(), std::vector<int>{1});
}

TEST_F(TrendLoad, windowStraddlingMidnightMarksTheFirstRecordAfterMidnight)
{
    seed(1, 241, QDateTime(QDate(2026, 1, 5), QTime(23, 58, 0)), 241);
    load(241, 241);
    EXPECT_EQ(buffers.trendTimes[121], 0.0);
    EXPECT_EQ(buffers.trendDates[121], DateValue::fromDate(QDate(2026, 1, 6)));
    EXPECT_EQ(gapSlots(), (std::vector<int>{1, 121}));
}

TEST_F(TrendLoad, twoMissingSecondsAreAGapAndOneIsNot)
{
    auto rows = HistoryFiles::sequence(1, 4, DateValue::fromDateTime(kMorning));
    rows[1].time = DateValue::fromTime(QTime(10, 0, 2));   // one second not stored
    rows[2].time = DateValue::fromTime(QTime(10, 0, 5));   // two
    rows[3].time = DateValue::fromTime(QTime(10, 0, 6));
    ASSERT_TRUE(HistoryFiles::insertRows(path, rows, 4));
    load(4, 4);
    EXPECT_EQ(gapSlots(), (std::vector<int>{1, 3}));
}

TEST_F(TrendLoad, aYoungFilesRecordsEndAtTheLiveEdgeWithEmptySlotsBeforeThem)
{
    seed(1, 100, kMorning, 100);
    const LoadResult result = load(100, 241);
    EXPECT_EQ(result.records, 100);
    EXPECT_EQ(idAt(142), 1);
    EXPECT_EQ(idAt(241), 100);
    EXPECT_EQ(buffers.trendTimes[241], DateValue::fromTime(kMorning.time().addSecs(99)));
    for (int slot = 1; slot <= 141; ++slot)
        ASSERT_FALSE(buffers.holdsSample(static_cast<size_t>(slot))) << slot;
    EXPECT_TRUE(buffers.holdsSample(142));
    EXPECT_EQ(gapSlots(), std::vector<int>{142});  // where the data begins
}

TEST_F(TrendLoad, clearTouchesSlots0To321AndChannels0To8Only)
{
    for (auto& slot : buffers.trendValues)
        slot.fill(1.0f);
    buffers.trendDates.fill(2.0);
    buffers.trendTimes.fill(0.5);
    buffers.gapMarks.fill(7);
    buffers.clear();
    for (int slot = 0; slot <= 321; ++slot) {
        ASSERT_EQ(buffers.trendDates[slot], 0.0);
        ASSERT_EQ(buffers.trendTimes[slot], 0.0);
        for (int ch = 0; ch <= 8; ++ch)
            ASSERT_EQ(buffers.trendValues[slot][ch], 0.0f);
        for (int ch = 9; ch < TrendBuffers::kChannels; ++ch)
            ASSERT_EQ(buffers.trendValues[slot][ch], 1.0f);
    }
    EXPECT_EQ(buffers.trendDates[322], 2.0);
    EXPECT_EQ(buffers.trendValues[322][0], 1.0f);
    EXPECT_EQ(buffers.gapMarks[5], 7);
}

TEST_F(TrendLoad, unreadableDatabaseLeavesTheBuffersClearedAndKeepsTheNewestNumber)
{
    seed(1, 300, kMorning, 300);
    playback.loadLiveWindow();
    database.close();
    const LoadResult result = playback.loadLiveWindow();
    EXPECT_FALSE(result.queryOk);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(playback.window.latestId, 300);
    EXPECT_EQ(buffers.loadedCount, 241);
    EXPECT_EQ(idAt(241), 0);
    EXPECT_EQ(buffers.trendTimes[241], 0.0);
}

} // namespace
