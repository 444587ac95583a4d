#include "Plant.h"

#include <algorithm>
#include <cmath>

namespace tqsim {

namespace {

double approach(double lag)
{
    return 1.0 - std::exp(-Plant::kStep / std::max(Plant::kStep, lag));
}

} // namespace

Plant::Plant(PlantModel model)
    : model_(model)
    , inTransit_(static_cast<size_t>(std::lround(std::max(0.0, model.deadTime) / kStep)), 0.0)
    , heater_(model.ambient)
    , vessel_(model.ambient)
    , heaterApproach_(approach(model.heaterLag))
    , vesselApproach_(approach(model.vesselLag))
{
}

void Plant::step(double drive)
{
    inTransit_.push_back(drive);
    const double arriving = inTransit_.front();
    inTransit_.pop_front();
    heater_ += heaterApproach_ * (model_.ambient + model_.gain * arriving - heater_);
    vessel_ += vesselApproach_ * (heater_ - vessel_);
}

} // namespace tqsim
