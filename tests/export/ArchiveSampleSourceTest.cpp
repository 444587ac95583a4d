#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "export/ArchiveSampleSource.h"
#include "support/PeriodFiles.h"

namespace {

QDateTime utc(int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 11, 1), QTime(hour, minute), Qt::UTC);
}

class ArchiveSampleSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(PeriodFiles::writeRing(ringPath, utc(8), 3600, 1));
    }

    QTemporaryDir dir;
    QString ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    PeriodSamples samples{ringPath, QString()};
};

TEST_F(ArchiveSampleSourceTest, visitsThePeriodsSamplesInOrderAndAsksForProgressOnTheWay)
{
    std::vector<int64_t> progressAt;
    ArchiveSampleSource source(samples, [&](int64_t utcMs) {
        progressAt.push_back(utcMs);
        return true;
    });
    std::vector<int64_t> visited;
    QString error;
    ASSERT_TRUE(source.read(utc(8, 10).toMSecsSinceEpoch(), utc(8, 20).toMSecsSinceEpoch(),
                            [&](const PeriodSample& s) { visited.push_back(s.utcMs); }, error))
        << error.toStdString();
    ASSERT_EQ(visited.size(), 600u);
    EXPECT_EQ(visited.front(), utc(8, 10).toMSecsSinceEpoch());
    EXPECT_TRUE(std::is_sorted(visited.begin(), visited.end()));
    EXPECT_EQ(source.samplesRead(), 600);
    ASSERT_FALSE(progressAt.empty());
    EXPECT_EQ(progressAt.front(), visited.front());
    EXPECT_FALSE(source.cancelled());
}

TEST_F(ArchiveSampleSourceTest, aProgressThatSaysNoStopsTheReadAsCancelled)
{
    ArchiveSampleSource source(samples, [](int64_t) { return false; });
    int visited = 0;
    QString error;
    EXPECT_FALSE(source.read(utc(8).toMSecsSinceEpoch(), utc(9).toMSecsSinceEpoch(),
                             [&](const PeriodSample&) { ++visited; }, error));
    EXPECT_TRUE(source.cancelled());
    EXPECT_EQ(visited, 0);
    EXPECT_FALSE(error.isEmpty());
}

TEST(ArchiveSampleSourceFailure, anUnreadableHistoryFileIsAFailureWithItsReason)
{
    QTemporaryDir dir;
    const PeriodSamples samples(dir.filePath(QStringLiteral("missing.sqlite")), QString());
    ArchiveSampleSource source(samples);
    QString error;
    EXPECT_FALSE(source.read(utc(8).toMSecsSinceEpoch(), utc(9).toMSecsSinceEpoch(), [](const PeriodSample&) {}, error));
    EXPECT_FALSE(source.cancelled());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
