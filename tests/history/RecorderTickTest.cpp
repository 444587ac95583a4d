#include <optional>

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "core/DateValue.h"
#include "support/LogLines.h"
#include "support/RecorderFixture.h"
#include "support/WaitFor.h"
#include "support/StateFeed.h"

namespace {

using HistoryFiles::Row;

class RecorderTick : public RecorderFixture {};

TEST_F(RecorderTick, firstTickStoresAtOnceWithTheSampleDateAndTime)
{
    start();
    tick();
    const auto rows = HistoryFiles::rows(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, 1);
    // 14:05:07 on 12 March 2001.
    EXPECT_EQ(rows[0].date, 36962.0);
    EXPECT_EQ(rows[0].time, 50707.0 / 86400.0);
    EXPECT_NEAR(rows[0].time, 0.5868866, 1e-7);
    EXPECT_EQ(HistoryFiles::pointer(path), 1);
    EXPECT_EQ(recorder->recordNumber(), 1);
    EXPECT_EQ(recorder->secondsSinceLastSample(), 0.0);
}

TEST_F(RecorderTick, startRunsTheTickOnItsOwnTimerSeveralTimesASecond)
{
    recorder = std::make_unique<SampleRecorder>(instrument, clock, path);
    answer();
    QElapsedTimer sinceStart;
    sinceStart.start();
    recorder->start();
    EXPECT_TRUE(recorder->running());
    EXPECT_EQ(recorder->recordNumber(), 0);  // nothing is stored before the first tick
    ASSERT_TRUE(waitFor([&] { return recorder->recordNumber() == 1; }));
    // A timer may fire up to 5 % early.
    EXPECT_GE(sinceStart.elapsed(), SampleRecorder::kTickIntervalMs * 95 / 100);
    EXPECT_EQ(HistoryFiles::rowCount(path), 1);

    // The next clock second is stored at the next tick, not a second later.
    clock.advanceMs(1000);
    answer();
    sinceStart.restart();
    ASSERT_TRUE(waitFor([&] { return recorder->recordNumber() == 2; }));
    EXPECT_LT(sinceStart.elapsed(), 1000);
    recorder->stop();
    EXPECT_FALSE(recorder->running());
}

TEST_F(RecorderTick, ticksWithinOneClockSecondStoreOneSample)
{
    clock.set(QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7, 300)));
    start();
    tick();
    for (int i = 0; i < 6; ++i) {
        clock.advanceMs(100);
        tick();
    }
    EXPECT_EQ(HistoryFiles::rowCount(path), 1);  // still 14:05:07.900
    // The clock's second changed: stored, although only 0.7 s passed.
    clock.advanceMs(100);
    tick();
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
    tick();
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
}

TEST_F(RecorderTick, ringRunsUpTo65500AndThenOverwritesRecordOne)
{
    Row oldFirst;
    oldFirst.id = 1;
    oldFirst.date = 36900;
    oldFirst.values[0] = 111;
    createWithPointer(65499, {oldFirst});
    StateFeed::setMeasurement(instrument, 1, 425);
    start();

    tick();
    EXPECT_EQ(HistoryFiles::pointer(path), 65500);
    EXPECT_EQ(HistoryFiles::rows(path, QStringLiteral("w_id=65500")).size(), 1u);

    nextSecond();
    EXPECT_EQ(HistoryFiles::pointer(path), 1);
    const auto first = HistoryFiles::rows(path, QStringLiteral("w_id=1"));
    ASSERT_EQ(first.size(), 1u);  // overwritten in place, not added
    EXPECT_EQ(first[0].values[0], 425.0);
    EXPECT_EQ(first[0].date, 36962.0);
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
}

class PointerOutOfRing : public RecorderFixture, public ::testing::WithParamInterface<int32_t> {};

TEST_P(PointerOutOfRing, nextRecordIsOne)
{
    createWithPointer(GetParam());
    start();
    tick();
    EXPECT_EQ(HistoryFiles::pointer(path), 1);
    EXPECT_EQ(recorder->recordNumber(), 1);
}

INSTANTIATE_TEST_SUITE_P(RecorderTick, PointerOutOfRing,
                         ::testing::Values(65500, 65501, 100000, 2147483647, -1, -65500));

