#include "export/PeriodStatistics.h"

#include <algorithm>
#include <cmath>

#include "instrument/RegisterMap.h"

PeriodStatisticsAccumulator::PeriodStatisticsAccumulator(int64_t fromUtcMs, int64_t toUtcMs, double band)
    : from_(fromUtcMs)
    , to_(toUtcMs)
    , band_(band)
{
}

void PeriodStatisticsAccumulator::add(const PeriodSample& sample)
{
    if (sample.utcMs < from_ || sample.utcMs >= to_)
        return;
    if (previous_) {
        const int64_t apart = sample.utcMs - previous_->utcMs;
        if (apart <= 0)
            return;
        if (apart > PeriodStatistics::kGapMs) {
            ++totals_.gaps;
            totals_.gapMs += apart - PeriodStatistics::kSampleMs;
            count(*previous_, PeriodStatistics::kSampleMs, totals_);
        } else {
            count(*previous_, apart, totals_);
        }
    }
    if (totals_.samples == 0) {
        totals_.pvMin = totals_.pvMax = sample.pv;
    } else {
        totals_.pvMin = std::min(totals_.pvMin, sample.pv);
        totals_.pvMax = std::max(totals_.pvMax, sample.pv);
    }
    ++totals_.samples;
    pvSum_ += sample.pv;
    previous_ = sample;
}

PeriodStatistics PeriodStatisticsAccumulator::result() const
{
    PeriodStatistics s = totals_;
    if (previous_)
        count(*previous_, std::min(PeriodStatistics::kSampleMs, to_ - previous_->utcMs), s);
    s.pvMean = s.samples > 0 ? pvSum_ / static_cast<double>(s.samples) : 0.0;
    return s;
}

void PeriodStatisticsAccumulator::count(const PeriodSample& sample, int64_t durationMs, PeriodStatistics& into) const
{
    into.coveredMs += durationMs;
    if (std::fabs(static_cast<double>(sample.pv) - static_cast<double>(sample.sv)) > band_)
        into.outsideBandMs += durationMs;
    if (!sample.alarmBits) {
        into.alarmUnknownMs += durationMs;
        return;
    }
    for (size_t k = 0; k < into.alarmMs.size(); ++k) {
        const int bit = RegisterMap::kAlarmOutput1 - 1 + static_cast<int>(k);
        if (*sample.alarmBits & (1u << bit))
            into.alarmMs[k] += durationMs;
    }
}
