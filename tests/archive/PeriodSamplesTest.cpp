#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "archive/PeriodSamples.h"
#include "support/PeriodFiles.h"

namespace {

QDateTime utc(int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC);
}

class PeriodSamplesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::vector<PeriodSample> readAll(const QDateTime& from, const QDateTime& to, bool withArchive = true)
    {
        std::vector<PeriodSample> got;
        const PeriodSamples samples(ringPath, withArchive ? archive : QString());
        outcome = samples.read(from, to, [&](const PeriodSample& s) {
            got.push_back(s);
            return true;
        });
        return got;
    }

    // Each sample one second after the one before: none missing, none twice.
    static void expectEverySecondOnce(const std::vector<PeriodSample>& got, const QDateTime& from)
    {
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i].utcMs, from.toMSecsSinceEpoch() + int64_t(i) * 1000) << "sample " << i;
    }

    QTemporaryDir dir;
    QString ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    QString archive = dir.filePath(QStringLiteral("archive"));
    PeriodSamples::Outcome outcome;
};

TEST_F(PeriodSamplesTest, aPeriodAcrossTheRingWrapAndAMonthBoundaryHasEverySampleOnceInOrder)
{
    // The ring from 22:50 to 23:05 wraps at 22:56:40; the archive starts at
    // 23:00 and runs into November.
    ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(10, 31, 22, 50), 901, 65101));
    ASSERT_TRUE(PeriodFiles::writeArchive(archive, PeriodFiles::seconds(utc(10, 31, 23), 7200, 1000.0f)));
    ASSERT_TRUE(QFile::exists(archive + QStringLiteral("/2026-11.sqlite")));

    const std::vector<PeriodSample> got = readAll(utc(10, 31, 22, 55), utc(11, 1, 0, 30));

    EXPECT_TRUE(outcome.ringRead);
    EXPECT_TRUE(outcome.skipped.empty());
    ASSERT_EQ(got.size(), 5700u);
    EXPECT_EQ(outcome.samples, 5700);
    expectEverySecondOnce(got, utc(10, 31, 22, 55));
    // Ring records up to 23:00 (record 65401 at 22:55, 1 after 65500), the
    // archive's from then on.
    EXPECT_EQ(got[0].pv, 65401.0f);
    EXPECT_EQ(got[100].pv, 1.0f);
    EXPECT_FALSE(got[299].alarmBits.has_value());
    EXPECT_EQ(got[300].pv, 1000.0f);
    EXPECT_EQ(got[300].alarmBits, std::optional<uint16_t>(0));
    EXPECT_EQ(got.back().pv, 1000.0f + 5399.0f);
}

TEST_F(PeriodSamplesTest, theRingFillsWhatTheArchiveDoesNotHoldAndServesAloneWithoutOne)
{
    ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(12, 1, 9, 55), 2400, 1));
    // The archive was off from 10:10 to 10:20.
    auto before = PeriodFiles::seconds(utc(12, 1, 10), 600, 0.0f);
    const auto after = PeriodFiles::seconds(utc(12, 1, 10, 20), 600, 1200.0f);
    before.insert(before.end(), after.begin(), after.end());
    ASSERT_TRUE(PeriodFiles::writeArchive(archive, before));

    const std::vector<PeriodSample> merged = readAll(utc(12, 1, 10), utc(12, 1, 10, 30));
    ASSERT_EQ(merged.size(), 1800u);
    expectEverySecondOnce(merged, utc(12, 1, 10));
    EXPECT_TRUE(merged[599].alarmBits.has_value());
    EXPECT_FALSE(merged[600].alarmBits.has_value());
    EXPECT_EQ(merged[600].pv, 301.0f + 600.0f);  // record 901 is 10:10:00
    EXPECT_FALSE(merged[1199].alarmBits.has_value());
    EXPECT_EQ(merged[1200].pv, 1200.0f);

    const std::vector<PeriodSample> ringOnly = readAll(utc(12, 1, 10), utc(12, 1, 10, 30), false);
    ASSERT_EQ(ringOnly.size(), 1800u);
    expectEverySecondOnce(ringOnly, utc(12, 1, 10));
    EXPECT_EQ(ringOnly[0].pv, 301.0f);
}

