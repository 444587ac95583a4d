#include <gtest/gtest.h>

#include "core/IsoTime.h"

namespace {

TEST(IsoTime, aTimeWithoutOffsetIsLocalAndOneWithAnOffsetOrZKeepsIt)
{
    const auto local = IsoTime::parse(QStringLiteral("2026-11-01T00:10:00"));
    ASSERT_TRUE(local);
    EXPECT_EQ(local->timeSpec(), Qt::LocalTime);
    EXPECT_EQ(*local, QDateTime(QDate(2026, 11, 1), QTime(0, 10)));

    const auto offset = IsoTime::parse(QStringLiteral("2026-11-01T00:10:00+01:00"));
    ASSERT_TRUE(offset);
    EXPECT_EQ(offset->offsetFromUtc(), 3600);
    EXPECT_EQ(offset->toUTC(), QDateTime(QDate(2026, 10, 31), QTime(23, 10), Qt::UTC));

    const auto utc = IsoTime::parse(QStringLiteral("2026-11-01T00:10:00Z"));
    ASSERT_TRUE(utc);
    EXPECT_EQ(*utc, QDateTime(QDate(2026, 11, 1), QTime(0, 10), Qt::UTC));
}

TEST(IsoTime, takesMillisecondsADateAloneAndSurroundingSpaces)
{
    EXPECT_EQ(IsoTime::parse(QStringLiteral("2026-11-01T00:10:00.250Z")),
              QDateTime(QDate(2026, 11, 1), QTime(0, 10, 0, 250), Qt::UTC));
    EXPECT_EQ(IsoTime::parse(QStringLiteral("2026-11-01")), QDateTime(QDate(2026, 11, 1), QTime(0, 0)));
    EXPECT_EQ(IsoTime::parse(QStringLiteral(" 2026-11-01T00:10:00Z ")),
              QDateTime(QDate(2026, 11, 1), QTime(0, 10), Qt::UTC));
}

TEST(IsoTime, refusesWhatIsNoTime)
{
    for (const char* text : {"", "yesterday", "2026-13-01T00:00:00", "2026-11-01T25:00:00", "01.11.2026 00:10",
                             "2026-11-01T00:10:00+25:00"})
        EXPECT_FALSE(IsoTime::parse(QString::fromUtf8(text))) << text;
}

TEST(IsoTime, anOptionThatIsNoTimeNamesTheOptionAndTheTextAndLeavesTheTime)
{
    const QDateTime before(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    QDateTime time = before;
    QString error;
    EXPECT_FALSE(IsoTime::parseOption(QStringLiteral("from"), QStringLiteral("yesterday"), time, error));
    EXPECT_EQ(error, QStringLiteral("--from: not an ISO 8601 time: yesterday"));
    EXPECT_EQ(time, before);

    EXPECT_TRUE(IsoTime::parseOption(QStringLiteral("to"), QStringLiteral("2026-11-01T00:10:00Z"), time, error));
    EXPECT_EQ(time, QDateTime(QDate(2026, 11, 1), QTime(0, 10), Qt::UTC));
}

} // namespace
