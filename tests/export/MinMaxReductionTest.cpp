#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "export/MinMaxReduction.h"

namespace {

PeriodSample sample(int64_t utcMs, float pv, float sv, float op)
{
    PeriodSample s;
    s.utcMs = utcMs;
    s.pv = pv;
    s.sv = sv;
    s.op = op;
    return s;
}

// Random samples, a second apart with now and then an outage of up to a few
// columns, so some columns stay empty; values with rare spikes.
std::vector<PeriodSample> randomSamples(int64_t from, int64_t to, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-50.0f, 150.0f);
    std::uniform_int_distribution<int> chance(0, 999);
    std::vector<PeriodSample> samples;
    for (int64_t t = from; t < to; t += 1000) {
        if (chance(random) == 0)
            t += 1000 * (chance(random) + 1);  // an outage
        if (t >= to)
            break;
        float pv = value(random);
        if (chance(random) < 3)
            pv = chance(random) % 2 ? 5000.0f : -5000.0f;  // a peak only one sample has
        samples.push_back(sample(t, pv, value(random), value(random) / 2.0f + 25.0f));
    }
    return samples;
}

TEST(MinMaxReduction, keepsEachColumnsExtremesFirstAndLastAsABruteForceScanFindsThem)
{
    const int64_t from = 1'700'000'000'000;
    const int64_t to = from + 6 * 3'600'000 + 777;  // columns of uneven length
    const int columns = 397;
    const std::vector<PeriodSample> samples = randomSamples(from, to, 20261207);

    MinMaxReduction reduction(from, to, columns);
    for (const PeriodSample& s : samples)
        reduction.add(s);
    ASSERT_EQ(reduction.columns().size(), static_cast<size_t>(columns));

    const int64_t span = to - from;
    int emptyColumns = 0;
    for (int c = 0; c < columns; ++c) {
        // Column c holds the moments t with c <= (t - from) / span * columns < c + 1.
        std::vector<PeriodSample> in;
        for (const PeriodSample& s : samples) {
            const int64_t scaled = (s.utcMs - from) * columns;
            if (scaled >= c * span && scaled < (c + 1) * span)
                in.push_back(s);
        }
        const MinMaxReduction::Column& got = reduction.columns()[static_cast<size_t>(c)];
        ASSERT_EQ(got.count, static_cast<int64_t>(in.size())) << "column " << c;
        if (in.empty()) {
            ++emptyColumns;
            continue;
        }
        const auto [pvMin, pvMax] = std::minmax_element(in.begin(), in.end(), [](auto& a, auto& b) { return a.pv < b.pv; });
        const auto [svMin, svMax] = std::minmax_element(in.begin(), in.end(), [](auto& a, auto& b) { return a.sv < b.sv; });
        const auto [opMin, opMax] = std::minmax_element(in.begin(), in.end(), [](auto& a, auto& b) { return a.op < b.op; });
        EXPECT_EQ(got.pvMin, pvMin->pv) << c;
        EXPECT_EQ(got.pvMax, pvMax->pv) << c;
        EXPECT_EQ(got.svMin, svMin->sv) << c;
        EXPECT_EQ(got.svMax, svMax->sv) << c;
        EXPECT_EQ(got.opMin, opMin->op) << c;
        EXPECT_EQ(got.opMax, opMax->op) << c;
        EXPECT_EQ(got.first.utcMs, in.front().utcMs) << c;
        EXPECT_EQ(got.first.pv, in.front().pv) << c;
        EXPECT_EQ(got.last.utcMs, in.back().utcMs) << c;
        EXPECT_EQ(got.last.op, in.back().op) << c;
    }
    EXPECT_GT(emptyColumns, 0) << "the data should leave some columns without samples";
}

TEST(MinMaxReduction, leavesOutSamplesOutsideThePeriodAndKeepsTheLastMomentInTheLastColumn)
{
    MinMaxReduction reduction(10'000, 20'000, 10);
    reduction.add(sample(9'999, 1, 1, 1));
    reduction.add(sample(10'000, 2, 2, 2));
    reduction.add(sample(19'999, 3, 3, 3));
    reduction.add(sample(20'000, 4, 4, 4));
    const auto& columns = reduction.columns();
    EXPECT_EQ(columns.front().count, 1);
    EXPECT_EQ(columns.front().pvMax, 2.0f);
    EXPECT_EQ(columns.back().count, 1);
    EXPECT_EQ(columns.back().pvMax, 3.0f);
    int64_t total = 0;
    for (const auto& c : columns)
        total += c.count;
    EXPECT_EQ(total, 2);
}

TEST(MinMaxReduction, anEmptyPeriodHasNoColumns)
{
    MinMaxReduction reduction(5'000, 5'000, 1600);
    reduction.add(sample(5'000, 1, 1, 1));
    EXPECT_TRUE(reduction.columns().empty());
    EXPECT_EQ(reduction.columnOf(5'000), -1);
}

} // namespace
