#pragma once

#include <array>

#include "Alarm.h"
#include "Pid.h"
#include "Plant.h"
#include "RegisterImage.h"

namespace tqsim {

// The controller's behaviour on its register image: it measures the plant,
// runs the control loop from the parameter registers, evaluates the alarms
// and publishes the results in the input registers and discrete inputs.
// Plant time advances in fixed steps, so runs are repeatable.
class Instrument {
public:
    static constexpr double kSelfTuneSeconds = 20.0;

    explicit Instrument(RegisterImage& image, PlantModel model = {});

    // Runs `seconds` of plant time (fractions carry over to the next call).
    void advance(double seconds);

    double temperature() const { return plant_.temperature(); }
    double outputPercent() const { return output_; }

private:
    void step();
    PidSettings pidSettings() const;
    AlarmSettings alarmSettings(int alarm) const;
    double filterMeasurement();
    int reportedPv(double measured) const;
    void decideOutput(double measured, int sv);
    void publish(int pv, int sv);

    RegisterImage& image_;
    Plant plant_;
    Pid pid_;
    std::array<Alarm, 3> alarms_{Alarm(false), Alarm(false), Alarm(true)};
    double filtered_;
    double output_ = 0.0;       // percent
    double pending_ = 0.0;      // plant time not yet stepped, s
    double tuneElapsed_ = 0.0;  // s
};

} // namespace tqsim
