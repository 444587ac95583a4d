#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "archive/PeriodSample.h"

// What a period report says in numbers. Each sample stands for the time up
// to the next one; where the next lies further away than a gap (as on the
// chart), or after the last sample, it stands for one recording second.
struct PeriodStatistics {
    // Samples further apart than this have missing data between them; the
    // chart marks the same gaps.
    static constexpr int64_t kGapMs = 2500;
    static constexpr int64_t kSampleMs = 1000;

    int64_t samples = 0;
    float pvMin = 0.0f;  // meaningless without samples
    float pvMax = 0.0f;
    double pvMean = 0.0;  // of the samples, each counted once
    int64_t coveredMs = 0;
    int64_t gaps = 0;
    int64_t gapMs = 0;            // time inside the gaps
    int64_t outsideBandMs = 0;    // PV further than the band from SV
    std::array<int64_t, 3> alarmMs{};  // ALM1..ALM3 on
    int64_t alarmUnknownMs = 0;   // samples that carry no alarm bits
};

// Builds the statistics in one pass over a period's samples in time order.
class PeriodStatisticsAccumulator {
public:
    PeriodStatisticsAccumulator(int64_t fromUtcMs, int64_t toUtcMs, double band);

    // Samples outside the period, or not later than the one before, are left out.
    void add(const PeriodSample& sample);
    PeriodStatistics result() const;

private:
    void count(const PeriodSample& sample, int64_t durationMs, PeriodStatistics& into) const;

    int64_t from_;
    int64_t to_;
    double band_;
    double pvSum_ = 0.0;
    PeriodStatistics totals_;
    std::optional<PeriodSample> previous_;  // its time is not counted yet
};
