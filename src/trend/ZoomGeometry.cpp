#include "trend/ZoomGeometry.h"

void ZoomGeometry::apply()
{
    // Steps 150, 75, 50 and 37.5 are exact in single precision.
    static constexpr float kSteps[] = {150.0f, 75.0f, 50.0f, 37.5f};
    static constexpr int16_t kOffsets[] = {180, 120, 60, 0};
    if (zoomLevel < 1 || zoomLevel > 4)
        return;
    const int i = zoomLevel - 1;
    markStep = curveStep = kSteps[i];
    markOffset = curveOffset = kOffsets[i];
}
