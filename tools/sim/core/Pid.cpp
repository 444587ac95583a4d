#include "Pid.h"

#include <algorithm>

namespace tqsim {

namespace {

double error(const PidSettings& s, double sv, double pv)
{
    return s.cooling ? pv - sv : sv - pv;
}

} // namespace

double Pid::update(const PidSettings& s, double sv, double pv, double dt)
{
    const double low = std::min(s.outputLow, s.outputHigh);
    const double high = std::max(s.outputLow, s.outputHigh);
    const double e = error(s, sv, pv);
    const double pvRate = (lastPv_ && dt > 0.0) ? (pv - *lastPv_) / dt : 0.0;
    lastPv_ = pv;

    if (s.band <= 0.0) {
        const double h = std::max(0.0, s.onOffHysteresis);
        if (e > h)
            relayOn_ = true;
        else if (e < -h)
            relayOn_ = false;
        output_ = relayOn_ ? high : low;
        return output_;
    }

    const double gain = 100.0 / s.band; // percent per engineering unit
    const double proportional = gain * e;
    const double errorRate = s.cooling ? pvRate : -pvRate;
    const double derivative = gain * s.derivativeTime * errorRate;
    if (s.integralTime > 0.0) {
        const double candidate = integral_ + gain * e * dt / s.integralTime;
        const double unlimited = proportional + candidate + derivative;
        const bool windingUp = (unlimited > high && e > 0.0) || (unlimited < low && e < 0.0);
        if (!windingUp)
            integral_ = candidate;
    }
    integral_ = std::clamp(integral_, low, high);
    output_ = std::clamp(proportional + integral_ + derivative, low, high);
    return output_;
}

void Pid::track(const PidSettings& s, double sv, double pv, double output)
{
    const double low = std::min(s.outputLow, s.outputHigh);
    const double high = std::max(s.outputLow, s.outputHigh);
    const double gain = s.band > 0.0 ? 100.0 / s.band : 0.0;
    integral_ = std::clamp(output - gain * error(s, sv, pv), low, high);
    lastPv_ = pv;
    relayOn_ = output > (low + high) / 2.0;
    output_ = output;
}

} // namespace tqsim
