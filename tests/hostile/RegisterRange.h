#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/FakeFieldbus.h"

// The register writes among `calls` whose value would not survive the trip
// to a signed 16-bit register, as readable text; empty when all fit.
inline std::string registerValuesOutOfRange(const std::vector<FakeFieldbus::Call>& calls)
{
    std::string found;
    for (const FakeFieldbus::Call& call : calls) {
        if (call.name != "writeRegister" || call.args.size() < 2)
            continue;
        const int value = call.args[1];
        if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
            found += "register " + std::to_string(call.args[0]) + " = " + std::to_string(value) + "; ";
    }
    return found;
}
