#pragma once

namespace tqsim {

// Alarm types as the instrument numbers them.
enum AlarmType {
    kAlarmOff = 0,
    kAlarmHigh = 1,
    kAlarmLow = 2,
    kAlarmDeviationHigh = 3,
    kAlarmDeviationLow = 4,
    kAlarmDeviationBand = 5,
    kAlarmCoolingRelay = 6, // alarm 3 only
};

struct AlarmSettings {
    int type = kAlarmOff;
    int setValue = 0;     // absolute for high/low, a distance from SV for the others
    int hysteresis = 0;   // how far back the PV must go to clear
    int delaySeconds = 0; // how long the condition must last before the alarm trips
};

// One alarm output. It trips when its condition has held for the delay and
// clears at once when the PV has moved back by the hysteresis.
class Alarm {
public:
    explicit Alarm(bool coolingRelayAllowed = false);

    void update(const AlarmSettings& s, int pv, int sv, double dt);
    bool active() const { return active_; }
    // The type code while active, else 0: what the instrument reports.
    int stateCode() const { return active_ ? type_ : 0; }

private:
    bool coolingRelayAllowed_;
    int type_ = kAlarmOff;
    bool active_ = false;
    double pending_ = 0.0; // s the trip condition has lasted
};

} // namespace tqsim
