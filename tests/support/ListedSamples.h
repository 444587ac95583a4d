#pragma once

#include <vector>

#include "export/PeriodSampleSource.h"

// A period's samples from a list in memory, oldest first; or a read that
// fails with the given reason.
class ListedSamples final : public PeriodSampleSource {
public:
    explicit ListedSamples(std::vector<PeriodSample> samples, QString failure = QString())
        : samples_(std::move(samples))
        , failure_(std::move(failure))
    {
    }

    bool read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString& error) override
    {
        if (!failure_.isEmpty()) {
            error = failure_;
            return false;
        }
        for (const PeriodSample& s : samples_)
            if (s.utcMs >= fromUtcMs && s.utcMs < toUtcMs)
                visit(s);
        return true;
    }

private:
    std::vector<PeriodSample> samples_;
    QString failure_;
};
