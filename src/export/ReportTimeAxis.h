#pragma once

#include <cstdint>
#include <vector>

#include <QString>

// Where the report's time axis is marked: at round local times its labels
// can name (10 s, 30 s, 1 min, 5 min, ... 1 h, ... whole days), the least
// step that leaves at most maxSteps between the period's ends, so no two
// labels read alike. Seconds are in the label when the step is under a
// minute.
struct TimeTick {
    int64_t utcMs = 0;
    QString label;  // date above time
};

// The ticks within [fromUtcMs, toUtcMs], oldest first, shown at utcOffset
// seconds east of UTC.
std::vector<TimeTick> reportTimeTicks(int64_t fromUtcMs, int64_t toUtcMs, int utcOffset, int maxSteps);
