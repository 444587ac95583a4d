#pragma once

#include <cstdint>

#include "archive/PeriodSample.h"
#include "history/SampleWriter.h"

// A ring sample as the archive keeps it. The ring's date value and time of
// day are the station's local time; the key is that moment in UTC, with the
// local offset of that moment. The recorder's hand-over and the back-fill
// both go through here, so the same record always gets the same key.
namespace RingMoment {

int64_t utcMs(double date, double time, int* utcOffset);
PeriodSample periodSample(const Sample& sample);

} // namespace RingMoment
