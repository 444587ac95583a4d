#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "export/PeriodStatistics.h"

namespace {

constexpr uint16_t kAlm1 = 1u << 0;
constexpr uint16_t kAlm2 = 1u << 1;
constexpr uint16_t kAlm3 = 1u << 2;

PeriodSample sample(int64_t utcMs, float pv, float sv, std::optional<uint16_t> alarms)
{
    PeriodSample s;
    s.utcMs = utcMs;
    s.pv = pv;
    s.sv = sv;
    s.alarmBits = alarms;
    return s;
}

PeriodStatistics statisticsOf(const std::vector<PeriodSample>& samples, int64_t from, int64_t to, double band)
{
    PeriodStatisticsAccumulator accumulator(from, to, band);
    for (const PeriodSample& s : samples)
        accumulator.add(s);
    return accumulator.result();
}

TEST(PeriodStatistics, countsEachSamplesTimeUntilTheNextWithGapsAndTheLastSecondCutAtThePeriodsEnd)
{
    const std::vector<PeriodSample> samples{
        sample(-1'000, 99, 0, kAlm1),      // before the period: left out
        sample(0, 10, 10, kAlm1),          // 1 s
        sample(1'000, 10, 10, kAlm1),      // 1 s
        sample(2'000, 10, 10, kAlm1),      // 4 s to the next: a gap, counts 1 s
        sample(6'000, 20, 10, std::nullopt),  // 1 s, alarms unknown, outside the band
        sample(7'000, 30, 10, kAlm2 | kAlm3), // 2.5 s to the next: no gap yet, outside
        sample(9'500, 12, 10, kAlm2),      // the last: to the period's end, 0.3 s
        sample(9'500, 50, 10, kAlm2),      // not later than the one before: left out
        sample(9'800, 70, 10, kAlm2),      // at the end: left out
    };
    const PeriodStatistics s = statisticsOf(samples, 0, 9'800, 5.0);
    EXPECT_EQ(s.samples, 6);
    EXPECT_EQ(s.pvMin, 10.0f);
    EXPECT_EQ(s.pvMax, 30.0f);
    EXPECT_DOUBLE_EQ(s.pvMean, (10 + 10 + 10 + 20 + 30 + 12) / 6.0);
    EXPECT_EQ(s.coveredMs, 1'000 + 1'000 + 1'000 + 1'000 + 2'500 + 300);
    EXPECT_EQ(s.gaps, 1);
    EXPECT_EQ(s.gapMs, 3'000);
    EXPECT_EQ(s.outsideBandMs, 1'000 + 2'500);
    EXPECT_EQ(s.alarmMs[0], 3'000);
    EXPECT_EQ(s.alarmMs[1], 2'500 + 300);
    EXPECT_EQ(s.alarmMs[2], 2'500);
    EXPECT_EQ(s.alarmUnknownMs, 1'000);
}

TEST(PeriodStatistics, aPeriodWithoutSamplesCoversNothing)
{
    const PeriodStatistics s = statisticsOf({}, 0, 60'000, 1.0);
    EXPECT_EQ(s.samples, 0);
    EXPECT_EQ(s.coveredMs, 0);
    EXPECT_EQ(s.gaps, 0);
}

// The reference looks at every second of the period on its own: which
// sample stands for it, and whether that sample reaches it.
TEST(PeriodStatistics, agreesWithASecondBySecondReferenceOnRandomData)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> step(1, 6);  // 1..2 s joined, 3 s and more a gap
    std::uniform_real_distribution<float> value(0.0f, 40.0f);
    std::uniform_int_distribution<int> bits(-1, 7);
    const int64_t end = 20'000 * 1'000;
    std::vector<PeriodSample> samples;
    for (int64_t t = 3'000; t < end; t += 1'000 * step(random)) {
        const int b = bits(random);
        samples.push_back(sample(t, value(random), 20.0f,
                                 b < 0 ? std::nullopt : std::optional<uint16_t>(static_cast<uint16_t>(b))));
    }
    const double band = 8.0;
    const PeriodStatistics s = statisticsOf(samples, 0, end, band);

    PeriodStatistics expected;
    size_t at = 0;  // the latest sample not after the second
    for (int64_t second = 0; second * 1'000 < end; ++second) {
        const int64_t t = second * 1'000;
        while (at + 1 < samples.size() && samples[at + 1].utcMs <= t)
            ++at;
        const PeriodSample& p = samples[at];
        if (p.utcMs > t)
            continue;  // before the first sample
        const bool joined = at + 1 < samples.size() && samples[at + 1].utcMs - p.utcMs <= 2'500;
        if (!(t == p.utcMs || joined)) {
            if (at + 1 < samples.size())
                expected.gapMs += 1'000;
            continue;
        }
        expected.coveredMs += 1'000;
        if (std::abs(p.pv - p.sv) > band)
            expected.outsideBandMs += 1'000;
        if (!p.alarmBits)
            expected.alarmUnknownMs += 1'000;
        else
            for (int k = 0; k < 3; ++k)
                if (*p.alarmBits & (1 << k))
                    expected.alarmMs[static_cast<size_t>(k)] += 1'000;
    }
    EXPECT_EQ(s.samples, static_cast<int64_t>(samples.size()));
    EXPECT_EQ(s.coveredMs, expected.coveredMs);
    EXPECT_EQ(s.gapMs, expected.gapMs);
    EXPECT_EQ(s.outsideBandMs, expected.outsideBandMs);
    EXPECT_EQ(s.alarmMs, expected.alarmMs);
    EXPECT_EQ(s.alarmUnknownMs, expected.alarmUnknownMs);
    double sum = 0.0;
    for (const PeriodSample& p : samples)
        sum += p.pv;
    EXPECT_NEAR(s.pvMean, sum / samples.size(), 1e-9);
    EXPECT_EQ(s.pvMax, std::max_element(samples.begin(), samples.end(), [](auto& a, auto& b) { return a.pv < b.pv; })->pv);
}

} // namespace
