#pragma once

#include <QDateTime>

#include "core/DateValue.h"
#include "history/SampleWriter.h"
#include "instrument/InstrumentState.h"
#include "instrument/RegisterMap.h"

// A sample as the recorder takes it: the state's measurements, stamped with
// the second `at`.
inline Sample takenSample(const InstrumentState& state, const QDateTime& at, int32_t recordNumber = 0)
{
    Sample sample;
    sample.recordNumber = recordNumber;
    sample.date = DateValue::fromDate(at.date());
    sample.time = DateValue::fromTime(at.time());
    for (size_t i = 0; i < sample.values.size(); ++i)
        sample.values[i] = state.measurement(RegisterMap::kInputBlockStart + static_cast<int>(i));
    return sample;
}

// The seconds of samples taken one after another: the clock's second, or
// the second after the last one when the clock has not moved on.
class SampleSeconds {
public:
    QDateTime next(const QDateTime& clockNow)
    {
        last_ = last_.isValid() && clockNow <= last_ ? last_.addSecs(1) : clockNow;
        return last_;
    }

private:
    QDateTime last_;
};
