#pragma once

#include <QDateTime>

#include "core/DateValue.h"
#include "trend/TrendBuffers.h"

// Gives slots first..last the dates and times of samples one second apart
// from `start`, so they hold samples as a load leaves them; values stay.
inline void stampSlots(TrendBuffers& buffers, int first, int last,
                       const QDateTime& start = QDateTime(QDate(2001, 3, 12), QTime(14, 0, 0)))
{
    for (int slot = first; slot <= last; ++slot) {
        const QDateTime at = start.addSecs(slot - first);
        buffers.trendDates[static_cast<size_t>(slot)] = DateValue::fromDate(at.date());
        buffers.trendTimes[static_cast<size_t>(slot)] = DateValue::fromTime(at.time());
    }
}
