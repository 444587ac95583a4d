#pragma once

#include <cstdint>
#include <optional>

#include <QString>

#include "core/ShownText.h"

#include "paramset/ParameterSet.h"
#include "paramset/SetSlot.h"

// The refusal rules of a typed entry applied to a set's values, so that a
// value loaded from a file is held to what the operator could have typed.
// The problems are said in the interface's language and logged in English.
namespace SetCheck {

// Why the value (in the instrument's units) cannot go to the slot's
// register, or nothing when it can; raw receives the register value.
std::optional<ShownText> unitValueProblem(const SetSlot& slot, double value, int16_t& raw);

// Why a raw register value could not have been entered, or nothing.
std::optional<ShownText> rawProblem(const SetSlot& slot, int16_t raw);

// The first problem of a whole set: a parameter, an alarm set point or the
// set value missing, a register no set holds, a value the entry checks refuse.
std::optional<ShownText> setProblem(const ParameterSet& set);

} // namespace SetCheck
