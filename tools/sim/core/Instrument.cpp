#include "Instrument.h"

#include <algorithm>
#include <cmath>

#include "instrument/RegisterMap.h"

namespace tqsim {

namespace {

// A long stall (suspended process, huge --speed) is not worth replaying.
constexpr double kMaxCatchUp = 3600.0;

} // namespace

Instrument::Instrument(RegisterImage& image, PlantModel model)
    : image_(image)
    , plant_(model)
    , filtered_(model.ambient)
{
}

void Instrument::advance(double seconds)
{
    pending_ = std::min(pending_ + std::max(0.0, seconds), kMaxCatchUp);
    while (pending_ + 1e-9 >= Plant::kStep) {
        step();
        pending_ -= Plant::kStep;
    }
}

PidSettings Instrument::pidSettings() const
{
    PidSettings s;
    s.band = image_.holding(RegisterMap::kProportionalBand);
    s.integralTime = image_.holding(RegisterMap::kIntegral);
    s.derivativeTime = image_.holding(RegisterMap::kDerivative);
    s.outputLow = image_.holding(RegisterMap::kOutputLow) / 10.0;
    s.outputHigh = image_.holding(RegisterMap::kOutputHigh) / 10.0;
    s.cooling = image_.holding(RegisterMap::kAction) == 1;
    s.onOffHysteresis = image_.holding(RegisterMap::kOnOffHysteresis);
    return s;
}

AlarmSettings Instrument::alarmSettings(int alarm) const
{
    const int base = RegisterMap::kAlarmSetPointBase + alarm * RegisterMap::kAlarmSetPointStride;
    return AlarmSettings{image_.holding(RegisterMap::kAlarmType1 + alarm), image_.holding(base),
                         image_.holding(base + 1), image_.holding(base + 2)};
}

double Instrument::filterMeasurement()
{
    const double tau = image_.holding(RegisterMap::kFilter) / 10.0;
    if (tau > 0.0)
        filtered_ += (1.0 - std::exp(-Plant::kStep / tau)) * (plant_.temperature() - filtered_);
    else
        filtered_ = plant_.temperature();
    return filtered_ + image_.holding(RegisterMap::kOffset);
}

int Instrument::reportedPv(double measured) const
{
    const int a = image_.holding(RegisterMap::kInputLower);
    const int b = image_.holding(RegisterMap::kInputUpper);
    const int lower = std::min(a, b);
    const int upper = std::max(a, b);
    // A broken sensor reads beyond the top of the range, a shorted one below
    // the bottom, far enough to be unmistakable on the station.
    const int margin = std::max(1, (upper - lower) / 10);
    if (image_.discrete(RegisterMap::kInputOpen))
        return toRegister(upper + margin);
    if (image_.discrete(RegisterMap::kInputShort))
        return toRegister(lower - margin);
    return toRegister(std::clamp(std::nearbyint(measured), double(lower), double(upper)));
}

void Instrument::decideOutput(double measured, int sv)
{
    const PidSettings s = pidSettings();
    const double low = std::min(s.outputLow, s.outputHigh);
    const double high = std::max(s.outputLow, s.outputHigh);
    const bool inputFault = image_.discrete(RegisterMap::kInputOpen) || image_.discrete(RegisterMap::kInputShort);
    const bool tuning = image_.coil(RegisterMap::kSelfTune);
    // With manual operation inhibited the loop stays in automatic whatever coil 2 says.
    const bool automatic = image_.coil(RegisterMap::kAutomatic) || !image_.coil(RegisterMap::kManualPermitted);

    if (inputFault) {
        if (image_.holding(RegisterMap::kFaultHandling) == 0)
            output_ = std::clamp<double>(image_.holding(RegisterMap::kFaultPreset), 0.0, 100.0);
        pid_.track(s, sv, measured, output_);
    } else if (tuning) {
        // Relay oscillation around SV, as a tuning run does; it ends by itself.
        const double e = s.cooling ? measured - sv : sv - measured;
        output_ = e > 0.0 ? high : low;
        pid_.track(s, sv, measured, output_);
        tuneElapsed_ += Plant::kStep;
        if (tuneElapsed_ + 1e-9 >= kSelfTuneSeconds)
            image_.setCoil(RegisterMap::kSelfTune, false);
    } else if (automatic) {
        output_ = pid_.update(s, sv, measured, Plant::kStep);
    } else {
        output_ = std::clamp(image_.holding(RegisterMap::kManualOutput) / 10.0, low, high);
        pid_.track(s, sv, measured, output_);
    }
    if (!tuning || inputFault)
        tuneElapsed_ = 0.0;
}

void Instrument::publish(int pv, int sv)
{
    image_.setInput(RegisterMap::kProcessValue, pv);
    image_.setInput(RegisterMap::kOutput, toRegister(output_ * 10.0));
    image_.setInput(RegisterMap::kWorkingSetValue, sv);
    image_.setInput(RegisterMap::kColdJunction, toRegister(plant_.model().ambient));
    image_.setInput(RegisterMap::kDeviation, toRegister(double(pv) - sv));
    for (int i = 0; i < 3; ++i) {
        image_.setInput(RegisterMap::kAlarmState1 + i, alarms_[static_cast<size_t>(i)].stateCode());
        image_.setDiscrete(RegisterMap::kAlarmOutput1 + i, alarms_[static_cast<size_t>(i)].active());
    }
}

void Instrument::step()
{
    // In cooling action the output drives a cooler instead of the heater.
    const bool cooling = image_.holding(RegisterMap::kAction) == 1;
    plant_.step(cooling ? -output_ : output_);

    const double measured = filterMeasurement();
    const int pv = reportedPv(measured);
    const int sv = image_.holding(RegisterMap::kSetValue);
    decideOutput(measured, sv);
    for (int i = 0; i < 3; ++i)
        alarms_[static_cast<size_t>(i)].update(alarmSettings(i), pv, sv, Plant::kStep);
    publish(pv, sv);
}

} // namespace tqsim
