#pragma once

#include <cstdint>
#include <optional>

#include <QDateTime>

#include "history/SampleWriter.h"

// A sample as the recorder hands it on: what the ring keeps, plus the
// alarm outputs and coils of that second, which the ring has no room for.
// A bit block without a fresh read is empty rather than stale.
struct RecordedSample {
    Sample sample;
    // The second the sample was taken, as the clock told it: unlike the
    // ring's local date and time it stays unambiguous in the hour repeated
    // when summer time ends. Invalid: only the ring's date and time are known.
    QDateTime takenAt;
    std::optional<uint16_t> alarmBits;  // discrete inputs 1..16, bit 0 = input 1
    std::optional<uint16_t> coilBits;
};
