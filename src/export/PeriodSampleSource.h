#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "archive/PeriodSample.h"

// Where a period's samples come from: the archive's reader, or anything a
// test or benchmark makes up. Samples arrive one at a time in time order, so
// a month never has to be held in memory.
class PeriodSampleSource {
public:
    using Visit = std::function<void(const PeriodSample&)>;

    virtual ~PeriodSampleSource() = default;

    // Calls visit for every sample from fromUtcMs (inclusive) to toUtcMs
    // (exclusive), oldest first. False, with error set, when reading failed.
    virtual bool read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString& error) = 0;
};
