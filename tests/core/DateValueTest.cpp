#include <QLocale>

#include <gtest/gtest.h>

#include "core/DateValue.h"

namespace {

TEST(DateValue, countsDaysFromTheEpoch)
{
    EXPECT_EQ(DateValue::fromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(DateValue::fromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(DateValue::fromDate(QDate(2001, 3, 12)), 36962.0);
    EXPECT_EQ(DateValue::fromDate(QDate(1899, 12, 29)), -1.0);
}

TEST(DateValue, timeOfDayIsAFractionToTheWholeSecond)
{
    EXPECT_DOUBLE_EQ(DateValue::fromTime(QTime(14, 5, 7)), 50707.0 / 86400.0);
    EXPECT_DOUBLE_EQ(DateValue::fromTime(QTime(14, 5, 7, 999)), 50707.0 / 86400.0);
    EXPECT_EQ(DateValue::fromTime(QTime(0, 0)), 0.0);
    EXPECT_DOUBLE_EQ(DateValue::fromTime(QTime(23, 59, 59)), 86399.0 / 86400.0);
}

TEST(DateValue, splitsIntoDateAndTimeParts)
{
    const double value = DateValue::fromDateTime(QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7)));
    EXPECT_EQ(DateValue::datePart(value), 36962.0);
    EXPECT_NEAR(DateValue::timePart(value), 50707.0 / 86400.0, 1e-9);
    EXPECT_EQ(DateValue::toDate(value), QDate(2001, 3, 12));
    EXPECT_EQ(DateValue::toTime(value), QTime(14, 5, 7));
    EXPECT_EQ(DateValue::toDateTime(value), QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7)));
}

TEST(DateValue, everySecondOfADayRoundTrips)
{
    for (int s = 0; s < 86400; ++s) {
        const QTime time = QTime(0, 0).addSecs(s);
        ASSERT_EQ(DateValue::toTime(DateValue::fromTime(time)), time) << s;
    }
}

TEST(DateValue, textShowsTheDatePartTheTimePartOrBothInIsoWhateverTheLocale)
{
    const QLocale before;
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Chinese, QLocale::China), QLocale::c()}) {
        QLocale::setDefault(locale);
        const double date = DateValue::fromDate(QDate(2001, 3, 12));
        const double time = DateValue::fromTime(QTime(14, 5, 7));
        EXPECT_EQ(DateValue::text(date), QStringLiteral("2001-03-12")) << locale.name().toStdString();
        EXPECT_EQ(DateValue::text(time), QStringLiteral("14:05:07"));
        EXPECT_EQ(DateValue::text(date + time), QStringLiteral("2001-03-12 14:05:07"));
    }
    QLocale::setDefault(before);
}

} // namespace
