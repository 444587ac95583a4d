#pragma once

#include <optional>

#include <QString>

#include "instrument/ParameterCatalogue.h"

// What the current-value column shows for a parameter the poll read: a
// number as number text, a choice code as its name. Empty for a value that
// is no code of the list, so that the label keeps what it showed.
std::optional<QString> readBackText(const ParameterCatalogue::Parameter& parameter, float value);
