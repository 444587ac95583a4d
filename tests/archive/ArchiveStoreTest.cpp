#include <ctime>

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "archive/ArchiveFolder.h"
#include "archive/ArchiveSchema.h"
#include "support/ArchiveFixture.h"
#include "support/WaitFor.h"

namespace {

class ArchiveStoreTest : public ArchiveFixture {};

QDateTime utc(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC).toLocalTime();
}

TEST_F(ArchiveStoreTest, ringAndArchiveHoldTheSameSamplesThroughARingWrapAndAMonthBoundary)
{
    clock.set(utc(2026, 1, 31, 23, 59, 40));
    startBoth();
    // The next records are the ring's last ones, then it starts again at 1.
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("update sl_void set newest=65490, newest_copy=65490")}));
    recordSeconds(45, 100);
    archive->stop();

    EXPECT_EQ(recorder->recordNumber(), 35);
    EXPECT_EQ(ring(), recorded);
    EXPECT_EQ(archived(), recorded);
    EXPECT_EQ(ArchiveFiles::monthFiles(folder),
              (QStringList{QStringLiteral("2026-01.sqlite"), QStringLiteral("2026-02.sqlite")}));
    // What the ring has no room for is archived with the sample.
    const auto samples = ArchiveFiles::samples(folder);
    const PeriodSample& odd = samples.rbegin()->second;  // value 144
    EXPECT_EQ(odd.alarmBits, uint16_t(0b10));
    EXPECT_EQ(odd.coilBits, uint16_t(0));
    EXPECT_EQ(std::next(samples.rbegin())->second.coilBits, uint16_t(1));
    EXPECT_EQ(odd.address, 7);
    EXPECT_EQ(odd.utcOffset, clock.now().offsetFromUtc());
    EXPECT_EQ(archive->health().state(), ArchiveHealth::State::Writing);
}

TEST_F(ArchiveStoreTest, samplesWaitInTheQueueUntilABatchIsFull)
{
    ArchiveSettings s = settings();
    s.batchSamples = 5;
    startBoth(s);
    recordSeconds(4, 1);
    EXPECT_TRUE(archived().empty());
    EXPECT_EQ(archive->queued(), 4);
    recordSeconds(1, 5);
    EXPECT_EQ(archived().size(), 5u);
    recordSeconds(2, 6);
    archive->stop();
    EXPECT_EQ(archived(), recorded);
}

TEST_F(ArchiveStoreTest, aClockSetBackKeepsTheFirstSampleOfARepeatedMomentAndCountsTheOthers)
{
    clock.set(QDateTime(QDate(2026, 5, 4), QTime(13, 0, 0)));
    startBoth();
    recordSeconds(10, 1);                                   // 13:00:01 .. 13:00:10
    clock.set(QDateTime(QDate(2026, 5, 4), QTime(14, 0, 0)));  // the instrument was silent meanwhile
    recordSeconds(5, 101);                                  // 14:00:01 .. 14:00:05
    const auto firstRun = recorded;
    clock.set(clock.now().addSecs(-3600));                  // back to 13:00:05
    QSignalSpy health(archive.get(), &ArchiveStore::healthChanged);
    recordSeconds(10, 201);                                 // 13:00:06 .. 13:00:15
    archive->stop();

    EXPECT_EQ(HistoryFiles::rowCount(path), 25);
    // 13:00:06 .. 13:00:10 were archived before: those stay, the five
    // repeated moments are counted, and the five new ones are archived.
    const auto kept = archived();
    ASSERT_EQ(kept.size(), 20u);
    for (const auto& [moment, pv] : firstRun)
        EXPECT_EQ(kept.at(moment), pv);
    EXPECT_EQ(kept.rbegin()->second, 105.0f);
    EXPECT_EQ(archive->health().repeatedSamples(), 5);
    EXPECT_GE(health.count(), 1);
}

// The process's local time zone for one test.
class LocalZone {
public:
    explicit LocalZone(const char* zone) : before_(qgetenv("TZ")), hadOne_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (hadOne_)
            qputenv("TZ", before_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray before_;
    bool hadOne_;
};

TEST_F(ArchiveStoreTest, theHourRepeatedWhenSummerTimeEndsIsArchivedWholeAtItsOwnMoments)
{
    const LocalZone berlin("Europe/Berlin");
    // Local 02:59:50 summer time; at 01:00 UTC the clocks go back to 02:00.
    const QDateTime start = QDateTime(QDate(2026, 10, 25), QTime(0, 59, 50), Qt::UTC).toLocalTime();
    if (start.offsetFromUtc() != 7200)
        GTEST_SKIP() << "no time zone data for Europe/Berlin";
    clock.set(start);
    startBoth();
    recordSeconds(20, 1);
    archive->stop();

    EXPECT_EQ(HistoryFiles::rowCount(path), 20);
    const auto samples = ArchiveFiles::samples(folder);
    ASSERT_EQ(samples.size(), 20u);
    int64_t expected = start.toMSecsSinceEpoch();
    float pv = 1.0f;
    for (const auto& [moment, sample] : samples) {
        expected += 1000;
        EXPECT_EQ(moment, expected);
        EXPECT_EQ(sample.pv, pv++);
        EXPECT_EQ(sample.utcOffset, moment < start.toMSecsSinceEpoch() + 10000 ? 7200 : 3600);
    }
    EXPECT_EQ(archive->health().repeatedSamples(), 0);
}

TEST_F(ArchiveStoreTest, startCopiesTheRingSamplesNewerThanTheArchivesNewest)
{
    clock.set(QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0)));
    startBoth();
    recordSeconds(20, 1);
    archive->stop();
    // The station stops archiving (killed, or run without it) and the ring
    // records on.
    archive.reset();
    recordSeconds(30, 21);
    ASSERT_EQ(archived().size(), 20u);

    startBoth();
    EXPECT_EQ(archived(), recorded);
    const auto samples = ArchiveFiles::samples(folder);
    EXPECT_EQ(samples.rbegin()->second.alarmBits, std::nullopt);
    EXPECT_EQ(samples.rbegin()->second.address, std::nullopt);
    EXPECT_EQ(samples.begin()->second.address, 7);
}

