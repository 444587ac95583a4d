#include "support/HistoryFixture.h"

namespace {

using Outcome = HistoryPlayback::Outcome;

const QDateTime kStart(QDate(2026, 1, 5), QTime(6, 0, 0));

class HistoryPaging : public HistoryFixture {
protected:
    void expectPage(int32_t end)
    {
        EXPECT_EQ(playback.window.windowEnd, end);
        EXPECT_EQ(idAt(321), end);
        EXPECT_EQ(idAt(1), end > 320 ? end - 320 : end - 320 + HistoryTables::kRingSize);
        EXPECT_EQ(buffers.loadedCount, 321);
        EXPECT_EQ(buffers.markEnd, 321);
        EXPECT_EQ(buffers.curveEnd, 321);
    }
    void expectRefused(int16_t pages)
    {
        EXPECT_EQ(playback.pageCount, pages);
        EXPECT_TRUE(playback.atOldest);
        EXPECT_FALSE(playback.pageBackEnabled);
        EXPECT_TRUE(playback.pageForwardEnabled);
        EXPECT_FALSE(playback.liveRefreshRunning);
    }
};

TEST_F(HistoryPaging, latestId1000PagesBackElevenTimesRefusesTheTwelfthAndComesBackToLive)
{
    seed(1, 1000, kStart, 1000);
    playback.loadLiveWindow();
    for (int page = 1; page <= 11; ++page) {
        ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded) << page;
        expectPage(1000 - 60 * page);
        EXPECT_FALSE(playback.liveRefreshRunning);
        EXPECT_TRUE(playback.pageForwardEnabled);
        EXPECT_FALSE(playback.atOldest);
    }
    // Page 12 would end at 280 and begin below record 1.
    EXPECT_EQ(playback.pageBack(), Outcome::Refused);
    expectRefused(12);
    expectPage(340);  // the chart keeps the page it showed

    EXPECT_EQ(playback.pageForward(), Outcome::PageLoaded);
    expectPage(340);
    EXPECT_TRUE(playback.pageBackEnabled);
    EXPECT_FALSE(playback.atOldest);
    for (int page = 10; page >= 1; --page) {
        ASSERT_EQ(playback.pageForward(), Outcome::PageLoaded) << page;
        expectPage(1000 - 60 * page);
    }
    EXPECT_EQ(playback.pageForward(), Outcome::LiveLoaded);
    EXPECT_EQ(playback.pageCount, 0);
    EXPECT_FALSE(playback.pageForwardEnabled);
    EXPECT_TRUE(playback.liveRefreshRunning);
    EXPECT_EQ(buffers.loadedCount, 241);
    EXPECT_EQ(buffers.markEnd, 241);
    EXPECT_EQ(idAt(241), 1000);
}

TEST_F(HistoryPaging, latestId60InAWrappedRingLoadsThePageEndingAt65500)
{
    seedWrappedRing(60);
    playback.loadLiveWindow();
    EXPECT_TRUE(playback.ringWrapped);
    EXPECT_EQ(idAt(241), 60);
    EXPECT_EQ(idAt(1), 65320);
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);
    expectPage(65500);
}

TEST_F(HistoryPaging, wrappedRingPagesOnIntoTheTopOfTheRing)
{
    seedWrappedRing(30);
    playback.loadLiveWindow();
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);
    expectPage(65470);
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);
    expectPage(65410);
}

TEST_F(HistoryPaging, neverWrappedRingRefusesAPageThatWouldWrapBelowRecordOne)
{
    seed(1, 60, kStart, 60);
    playback.loadLiveWindow();
    EXPECT_FALSE(playback.ringWrapped);
    ASSERT_EQ(playback.pageBack(), Outcome::Refused);
    expectRefused(1);
    EXPECT_EQ(idAt(241), 60);  // the live window stays as it was
    EXPECT_EQ(buffers.loadedCount, 241);  // and the time axis reads it as such

    EXPECT_EQ(playback.pageForward(), Outcome::LiveLoaded);
    EXPECT_TRUE(playback.liveRefreshRunning);
    EXPECT_FALSE(playback.pageForwardEnabled);
}