TEST_F(PeriodSamplesTest, aDamagedMonthFileIsSkippedAndNamedAndTheRestRead)
{
    ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(12, 1, 0), 10, 1));
    ASSERT_TRUE(PeriodFiles::writeArchive(archive, PeriodFiles::seconds(utc(11, 1, 0), 60, 0.0f)));
    QFile damaged(archive + QStringLiteral("/2026-10.sqlite"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, 'x'));
    damaged.close();

    const std::vector<PeriodSample> got = readAll(utc(10, 31, 23), utc(11, 1, 1));

    ASSERT_EQ(outcome.skipped.size(), 1u);
    EXPECT_EQ(outcome.skipped[0].name, QStringLiteral("2026-10.sqlite"));
    EXPECT_FALSE(outcome.skipped[0].reason.isEmpty());
    ASSERT_EQ(got.size(), 60u);
    expectEverySecondOnce(got, utc(11, 1, 0));
}

TEST_F(PeriodSamplesTest, readingStopsWhenTheSinkSaysSo)
{
    ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(12, 1, 9), 600, 1));
    const PeriodSamples samples(ringPath, QString());
    int seen = 0;
    const PeriodSamples::Outcome stopped = samples.read(utc(12, 1, 9), utc(12, 1, 10), [&](const PeriodSample&) {
        return ++seen < 10;
    });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(seen, 10);
    EXPECT_EQ(stopped.samples, 9);
}

TEST_F(PeriodSamplesTest, aMissingOrForeignHistoryFileIsReportedWithItsPath)
{
    readAll(utc(12, 1, 9), utc(12, 1, 10));
    EXPECT_FALSE(outcome.ringRead);
    EXPECT_TRUE(outcome.error.contains(ringPath));

    QFile foreign(ringPath);
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a database at all, just text");
    foreign.close();
    readAll(utc(12, 1, 9), utc(12, 1, 10));
    EXPECT_FALSE(outcome.ringRead);
    EXPECT_FALSE(outcome.error.isEmpty());
}

TEST_F(PeriodSamplesTest, theOldestMomentHeldIsTheOlderOfTheRingsAndTheFirstReadableMonths)
{
    EXPECT_FALSE(PeriodSamples(ringPath, archive).oldestHeld());  // neither file there

    ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(12, 1, 9), 600, 65400));  // wrapped: record 1 is not the oldest
    EXPECT_EQ(PeriodSamples(ringPath, QString()).oldestHeld(), utc(12, 1, 9));
    EXPECT_EQ(PeriodSamples(ringPath, archive).oldestHeld(), utc(12, 1, 9));

    // A damaged older month is passed over, as reading passes it over.
    ASSERT_TRUE(PeriodFiles::writeArchive(archive, PeriodFiles::seconds(utc(11, 30, 23, 59), 120, 0.0f)));
    QFile damaged(archive + QStringLiteral("/2026-10.sqlite"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, 'x'));
    damaged.close();
    EXPECT_EQ(PeriodSamples(ringPath, archive).oldestHeld(), utc(11, 30, 23, 59));
}

TEST_F(PeriodSamplesTest, periodsThatCannotBeReadAreRefusedWithAReason)
{
    const QDateTime now = utc(12, 7, 12);
    EXPECT_FALSE(PeriodSamples::refusal(utc(12, 7, 9), utc(12, 7, 10), now));
    EXPECT_FALSE(PeriodSamples::refusal(utc(12, 7, 11), utc(12, 7, 13), now));  // ends in the future: fine
    EXPECT_TRUE(PeriodSamples::refusal(utc(12, 7, 10), utc(12, 7, 9), now).value_or(QString()).contains("start"));
    EXPECT_TRUE(PeriodSamples::refusal(utc(12, 7, 10), utc(12, 7, 10), now).has_value());
    EXPECT_TRUE(PeriodSamples::refusal(utc(12, 7, 13), utc(12, 7, 14), now).value_or(QString()).contains("future"));
    EXPECT_TRUE(PeriodSamples::refusal(QDateTime(), utc(12, 7, 10), now).has_value());
}

} // namespace
