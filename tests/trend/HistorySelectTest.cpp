#include "support/HistoryFixture.h"
#include "trend/HistorySelect.h"
#include "trend/ZoomGeometry.h"

namespace {

using Outcome = HistoryPlayback::Outcome;

const QDateTime kStart(QDate(2026, 1, 5), QTime(6, 0, 0));

class HistorySelectTest : public HistoryFixture {
protected:
    // The chart slot of a record in the buffers, or -1.
    int slotOf(int32_t id) const
    {
        for (int s = 1; s <= 321; ++s)
            if (idAt(s) == id)
                return s;
        return -1;
    }
    QSqlDatabase db() const { return QSqlDatabase::database(kConnection); }

    ZoomGeometry zoom;
};

TEST_F(HistorySelectTest, nearestRecordByDateAndTime)
{
    seed(1, 100, kStart, 100);
    EXPECT_EQ(HistorySelect::nearestRecord(db(), kStart.addSecs(41)), 42);
    EXPECT_EQ(HistorySelect::nearestRecord(db(), kStart.addDays(-3)), 1);
    EXPECT_EQ(HistorySelect::nearestRecord(db(), kStart.addDays(3)), 100);
}

TEST_F(HistorySelectTest, emptyHistoryIsRefused)
{
    playback.loadLiveWindow();
    EXPECT_EQ(HistorySelect::showMoment(playback, db(), kStart, zoom), Outcome::Refused);
    EXPECT_EQ(playback.pageCount, 0);
}

TEST_F(HistorySelectTest, chosenMomentLandsInTheDataAreaOfItsPage)
{
    seed(1, 3000, kStart, 3000);
    for (int16_t level : {1, 2, 3, 4}) {
        zoom.zoomLevel = level;
        zoom.apply();
        for (int32_t id : {2500, 1234, 700}) {
            playback.loadLiveWindow();
            playback.pageCount = 0;
            ASSERT_EQ(HistorySelect::showMoment(playback, db(), kStart.addSecs(id - 1), zoom), Outcome::PageLoaded)
                << level << " " << id;
            const int slot = slotOf(id);
            EXPECT_GT(slot, zoom.markOffset) << level << " " << id;
            EXPECT_LE(slot, 240) << level << " " << id;
            EXPECT_FALSE(playback.liveRefreshRunning);
            EXPECT_TRUE(playback.pageForwardEnabled);
            // It is one of the pages paging steps through.
            EXPECT_EQ(playback.window.windowEnd, 3000 - 60 * playback.pageCount);
        }
    }
}

TEST_F(HistorySelectTest, momentInTheLiveWindowReturnsToLive)
{
    seed(1, 3000, kStart, 3000);
    playback.loadLiveWindow();
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);
    EXPECT_EQ(HistorySelect::showMoment(playback, db(), kStart.addSecs(2990), zoom), Outcome::LiveLoaded);
    EXPECT_EQ(playback.pageCount, 0);
    EXPECT_TRUE(playback.liveRefreshRunning);
}

TEST_F(HistorySelectTest, momentBeyondTheOldestPageIsRefusedAndChangesNothing)
{
    seed(1, 500, kStart, 500);
    playback.loadLiveWindow();
    EXPECT_EQ(HistorySelect::showMoment(playback, db(), kStart, zoom), Outcome::Refused);
    EXPECT_EQ(playback.pageCount, 0);
    EXPECT_FALSE(playback.atOldest);
    EXPECT_TRUE(playback.pageBackEnabled);
    EXPECT_FALSE(playback.pageForwardEnabled);
    EXPECT_TRUE(playback.liveRefreshRunning);
    EXPECT_EQ(buffers.loadedCount, 241);

    // From a history page the page stays, and F6 steps towards the present
    // from it, never onto a page beyond the oldest.
    ASSERT_EQ(playback.pageBack(), Outcome::PageLoaded);  // page 1 ends at 440
    EXPECT_EQ(HistorySelect::showMoment(playback, db(), kStart, zoom), Outcome::Refused);
    EXPECT_EQ(playback.pageCount, 1);
    EXPECT_EQ(playback.window.windowEnd, 440);
    EXPECT_EQ(playback.pageForward(), Outcome::LiveLoaded);
}

TEST_F(HistorySelectTest, aMomentRecordedSinceTheLastLiveReloadIsFoundInAYoungAndInAWrappedRing)
{
    // A young file: 300 records at the reload, 400 when the moment is chosen.
    seed(1, 300, kStart, 300);
    playback.loadLiveWindow();
    seed(301, 400, kStart.addSecs(300), 400);
    EXPECT_EQ(HistorySelect::showMoment(playback, db(), kStart.addSecs(389), zoom), Outcome::LiveLoaded);
    EXPECT_EQ(playback.window.latestId, 400);
    EXPECT_EQ(idAt(241), 400);
    EXPECT_GT(slotOf(390), zoom.markOffset);

    // A wrapped ring whose newest record was 1000 at the reload and is 1100 now.
    seedWrappedRing(1000);
    playback.loadLiveWindow();
    const QDateTime newest = DateValue::toDateTime(buffers.trendDates[241] + buffers.trendTimes[241]);
    seed(1001, 1100, newest.addSecs(1), 1100);
    EXPECT_EQ(HistorySelect::showMoment(playback, db(), newest.addSecs(90), zoom), Outcome::LiveLoaded);
    EXPECT_EQ(idAt(241), 1100);
    EXPECT_GT(slotOf(1090), zoom.markOffset);
}

TEST_F(HistorySelectTest, pagesCountBackAroundTheRing)
{
    EXPECT_EQ(HistorySelect::pageShowing(100, 100, zoom), 0);
    EXPECT_EQ(HistorySelect::pageShowing(100, 40, zoom), 0);  // 60 back: slot 181, still on screen
    // 1000 records back across the wrap: slot 321 - 1000 + 60 p near 210.
    EXPECT_EQ(HistorySelect::pageShowing(100, 65500 - 900, zoom), 15);
}

} // namespace
