#include "archive/RingMoment.h"

#include <QDateTime>

#include "core/DateValue.h"

namespace RingMoment {

int64_t utcMs(double date, double time, int* utcOffset)
{
    const QDateTime local(DateValue::toDate(date), DateValue::toTime(time));
    *utcOffset = local.offsetFromUtc();
    return local.toMSecsSinceEpoch();
}

PeriodSample periodSample(const Sample& sample)
{
    PeriodSample out;
    out.utcMs = utcMs(sample.date, sample.time, &out.utcOffset);
    out.pv = sample.values[0];
    out.op = sample.values[1];
    out.sv = sample.values[2];
    return out;
}

} // namespace RingMoment
