#include <set>

#include <QDateTime>

#include <gtest/gtest.h>

#include "export/ReportTimeAxis.h"

namespace {

constexpr int kBeijing = 8 * 3600;

int64_t at(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::OffsetFromUTC, kBeijing)
        .toMSecsSinceEpoch();
}

struct Case {
    const char* name;
    int64_t from;
    int64_t to;
    int64_t stepMs;
    const char* first;  // the first label
    size_t ticks;
};

TEST(ReportTimeAxis, ticksFallOnRoundLocalTimesWithDistinctLabelsWithinThePeriod)
{
    const Case cases[] = {
        // Five minutes once had labels 09:02, 09:02, 09:03, 09:03 at 37.5 s.
        {"five minutes", at(2026, 11, 2, 9, 3, 2), at(2026, 11, 2, 9, 8, 2), 60'000, "2026-11-02\n09:04", 5},
        {"one minute, seconds shown", at(2026, 11, 2, 9, 0, 5), at(2026, 11, 2, 9, 1, 5), 10'000,
         "2026-11-02\n09:00:10", 6},
        {"twenty seconds", at(2026, 11, 2, 9, 0, 0), at(2026, 11, 2, 9, 0, 20), 5'000, "2026-11-02\n09:00:00", 5},
        {"two hours, both ends marked", at(2026, 11, 2, 8, 0, 0), at(2026, 11, 2, 10, 0, 0), 1'800'000,
         "2026-11-02\n08:00", 5},
        {"three days, at local noon and midnight", at(2026, 11, 2, 8, 0, 0), at(2026, 11, 5, 8, 0, 0), 43'200'000,
         "2026-11-02\n12:00", 6},
        {"a month, on local Mondays", at(2026, 11, 1, 0, 0, 0), at(2026, 12, 1, 0, 0, 0), 7 * 86'400'000LL,
         "2026-11-02\n00:00", 5},
        {"a year, whole days past the table", at(2026, 1, 1, 0, 0, 0), at(2027, 1, 1, 0, 0, 0), 46 * 86'400'000LL,
         nullptr, 8},
    };
    for (const Case& c : cases) {
        const std::vector<TimeTick> ticks = reportTimeTicks(c.from, c.to, kBeijing, 8);
        ASSERT_EQ(ticks.size(), c.ticks) << c.name;
        if (c.first) {
            EXPECT_EQ(ticks.front().label, QString::fromUtf8(c.first)) << c.name;
        }
        std::set<QString> labels;
        for (size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_GE(ticks[i].utcMs, c.from) << c.name;
            EXPECT_LE(ticks[i].utcMs, c.to) << c.name;
            const int64_t weekStart = c.stepMs % (7 * 86'400'000LL) == 0 ? 4 * 86'400'000LL : 0;  // Monday
            EXPECT_EQ((ticks[i].utcMs + kBeijing * 1000LL - weekStart) % c.stepMs, 0) << c.name << " tick " << i;
            labels.insert(ticks[i].label);
        }
        EXPECT_EQ(labels.size(), ticks.size()) << c.name << ": a label repeats";
    }
    EXPECT_TRUE(reportTimeTicks(5, 5, 0, 8).empty());
}

} // namespace
