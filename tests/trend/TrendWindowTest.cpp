#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "trend/TrendWindow.h"

namespace {

struct WindowCase {
    int32_t windowEnd;
    int32_t windowSize;
    int32_t windowStart;
    const char* query;
};

void PrintTo(const WindowCase& c, std::ostream* os)
{
    *os << "windowEnd " << c.windowEnd << ", windowSize " << c.windowSize;
}

class WindowQuery : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowQuery, startAndQueryText)
{
    const WindowCase c = GetParam();
    EXPECT_EQ(TrendWindowMath::windowStart(c.windowEnd, c.windowSize), c.windowStart);
    EXPECT_EQ(TrendWindowMath::queryText(c.windowEnd, c.windowSize), QString::fromLatin1(c.query));
}

INSTANTIATE_TEST_SUITE_P(
    TrendWindow, WindowQuery,
    ::testing::Values(
        WindowCase{241, 241, 0, "select * from  pv_data where w_id  between 1 and 241 order by w_date,w_time"},
        WindowCase{100, 241, 65359, "select * from  pv_data where w_id not between 101 and 65359 order by w_date,w_time "},
        WindowCase{940, 321, 619, "select * from  pv_data where w_id  between 620 and 940 order by w_date,w_time"},
        WindowCase{321, 321, 0, "select * from  pv_data where w_id  between 1 and 321 order by w_date,w_time"},
        WindowCase{320, 321, 65499, "select * from  pv_data where w_id not between 321 and 65499 order by w_date,w_time "},
        WindowCase{0, 241, 65259, "select * from  pv_data where w_id not between 1 and 65259 order by w_date,w_time "},
        WindowCase{65500, 321, 65179, "select * from  pv_data where w_id  between 65180 and 65500 order by w_date,w_time"}),
    [](const auto& info) {
        return "end" + std::to_string(info.param.windowEnd) + "size" + std::to_string(info.param.windowSize);
    });

struct PageCase {
    int32_t latestId;
    int32_t page;
    int32_t end;
};

TEST(TrendWindow, pageEndCountsBackSixtyRecordsAPageAroundTheRing)
{
    const PageCase cases[] = {
        {1000, 1, 940}, {1000, 11, 340}, {1000, 12, 280}, {60, 1, 65500},
        {61, 1, 1},     {30, 2, 65410},  {0, 1, 65440},   {65500, 3, 65320},
    };
    for (const PageCase& c : cases)
        EXPECT_EQ(TrendWindowMath::pageEnd(c.latestId, c.page), c.end) << c.latestId << " page " << c.page;
}

} // namespace
