#include "export/ReportTimeAxis.h"

#include <algorithm>
#include <array>

#include <QDateTime>

namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;

constexpr std::array<int64_t, 19> kSteps{
    1 * kSecond,  2 * kSecond,  5 * kSecond,  10 * kSecond, 30 * kSecond, kMinute,  2 * kMinute,
    5 * kMinute,  10 * kMinute, 30 * kMinute, kHour,        2 * kHour,    3 * kHour, 6 * kHour,
    12 * kHour,   kDay,         2 * kDay,     7 * kDay,     14 * kDay,
};

int64_t stepFor(int64_t span, int maxSteps)
{
    for (const int64_t step : kSteps)
        if (span <= step * maxSteps)
            return step;
    // Beyond the table: whole days.
    const int64_t perStep = (span + maxSteps - 1) / maxSteps;
    return (perStep + kDay - 1) / kDay * kDay;
}

// The first multiple of step at or after value (both may be negative).
int64_t roundUp(int64_t value, int64_t step)
{
    const int64_t rest = ((value % step) + step) % step;
    return rest == 0 ? value : value + step - rest;
}

} // namespace

std::vector<TimeTick> reportTimeTicks(int64_t fromUtcMs, int64_t toUtcMs, int utcOffset, int maxSteps)
{
    std::vector<TimeTick> ticks;
    if (toUtcMs <= fromUtcMs || maxSteps < 1)
        return ticks;
    const int64_t step = stepFor(toUtcMs - fromUtcMs, maxSteps);
    const QString format = step < kMinute ? QStringLiteral("yyyy-MM-dd\nHH:mm:ss") : QStringLiteral("yyyy-MM-dd\nHH:mm");
    // Round on the clock the labels show: the local time.
    const int64_t offsetMs = int64_t(utcOffset) * kSecond;
    // Weeks start on Monday, four days after the epoch's Thursday.
    const int64_t origin = step % (7 * kDay) == 0 ? 4 * kDay : 0;
    const int64_t first = roundUp(fromUtcMs + offsetMs - origin, step) + origin;
    for (int64_t local = first; local <= toUtcMs + offsetMs; local += step) {
        const QDateTime moment = QDateTime::fromMSecsSinceEpoch(local - offsetMs, Qt::OffsetFromUTC, utcOffset);
        ticks.push_back({local - offsetMs, moment.toString(format)});
    }
    return ticks;
}
