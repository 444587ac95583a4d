#include "trend/TrendBuffers.h"

void TrendBuffers::clear()
{
    for (int slot = 0; slot < kClearedSlots; ++slot) {
        trendDates[slot] = 0.0;
        trendTimes[slot] = 0.0;
        for (int ch = 0; ch < kClearedChannels; ++ch)
            trendValues[slot][ch] = 0.0f;
    }
}
