// More than a day and a half of one-second samples, pushed twice through the
// 65500-record ring in well under a minute: the clock is stepped by hand and
// the recorder and the main window's live refresh are ticked as their
// timers would tick them. Paging and a zoom change run in between, as an
// operator looking back now and then would do.

#include <QElapsedTimer>

#include "core/DateValue.h"
#include "history/HistoryTables.h"
#include "mainwindow/ChartPanel.h"
#include "support/ResidentMemory.h"
#include "support/StationFixture.h"
#include "support/StateFeed.h"

namespace {

// Until the ring is full the file grows, and with it SQLite's page cache of
// each connection up to its bound (about 2 MB by default); the first wrap
// adds a one-off step of about 1 MB. Memory is judged over the 70,500
// samples after that, through the second wrap, where only a leak could
// still make it grow.
constexpr int kWarmUpSamples = 70000;
constexpr int kSamples = kWarmUpSamples + 70500;
constexpr int kPointerCheckEvery = 500;  // a database read per sample would dominate the run
constexpr int kPageAroundEvery = 5000;
constexpr int kPagesBack = 3;
constexpr int kZoomChangeAt = 30000;
constexpr long kMaxGrowthBytes = 1024 * 1024;

// Half a second as a fraction of a day: stored times are whole seconds.
constexpr double kHalfSecond = 0.5 / 86400.0;

int32_t expectedRecord(int sample)
{
    return (sample - 1) % HistoryTables::kRingSize + 1;
}

// Slots first..last hold stored records oldest first. Empty slots (a live
// window of a file not yet holding 241 records) are allowed only where
// allowEmpty says so.
::testing::AssertionResult oldestFirst(const TrendBuffers& buffers, int first, int last, bool allowEmpty)
{
    double previous = 0.0;
    for (int slot = first; slot <= last; ++slot) {
        const auto s = static_cast<size_t>(slot);
        if (buffers.trendDates[s] == 0.0) {
            if (allowEmpty)
                continue;
            return ::testing::AssertionFailure() << "slot " << slot << " is empty";
        }
        const double moment = buffers.trendDates[s] + buffers.trendTimes[s];
        if (moment + kHalfSecond < previous)
            return ::testing::AssertionFailure() << "slot " << slot << " is older than the slot before";
        previous = moment;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

class RingSoakTest : public StationFixture {
protected:
    void start()
    {
        recorder.start();
        recorder.stop();
        startWindow();
    }

    // One second of running: the recorder stores, the live refresh takes
    // the sample (reloading the window by itself when it runs full).
    void runOneSecond(int sample)
    {
        clock.advanceMs(1000);
        StateFeed::setMeasurement(state, 1, sample % 1000, clock.now());
        recorder.tick();
        window->refreshLiveValues();
    }

    // sl_void names the record just stored, and that record is the newest
    // in the file, stored at this second.
    void expectPointerOnNewest(int sample)
    {
        const int32_t id = expectedRecord(sample);
        ASSERT_EQ(HistoryFiles::pointer(path), id) << "after sample " << sample;
        const auto stored = HistoryFiles::rows(path, QStringLiteral("w_id=%1").arg(id));
        ASSERT_EQ(stored.size(), 1u) << "record " << id << " after sample " << sample;
        const QDateTime now = clock.now();
        EXPECT_EQ(stored[0].date, DateValue::fromDate(now.date())) << "sample " << sample;
        EXPECT_EQ(stored[0].time, DateValue::fromTime(now.time())) << "sample " << sample;
        const auto newest = HistoryFiles::scalar(path, QStringLiteral("select max(w_date + w_time) from pv_data"));
        ASSERT_TRUE(newest.has_value());
        EXPECT_NEAR(newest->toDouble(), stored[0].date + stored[0].time, kHalfSecond) << "sample " << sample;
    }

    // A few pages back and all the way forward again, within one second.
    void pageAround(int sample)
    {
        ASSERT_EQ(window->playback().pageCount, 0);
        for (int page = 1; page <= kPagesBack; ++page) {
            window->chartPanel()->pageBack();
            ASSERT_EQ(window->playback().pageCount, page) << "sample " << sample;
            ASSERT_FALSE(window->playback().atOldest) << "page " << page << " refused at sample " << sample;
            const TrendBuffers& buffers = window->trendBuffers();
            ASSERT_EQ(buffers.loadedCount, TrendBuffers::kHistoryPage);
            ASSERT_TRUE(oldestFirst(buffers, 1, buffers.loadedCount, false))
                << "page " << page << " at sample " << sample;
        }
        for (int page = kPagesBack - 1; page >= 0; --page) {
            window->chartPanel()->pageForward();
            ASSERT_EQ(window->playback().pageCount, page) << "sample " << sample;
        }
        ASSERT_TRUE(window->liveRefreshRunning());
        const TrendBuffers& buffers = window->trendBuffers();
        ASSERT_TRUE(oldestFirst(buffers, 1, buffers.curveEnd, sample < TrendBuffers::kLiveWindow))
            << "live window after paging at sample " << sample;
    }
};

TEST_F(RingSoakTest, twoLapsOfTheRingKeepPointerPagesAndMemorySound)
{
    start();
    QElapsedTimer elapsed;
    elapsed.start();
    QDateTime firstStored;
    long warmResident = 0;

    for (int sample = 1; sample <= kSamples; ++sample) {
        runOneSecond(sample);
        ASSERT_EQ(recorder.recordNumber(), expectedRecord(sample));
        ASSERT_EQ(recorder.health().storedSamples(), sample) << "sample " << sample << " was not stored";
        const TrendBuffers& trend = window->trendBuffers();
        ASSERT_EQ(trend.trendValues[static_cast<size_t>(trend.curveEnd)][0], static_cast<float>(sample % 1000))
            << "the live refresh left sample " << sample << " behind";
        if (sample == 1)
            firstStored = clock.now();

        const int lapPosition = sample % HistoryTables::kRingSize;
        const bool atWrap = lapPosition == 0 || lapPosition == 1;
        if (sample % kPointerCheckEvery == 0 || atWrap) {
            ASSERT_NO_FATAL_FAILURE(expectPointerOnNewest(sample));
            const TrendBuffers& buffers = window->trendBuffers();
            ASSERT_TRUE(oldestFirst(buffers, 1, buffers.curveEnd, sample < TrendBuffers::kLiveWindow))
                << "live window at sample " << sample;
        }
        if (sample == kZoomChangeAt) {
            window->chartPanel()->zoomOut();
            window->chartPanel()->zoomOut();
            ASSERT_EQ(window->zoom().zoomLevel, 3);
        }
        if (sample % kPageAroundEvery == 0) {
            ASSERT_NO_FATAL_FAILURE(pageAround(sample));
        }
        if (sample == kWarmUpSamples)
            warmResident = residentBytes();
    }

    // The ring wrapped: record 1 now holds the first sample of the last lap.
    const auto first = HistoryFiles::rows(path, QStringLiteral("w_id=1"));
    ASSERT_EQ(first.size(), 1u);
    const int laps = (kSamples - 1) / HistoryTables::kRingSize;
    const QDateTime rewritten = firstStored.addSecs(static_cast<qint64>(laps) * HistoryTables::kRingSize);
    EXPECT_EQ(first[0].date, DateValue::fromDate(rewritten.date()));
    EXPECT_EQ(first[0].time, DateValue::fromTime(rewritten.time()));
    EXPECT_EQ(HistoryFiles::rowCount(path), HistoryTables::kRingSize);
    EXPECT_TRUE(window->playback().ringWrapped);

    const long endResident = residentBytes();
    ASSERT_GT(warmResident, 0);
    const long growth = endResident - warmResident;
    std::printf("soak: %d samples in %.1f s; resident %.2f MB after %d, %.2f MB at the end (%+ld KB)\n",
                kSamples, static_cast<double>(elapsed.elapsed()) / 1000.0,
                static_cast<double>(warmResident) / (1024.0 * 1024.0), kWarmUpSamples,
                static_cast<double>(endResident) / (1024.0 * 1024.0), growth / 1024);
    EXPECT_LT(growth, kMaxGrowthBytes);
}
