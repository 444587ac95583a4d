#pragma once

#include <optional>

namespace tqsim {

struct PidSettings {
    double band = 20.0;            // engineering units for the full output span; 0 = on/off
    double integralTime = 120.0;   // s; 0 = no integral action
    double derivativeTime = 30.0;  // s
    double outputLow = 0.0;        // percent
    double outputHigh = 100.0;     // percent
    bool cooling = false;          // direct action: output rises with PV
    double onOffHysteresis = 1.0;  // engineering units, for band 0
};

// Positional PID in percent of output. The derivative acts on the
// measurement so that a change of set value gives no kick; integration
// stops while the output is pinned at a limit (anti-windup).
class Pid {
public:
    double update(const PidSettings& s, double sv, double pv, double dt);
    // Follows an output decided elsewhere (manual, fault, tuning) so that
    // the return to automatic starts from it without a bump.
    void track(const PidSettings& s, double sv, double pv, double output);
    double output() const { return output_; }

private:
    double integral_ = 0.0;        // percent
    std::optional<double> lastPv_;
    bool relayOn_ = false;
    double output_ = 0.0;
};

} // namespace tqsim
