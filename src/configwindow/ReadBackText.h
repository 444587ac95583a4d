#pragma once

#include <cstdint>
#include <optional>

#include <QString>

#include "instrument/ParameterCatalogue.h"

// The register value behind a parameter's value in the instrument's units
// as the poll gives it (tenths divided by ten): what a write of it would send.
int16_t registerValue(const ParameterCatalogue::Parameter& parameter, float value);

// What the current-value column shows for a parameter's register value: a
// number in its form (whole, or a tenths value always with its one decimal),
// a choice code as its name. Empty for a value that is no code of the list,
// so that the label keeps what it showed.
std::optional<QString> readBackText(const ParameterCatalogue::Parameter& parameter, int16_t raw);

// What the entry shows for it: the same number, so that value and entry
// read alike, or the list item of the code; empty for no code of the list.
std::optional<QString> entryText(const ParameterCatalogue::Parameter& parameter, int16_t raw);
