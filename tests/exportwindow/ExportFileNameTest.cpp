#include <gtest/gtest.h>

#include "exportwindow/ExportFileName.h"

namespace {

TEST(ExportFileName, namesThePeriodByItsDatesAndMinutesWithTheKindsSuffix)
{
    const QDateTime eight(QDate(2026, 12, 7), QTime(8, 0));
    EXPECT_EQ(ExportFileName::forPeriod(eight, eight.addSecs(7200), ExportKind::Csv),
              QStringLiteral("tq5800_2026-12-07_0800-1000.csv"));
    EXPECT_EQ(ExportFileName::forPeriod(eight, eight.addSecs(24 * 3600), ExportKind::Report),
              QStringLiteral("tq5800_2026-12-07_0800-2026-12-08_0800.pdf"));
}

TEST(ExportFileName, aChosenPathFollowsTheKindOnlyWhenItHasTheOtherKindsSuffix)
{
    EXPECT_EQ(ExportFileName::withSuffix(QStringLiteral("/tmp/a.csv"), ExportKind::Report), QStringLiteral("/tmp/a.pdf"));
    EXPECT_EQ(ExportFileName::withSuffix(QStringLiteral("/tmp/a.PDF"), ExportKind::Csv), QStringLiteral("/tmp/a.csv"));
    EXPECT_EQ(ExportFileName::withSuffix(QStringLiteral("/tmp/a.txt"), ExportKind::Csv), QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(ExportFileName::withSuffix(QString(), ExportKind::Report), QString());
}

} // namespace
