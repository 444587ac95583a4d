#pragma once

#include <deque>

namespace tqsim {

// An electrically heated vessel: the heater element and the vessel's
// contents are two first-order lags in a row, behind a short dead time.
// The second lag matters: the catalogue's default PID terms (band 20,
// integral 120 s, derivative 30 s) then give a well-damped loop, where a
// single fast lag would make the 30 s derivative slam the output between
// its limits.
struct PlantModel {
    double gain = 2.0;            // kelvin of steady rise per percent of drive
    double heaterLag = 30.0;      // s
    double vesselLag = 60.0;      // s
    double deadTime = 4.0;        // s
    double ambient = 25.0;        // degrees
};

class Plant {
public:
    static constexpr double kStep = 0.1; // s of plant time per step

    explicit Plant(PlantModel model = {});

    // One step with `drive` percent of heating; a negative drive cools.
    void step(double drive);
    double temperature() const { return vessel_; }
    const PlantModel& model() const { return model_; }

private:
    PlantModel model_;
    std::deque<double> inTransit_; // drives still within the dead time
    double heater_;
    double vessel_;
    double heaterApproach_;        // share of the remaining distance covered per step
    double vesselApproach_;
};

} // namespace tqsim