TEST_F(RecorderTick, clockSetBackAnHourStoresAtOnceAndGoesOnFromTheNewTime)
{
    start();
    tick();
    nextSecond();  // 14:05:08
    clock.set(QDateTime(QDate(2001, 3, 12), QTime(13, 5, 8)));
    EXPECT_EQ(recorder->secondsSinceLastSample(), 3600.0);
    tick();
    ASSERT_EQ(HistoryFiles::rowCount(path), 3);
    EXPECT_EQ(HistoryFiles::rows(path, QStringLiteral("w_id=3"))[0].time, (13 * 3600 + 5 * 60 + 8) / 86400.0);

    clock.advanceMs(500);
    tick();
    EXPECT_EQ(HistoryFiles::rowCount(path), 3);
    clock.advanceMs(500);
    tick();
    EXPECT_EQ(HistoryFiles::rowCount(path), 4);
}

TEST_F(RecorderTick, crossingMidnightStoresTheNewDateOneSecondLater)
{
    clock.set(QDateTime(QDate(2001, 3, 12), QTime(23, 59, 59)));
    start();
    tick();
    clock.set(QDateTime(QDate(2001, 3, 13), QTime(0, 0, 0)));
    EXPECT_EQ(recorder->secondsSinceLastSample(), 1.0);
    tick();
    const auto rows = HistoryFiles::rows(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].date, 36963.0);
    EXPECT_EQ(rows[1].time, 0.0);
}

TEST_F(RecorderTick, storesInputValuesByPositionAndColumns11And12HoldZero)
{
    // What the poll reads: PV, OP in per cent, SV, 3X 4, 3X 5, alarm types.
    const float polled[8] = {523.0f, 52.3f, 250.0f, -200.0f, 7.0f, 1.0f, 2.0f, 5.0f};
    for (int i = 0; i < 8; ++i)
        StateFeed::setMeasurement(instrument, i + 1, polled[i]);
    start();
    tick();
    const Row row = HistoryFiles::rows(path).at(0);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(static_cast<float>(row.values[i]), polled[i]) << "value column " << i;
    EXPECT_EQ(row.values[8], 0.0);
    EXPECT_EQ(row.values[9], 0.0);
    EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("select count(*) from pv_data where spare1 is null or spare2 is null"))
                  ->toInt(), 0);
}

TEST_F(RecorderTick, eachNewSecondsSampleIsAnnouncedOnce)
{
    start();
    QSignalSpy taken(recorder.get(), &SampleRecorder::sampleTaken);
    tick();
    EXPECT_EQ(taken.count(), 1);
    clock.advanceMs(300);
    tick();  // same second: nothing stored, nothing announced
    EXPECT_EQ(taken.count(), 1);
    clock.advanceMs(700);
    tick();
    EXPECT_EQ(taken.count(), 2);
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
}

TEST_F(RecorderTick, secondsTheInstrumentDidNotAnswerForGetNoSample)
{
    start();
    QSignalSpy taken(recorder.get(), &SampleRecorder::sampleTaken);
    recorder->tick();  // nothing read yet (the link closed, or no answer so far)
    clock.advanceMs(1000);
    recorder->tick();
    EXPECT_EQ(HistoryFiles::rowCount(path), 0);

    nextSecond();  // the first answer
    EXPECT_EQ(HistoryFiles::rowCount(path), 1);

    // Silent from here: the answer stays good for two poll cycles, then
    // the seconds have no sample, and the ring no record for them.
    clock.advanceMs(1000);
    recorder->tick();
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
    EXPECT_EQ(recorder->health().state(), RecorderHealth::State::Recording);
    QSignalSpy health(recorder.get(), &SampleRecorder::healthChanged);
    const QDateTime silentFrom = clock.now().addSecs(1);
    for (int i = 0; i < 5; ++i) {
        clock.advanceMs(1000);
        recorder->tick();
    }
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
    EXPECT_EQ(recorder->recordNumber(), 2);
    EXPECT_EQ(recorder->health().missedSeconds(), 0);  // the ring missed nothing: nothing was measured
    // The recorder light says so, once, from the first second without a sample.
    EXPECT_EQ(recorder->health().state(), RecorderHealth::State::Paused);
    EXPECT_EQ(recorder->health().pausedSince(), silentFrom);
    EXPECT_EQ(health.count(), 1);

    nextSecond();  // answers again
    EXPECT_EQ(HistoryFiles::rowCount(path), 3);
    EXPECT_EQ(HistoryFiles::pointer(path), 3);
    EXPECT_EQ(taken.count(), 3);
    EXPECT_EQ(recorder->health().state(), RecorderHealth::State::Recording);
    EXPECT_EQ(health.count(), 2);
}

