#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "paramset/ParameterSet.h"
#include "paramset/SetSlot.h"

// One register where a set and the instrument differ.
struct SetDifference {
    const SetSlot* slot = nullptr;
    int16_t fileRaw = 0;
    int16_t instrumentRaw = 0;

    QString caption() const { return slot->caption; }
    QString fileText() const { return SetSlots::valueText(*slot, fileRaw); }
    QString instrumentText() const { return SetSlots::valueText(*slot, instrumentRaw); }
    // The same three for the operator to read, in the interface language.
    QString shownCaption() const { return SetSlots::shownCaption(*slot); }
    QString shownFileText() const { return SetSlots::shownValueText(*slot, fileRaw); }
    QString shownInstrumentText() const { return SetSlots::shownValueText(*slot, instrumentRaw); }
};

// The registers of file whose value the instrument's set holds otherwise,
// in slot order. The set value counts only when both hold it.
std::vector<SetDifference> compareSets(const ParameterSet& file, const ParameterSet& instrument);
