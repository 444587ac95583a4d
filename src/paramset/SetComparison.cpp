#include "paramset/SetComparison.h"

std::vector<SetDifference> compareSets(const ParameterSet& file, const ParameterSet& instrument)
{
    std::vector<SetDifference> differences;
    for (const SetSlot& slot : SetSlots::all()) {
        const std::optional<int16_t> wanted = file.value(slot.registerAddress);
        const std::optional<int16_t> held = instrument.value(slot.registerAddress);
        if (wanted && held && *wanted != *held)
            differences.push_back({&slot, *wanted, *held});
    }
    return differences;
}