TEST_F(HistoryPaging, returnToLiveArmsPagingBackAgainOnceHistoryHasGrown)
{
    seed(1, 60, kStart, 60);
    playback.loadLiveWindow();
    ASSERT_EQ(playback.pageBack(), Outcome::Refused);
    ASSERT_EQ(playback.pageForward(), Outcome::LiveLoaded);
    EXPECT_TRUE(playback.pageBackEnabled);
    EXPECT_FALSE(playback.atOldest);

    seed(61, 500, kStart.addSecs(60), 500);  // recording goes on in live mode
    playback.loadLiveWindow();               // the next live reload
    EXPECT_EQ(playback.pageBack(), Outcome::PageLoaded);
    EXPECT_EQ(playback.window.windowEnd, 440);
}

TEST_F(HistoryPaging, freshDatabaseRefusesTheFirstPage)
{
    playback.loadLiveWindow();
    EXPECT_EQ(playback.window.latestId, 0);
    EXPECT_EQ(playback.pageBack(), Outcome::Refused);
    expectRefused(1);
}

TEST_F(HistoryPaging, newerRecordsAfterTheLiveLoadDoNotCountAsAWrappedRing)
{
    seed(1, 30, kStart, 30);
    playback.loadLiveWindow();
    seed(31, 40, kStart.addSecs(30), 40);  // the recorder goes on meanwhile
    EXPECT_EQ(playback.pageBack(), Outcome::Refused);
}

TEST_F(HistoryPaging, aPageThatCannotBeReadLeavesTheViewAndThePageCountAsTheyWere)
{
    seed(1, 1000, kStart, 1000);
    playback.loadLiveWindow();
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);
    const TrendBuffers shown = buffers;
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data rename to pv_gone")}));

    for (const auto step : {&HistoryPlayback::pageBack, &HistoryPlayback::pageForward}) {
        EXPECT_EQ((playback.*step)(), Outcome::Failed);
        EXPECT_FALSE(playback.loadError().isEmpty());
        EXPECT_EQ(playback.pageCount, 1);
        EXPECT_EQ(playback.window.windowEnd, 940);
        EXPECT_FALSE(playback.liveRefreshRunning);
        EXPECT_TRUE(playback.pageBackEnabled);
        EXPECT_EQ(idAt(321), 940);
        EXPECT_EQ(buffers.trendTimes, shown.trendTimes);
    }
}

TEST_F(HistoryPaging, aWrappedRingPagesBackAcrossTheWrapDownToTheOldestStoredRecord)
{
    seedWrappedRing(1000);
    playback.loadLiveWindow();
    for (int page = 1; page <= 12; ++page)
        ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded) << page;
    expectPage(280);  // 1000 - 720: the page straddles the wrap
    // The furthest page back ends at 1340 and reaches down to 1020, just
    // short of the oldest record, 1001; the next would show the newest.
    playback.pageCount = 1085;
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);
    expectPage(1340);
    EXPECT_EQ(playback.pageBack(), Outcome::Refused);
    expectRefused(1087);
}

TEST_F(HistoryPaging, firstPageBackFromLiveIsRefusedForLatestIdFrom61To381InARingNeverFilled)
{
    seed(1, 400, kStart, std::nullopt);
    for (int32_t latest : {382, 381, 200, 61}) {
        HistoryPlayback fresh(buffers, database);
        ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("delete from pv_data where w_id > %1").arg(latest)}));
        ASSERT_TRUE(HistoryFiles::insertRows(path, {}, latest));
        fresh.loadLiveWindow();
        const Outcome outcome = fresh.pageBack();
        EXPECT_FALSE(fresh.liveRefreshRunning) << latest;
        EXPECT_TRUE(fresh.pageForwardEnabled) << latest;
        if (latest <= 381) {
            EXPECT_EQ(outcome, Outcome::Refused) << latest;
        } else {
            EXPECT_EQ(outcome, Outcome::PageLoaded) << latest;
            EXPECT_EQ(fresh.window.windowEnd, 322);
        }
    }
}

} // namespace
