#include "Alarm.h"

#include <algorithm>
#include <cstdlib>

namespace tqsim {

namespace {

bool trips(int type, int pv, int deviation, int a)
{
    switch (type) {
    case kAlarmHigh:
        return pv >= a;
    case kAlarmLow:
        return pv <= a;
    case kAlarmDeviationHigh:
    case kAlarmCoolingRelay:
        return deviation >= a;
    case kAlarmDeviationLow:
        return deviation <= -a;
    case kAlarmDeviationBand:
        return std::abs(deviation) >= a;
    default:
        return false;
    }
}

bool clears(int type, int pv, int deviation, int a, int h)
{
    switch (type) {
    case kAlarmHigh:
        return pv < a - h;
    case kAlarmLow:
        return pv > a + h;
    case kAlarmDeviationHigh:
    case kAlarmCoolingRelay:
        return deviation < a - h;
    case kAlarmDeviationLow:
        return deviation > -a + h;
    case kAlarmDeviationBand:
        return std::abs(deviation) < a - h;
    default:
        return true;
    }
}

} // namespace

Alarm::Alarm(bool coolingRelayAllowed)
    : coolingRelayAllowed_(coolingRelayAllowed)
{
}

void Alarm::update(const AlarmSettings& s, int pv, int sv, double dt)
{
    int type = s.type;
    if (type < kAlarmOff || type > kAlarmCoolingRelay || (type == kAlarmCoolingRelay && !coolingRelayAllowed_))
        type = kAlarmOff;
    if (type != type_) {
        type_ = type;
        active_ = false;
        pending_ = 0.0;
    }
    const int deviation = pv - sv;
    const int h = std::max(0, s.hysteresis);
    if (active_) {
        if (clears(type_, pv, deviation, s.setValue, h)) {
            active_ = false;
            pending_ = 0.0;
        }
        return;
    }
    if (!trips(type_, pv, deviation, s.setValue)) {
        pending_ = 0.0;
        return;
    }
    pending_ += dt;
    // A small tolerance, so that ten steps of 0.1 s count as one second.
    if (pending_ + 1e-9 >= std::max(0, s.delaySeconds))
        active_ = true;
}

} // namespace tqsim
