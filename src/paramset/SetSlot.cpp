#include "paramset/SetSlot.h"

namespace SetSlots {

std::span<const SetSlot> all() { return {}; }
const SetSlot* ofRegister(int) { return nullptr; }
const SetSlot* ofParameter(int) { return nullptr; }
const SetSlot* ofAlarmSetPoint(int) { return nullptr; }
const SetSlot& setValue() { static const SetSlot slot; return slot; }
double unitValue(const SetSlot& slot, int16_t raw) { return double(raw) / slot.scale; }
QString numberText(const SetSlot&, int16_t) { return {}; }
QString choiceText(const SetSlot&, int16_t) { return {}; }
QString valueText(const SetSlot&, int16_t) { return {}; }

} // namespace SetSlots