TEST_F(ArchiveStoreTest, aLongBackFillGoesInChunksBetweenTicksAndTheQueueWaitsForIt)
{
    clock.set(QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0)));
    start();
    recordSeconds(35, 1);
    ArchiveSettings s = settings();
    s.backFillChunk = 10;
    s.batchSamples = 1;
    startBoth(s);
    EXPECT_EQ(archived().size(), 10u);
    // A sample recorded meanwhile waits: the archive's newest moment stays
    // behind the part of the ring not yet copied.
    recordSeconds(1, 36);
    EXPECT_EQ(archived().size(), 20u);
    EXPECT_EQ(archive->queued(), 1);
    ASSERT_TRUE(waitFor([&] { return archive->queued() == 0; }));
    EXPECT_EQ(archived(), recorded);
    EXPECT_TRUE(ArchiveFiles::samples(folder).rbegin()->second.alarmBits.has_value());
}

TEST_F(ArchiveStoreTest, anUnwritableFolderIsReportedRetriedAndTheRingFillsWhatTheQueueDropped)
{
    clock.set(QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0)));
    // A file where the folder should be: nothing can be made there.
    ASSERT_TRUE(QFile(folder).open(QIODevice::WriteOnly));
    ArchiveSettings s = settings();
    s.batchSamples = 1;
    s.maxQueued = 5;
    s.backFillChunk = 3;
    archive = std::make_unique<ArchiveStore>(s, path, clock);
    QSignalSpy health(archive.get(), &ArchiveStore::healthChanged);
    archive->start();
    start();
    QObject::connect(recorder.get(), &SampleRecorder::sampleRecorded, archive.get(), &ArchiveStore::add);
    recordSeconds(12, 1);

    EXPECT_EQ(archive->health().state(), ArchiveHealth::State::Failing);
    EXPECT_TRUE(archive->health().reason().contains(folder));
    EXPECT_EQ(health.count(), 1);  // once per episode, however often retried
    EXPECT_TRUE(recorder->health().recording());
    EXPECT_EQ(archive->queued(), 5);
    EXPECT_EQ(archive->health().droppedSamples(), 7);

    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(waitFor([&] { return archive->health().writing(); }));
    EXPECT_EQ(health.count(), 2);
    EXPECT_EQ(archive->queued(), 0);
    const auto samples = ArchiveFiles::samples(folder);
    EXPECT_EQ(archived(), recorded);
    // The dropped seven came from the ring, the queued five with their bits.
    int withBits = 0;
    for (const auto& [moment, sample] : samples)
        withBits += sample.alarmBits.has_value() ? 1 : 0;
    EXPECT_EQ(withBits, 5);
    EXPECT_FALSE(samples.begin()->second.alarmBits.has_value());
}

TEST_F(ArchiveStoreTest, aMonthFileThatCannotBeWrittenIsReportedAndTheNextMonthsStillWait)
{
    clock.set(QDateTime(QDate(2026, 3, 10), QTime(8, 0, 0)));
    // Not a database: the month's file refuses every write.
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile garbage(QDir(folder).filePath(ArchiveSchema::monthFileName(clock.now())));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    ArchiveSettings s = settings();
    s.batchSamples = 1;
    startBoth(s);
    recordSeconds(3, 1);
    EXPECT_EQ(archive->health().state(), ArchiveHealth::State::Failing);
    EXPECT_EQ(archive->queued(), 3);

    ASSERT_TRUE(garbage.remove());
    ASSERT_TRUE(waitFor([&] { return archive->health().writing(); }));
    EXPECT_EQ(archived(), recorded);
}

TEST_F(ArchiveStoreTest, retentionRemovesWholeMonthsOlderThanTheSettingAndKeepsEverythingByDefault)
{
    clock.set(QDateTime(QDate(2026, 6, 15), QTime(8, 0, 0)));
    {
        ArchiveFolder seeded(folder, QStringLiteral("seed-"));
        for (int month = 1; month <= 6; ++month) {
            PeriodSample s;
            s.utcMs = QDateTime(QDate(2026, month, 10), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
            ASSERT_TRUE(seeded.write({s}).error.isEmpty());
        }
    }
    QFile other(QDir(folder).filePath(QStringLiteral("notes.sqlite")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    startBoth();
    archive.reset();
    EXPECT_EQ(ArchiveFiles::monthFiles(folder).size(), 7);

    ArchiveSettings s = settings();
    s.keepMonths = 2;
    startBoth(s);
    EXPECT_EQ(ArchiveFiles::monthFiles(folder),
              (QStringList{QStringLiteral("2026-04.sqlite"), QStringLiteral("2026-05.sqlite"),
                           QStringLiteral("2026-06.sqlite"), QStringLiteral("notes.sqlite")}));

    // A month passes: the next batch removes the oldest kept one.
    clock.set(QDateTime(QDate(2026, 7, 1), QTime(8, 0, 0)));
    recordSeconds(10, 1);
    EXPECT_EQ(ArchiveFiles::monthFiles(folder).first(), QStringLiteral("2026-05.sqlite"));
}

} // namespace
