#pragma once

#include <cstdint>

// The chart's horizontal geometry for the zoom level: how far apart two
// samples lie in chart units and which buffer slot sits at the left edge.
// The data area (x 0..9000) always ends at slot 240; a higher level shows
// more of the past. The marker pair (gap markers, time labels, ruler dates)
// and the curve pair (curves, ruler values) always hold equal values.
struct ZoomGeometry {
    int16_t zoomLevel = 1;  // 1..4
    float markStep = 150.0f;
    int16_t markOffset = 180;
    float curveStep = 150.0f;
    int16_t curveOffset = 180;

    // Sets both pairs from zoomLevel: step 9000 / (60 x level), offset
    // 240 - 60 x level. A level outside 1..4 changes nothing.
    void apply();
};
