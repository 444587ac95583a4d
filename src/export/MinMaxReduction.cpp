#include "export/MinMaxReduction.h"

#include <algorithm>

MinMaxReduction::MinMaxReduction(int64_t fromUtcMs, int64_t toUtcMs, int columns)
    : from_(fromUtcMs)
    , to_(toUtcMs)
    , columns_(toUtcMs > fromUtcMs && columns > 0 ? static_cast<size_t>(columns) : 0)
{
}

int MinMaxReduction::columnOf(int64_t utcMs) const
{
    if (columns_.empty() || utcMs < from_ || utcMs >= to_)
        return -1;
    // A month in milliseconds times a few thousand columns fits in 64 bits.
    return static_cast<int>((utcMs - from_) * static_cast<int64_t>(columns_.size()) / (to_ - from_));
}

void MinMaxReduction::add(const PeriodSample& sample)
{
    const int index = columnOf(sample.utcMs);
    if (index < 0)
        return;
    Column& c = columns_[static_cast<size_t>(index)];
    const Point point{sample.utcMs, sample.pv, sample.sv, sample.op};
    if (c.count == 0) {
        c.pvMin = c.pvMax = sample.pv;
        c.svMin = c.svMax = sample.sv;
        c.opMin = c.opMax = sample.op;
        c.first = point;
    } else {
        c.pvMin = std::min(c.pvMin, sample.pv);
        c.pvMax = std::max(c.pvMax, sample.pv);
        c.svMin = std::min(c.svMin, sample.sv);
        c.svMax = std::max(c.svMax, sample.sv);
        c.opMin = std::min(c.opMin, sample.op);
        c.opMax = std::max(c.opMax, sample.op);
    }
    c.last = point;
    ++c.count;
}
