#include "paramset/DownloadPlan.h"

#include <algorithm>

#include "instrument/RegisterMap.h"

namespace {

// The order a download writes in, and why. The instrument checks and
// clamps each value against those it already holds, so what others are
// measured against goes first:
//   0  input type, decimal point and unit: they give every range and set
//      point its meaning, and a new input type resets the ranges;
//   1  the ranges (input and retransmission upper and lower limits);
//   2  the other configuration parameters;
//   3  the output limits and the alarm set points, which must lie within
//      the ranges just written;
//   4  the set value last: it is clamped to the range and output limits,
//      and the loop acts on it at once.
// Within a rank the catalogue's order holds.
int rank(const SetSlot& slot)
{
    using Kind = SetSlot::Kind;
    if (slot.kind == Kind::SetValue)
        return 4;
    if (slot.kind == Kind::AlarmSetPoint)
        return 3;
    switch (slot.registerAddress) {
    case RegisterMap::parameter(1):
    case RegisterMap::parameter(2):
    case RegisterMap::parameter(7):
        return 0;
    case RegisterMap::kInputUpper:
    case RegisterMap::kInputLower:
    case RegisterMap::parameter(31):
    case RegisterMap::parameter(32):
        return 1;
    case RegisterMap::kOutputHigh:
    case RegisterMap::kOutputLow:
        return 3;
    default:
        return 2;
    }
}

// The line this station talks over: a new address, baud rate or parity
// would leave the instrument deaf to it in the middle of the download.
bool isLinkSetting(const SetSlot& slot)
{
    return slot.registerAddress == RegisterMap::kCommAddress || slot.registerAddress == RegisterMap::kBaudCode
           || slot.registerAddress == RegisterMap::kParityCode;
}

} // namespace

DownloadPlan planDownload(const ParameterSet& file, const ParameterSet& instrument)
{
    DownloadPlan plan;
    for (const SetDifference& difference : compareSets(file, instrument))
        (isLinkSetting(*difference.slot) ? plan.kept : plan.writes).push_back(difference);
    std::stable_sort(plan.writes.begin(), plan.writes.end(), [](const SetDifference& a, const SetDifference& b) {
        return rank(*a.slot) < rank(*b.slot);
    });
    return plan;
}
