#pragma once

#include <cstdint>
#include <optional>

// One sample of a period, as the archive (or, where it has none, the ring)
// holds it: what export and reports read.
struct PeriodSample {
    int64_t utcMs = 0;    // the moment, UTC milliseconds since 1970
    int utcOffset = 0;    // seconds east of UTC of the station's clock then
    float pv = 0.0f;
    float op = 0.0f;      // per cent
    float sv = 0.0f;
    std::optional<uint16_t> alarmBits;  // discrete inputs 1..16, bit 0 = input 1
    std::optional<uint16_t> coilBits;
    std::optional<int> address;

    bool operator==(const PeriodSample&) const = default;
};