TEST_F(RecorderTick, onlyAnInstrumentThatAnsweredAndFallsSilentIsLogged)
{
    const LogLines log("tq5800.history");
    start();
    for (int i = 0; i < 3; ++i) {  // the link closed, then open without an answer yet
        clock.advanceMs(1000);
        recorder->tick();
    }
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join(QLatin1Char('\n')).toStdString();
    nextSecond();  // the first answer
    nextSecond();
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join(QLatin1Char('\n')).toStdString();

    for (int i = 0; i < 4; ++i) {
        clock.advanceMs(1000);
        recorder->tick();
    }
    nextSecond();
    EXPECT_EQ(log.lines(), (QStringList{QStringLiteral("no sample while the instrument does not answer"),
                                        QStringLiteral("the instrument answers: samples resume")}));
}

TEST_F(RecorderTick, restartContinuesTheRingFromThePointer)
{
    start();
    tick();
    nextSecond();
    nextSecond();
    clock.advanceMs(1000);
    restart();
    tick();  // the reference time starts at 0 again: stores at once
    EXPECT_EQ(HistoryFiles::pointer(path), 4);
    EXPECT_EQ(HistoryFiles::rowCount(path), 4);
}

TEST_F(RecorderTick, existingFileIsRecordedIntoByPositionWithoutChangingItsLayoutOrJournal)
{
    ASSERT_TRUE(HistoryFiles::exec(path, HistoryFiles::otherFittingLayout()));
    const QString layoutQuery = QStringLiteral("select group_concat(sql, ';') from sqlite_master");
    const QString layoutBefore = HistoryFiles::scalar(path, layoutQuery)->toString();
    StateFeed::setMeasurement(instrument, 3, 250.0f);
    start();
    tick();
    recorder.reset();

    EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("select v2 from pv_data where w_id=6"))->toDouble(), 250.0);
    EXPECT_TRUE(HistoryFiles::scalar(path, QStringLiteral("select note from pv_data where w_id=6"))->isNull());
    EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("select b from sl_void"))->toInt(), 6);
    EXPECT_EQ(HistoryFiles::scalar(path, layoutQuery)->toString(), layoutBefore);
    EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("pragma journal_mode"))->toString(), QStringLiteral("delete"));
}

struct Elapsed {
    std::optional<QDateTime> lastSample;  // none: nothing recorded yet
    QDateTime now;
    double seconds;
};

TEST(SecondsSinceLastSample, wholeSecondsEitherWayFromTheLastSample)
{
    const QDateTime t(QDate(2001, 3, 12), QTime(14, 5, 7));
    const Elapsed cases[] = {
        // Before the first sample the time counts from the date values' zero.
        {std::nullopt, QDateTime(QDate(1899, 12, 30), QTime(0, 0, 5)), 5.0},
        {t, QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7, 999)), 0.0},
        {t, QDateTime(QDate(2001, 3, 12), QTime(14, 5, 8)), 1.0},
        {t, QDateTime(QDate(2001, 3, 12), QTime(14, 5, 6)), 1.0},
        {t, QDateTime(QDate(2001, 3, 13), QTime(14, 5, 7)), 86400.0},
        {t, QDateTime(QDate(2001, 3, 12), QTime(13, 5, 7)), 3600.0},
    };
    for (const Elapsed& c : cases) {
        InstrumentState state;
        FakeClock clock(c.lastSample.value_or(c.now));
        SampleRecorder recorder(state, clock, QString());  // no file: the sample is only counted
        if (c.lastSample) {
            StateFeed::setMeasurement(state, RegisterMap::kProcessValue, 1, *c.lastSample);
            recorder.tick();
        }
        clock.set(c.now);
        EXPECT_EQ(recorder.secondsSinceLastSample(), c.seconds) << c.now.toString(Qt::ISODateWithMs).toStdString();
    }
}

} // namespace
