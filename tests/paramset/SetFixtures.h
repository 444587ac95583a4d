#pragma once

#include <QDateTime>

#include "paramset/ParameterSet.h"
#include "paramset/SetSlot.h"

// A complete set every entry check accepts: each register holds a value
// of its own (choices their highest code; a number its parameter's when
// that lies in its range, else its number), so a value that lands in the
// wrong register shows.
inline ParameterSet completeSet()
{
    ParameterSet set;
    set.address = 7;
    set.port = 2;
    set.device = QStringLiteral("/dev/ttyUSB1");
    set.timeRead = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53), Qt::OffsetFromUTC, 3600);
    set.stationVersion = QStringLiteral("9.8.7");
    for (const SetSlot& slot : SetSlots::all()) {
        auto raw = slot.isChoice() ? static_cast<int16_t>(slot.parameter->choices.size() - 1)
                                   : static_cast<int16_t>(slot.registerAddress % 1000 + slot.number);
        if (slot.parameter && !slot.parameter->admits(SetSlots::unitValue(slot, raw)))
            raw = static_cast<int16_t>(slot.number);
        set.values[slot.registerAddress] = raw;
    }
    return set;
}
