#pragma once

#include <cstdint>
#include <span>

#include <QString>

#include "core/ShownText.h"
#include "instrument/ParameterCatalogue.h"

// One register a parameter set holds: a configuration parameter, an alarm
// set point or the set value, with what the set needs to show, check and
// write it.
struct SetSlot {
    enum class Kind { Parameter, AlarmSetPoint, SetValue };

    Kind kind = Kind::Parameter;
    int number = 0;           // parameter 1..37, alarm set point 1..9, 0 for the set value
    int registerAddress = 0;  // 1-based holding register
    QString caption;          // as files keep it, in Chinese
    int scale = 1;            // 10 for a value the instrument keeps in tenths
    // The catalogue's row of a parameter; nullptr for the others.
    const ParameterCatalogue::Parameter* parameter = nullptr;

    bool isChoice() const { return parameter && parameter->isChoice(); }
};

namespace SetSlots {

// The 35 configuration parameters in catalogue order, the nine alarm set
// points, then the set value.
std::span<const SetSlot> all();

// The slot of a register; nullptr for one no set holds.
const SetSlot* ofRegister(int registerAddress);
const SetSlot* ofParameter(int number);
const SetSlot* ofAlarmSetPoint(int number);  // 1..9
const SetSlot& setValue();

// The caption in the interface language, for the operator to read; as a
// ShownText also in English, for the log.
QString shownCaption(const SetSlot& slot);
ShownText captionWords(const SetSlot& slot);

// The raw register value in the instrument's units: divided by the scale.
double unitValue(const SetSlot& slot, int16_t raw);
// As the parameter sheet, the probe and the configuration window show it:
// "52.3", "1.0", "1200".
QString numberText(const SetSlot& slot, int16_t raw);
// The list item of a choice's code, as the configuration window lists it;
// empty for a number or a code with no item.
QString choiceText(const SetSlot& slot, int16_t raw);
// The item for a choice, else the number.
QString valueText(const SetSlot& slot, int16_t raw);
// choiceText() and valueText() in the interface language, for the operator
// to read; the two above are what files and the journal keep.
QString shownChoiceText(const SetSlot& slot, int16_t raw);
QString shownValueText(const SetSlot& slot, int16_t raw);
ShownText valueWords(const SetSlot& slot, int16_t raw);

} // namespace SetSlots
