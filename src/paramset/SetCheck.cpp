#include "paramset/SetCheck.h"

#include "core/EntryCheck.h"
#include "core/NumberText.h"
#include "instrument/EntryValue.h"

namespace {

ShownText words(const char* source)
{
    return ShownText("SetCheck", source);
}

} // namespace

namespace SetCheck {

std::optional<ShownText> unitValueProblem(const SetSlot& slot, double value, int16_t& raw)
{
    // A parameter as its configuration row takes it, a set point or the
    // set value as the main window's entry does.
    if (slot.parameter) {
        const EntryValue entry = entryValue(*slot.parameter, value);
        if (!entry.writable()) {
            return words(QT_TRANSLATE_NOOP("SetCheck", "%1：%2，%3"))
                .arg(SetSlots::captionWords(slot))
                .arg(QString::number(value, 'g', 15))
                .arg(problemWords(*slot.parameter, *entry.problem));
        }
        raw = static_cast<int16_t>(entry.value);
        return std::nullopt;
    }
    const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(value, slot.scale);
    if (!checked.value) {
        return words(QT_TRANSLATE_NOOP("SetCheck", "%1：数值须在 %2 到 %3 之间"))
            .arg(SetSlots::captionWords(slot))
            .arg(numberText(static_cast<float>(checked.refusal.low)))
            .arg(numberText(static_cast<float>(checked.refusal.high)));
    }
    raw = static_cast<int16_t>(*checked.value);
    return std::nullopt;
}

std::optional<ShownText> rawProblem(const SetSlot& slot, int16_t raw)
{
    int16_t entered = 0;
    if (auto problem = unitValueProblem(slot, SetSlots::unitValue(slot, raw), entered))
        return problem;
    return std::nullopt;
}

std::optional<ShownText> setProblem(const ParameterSet& set)
{
    if (set.model != ParameterSet::kModel)
        return words(QT_TRANSLATE_NOOP("SetCheck", "型号 %1 不是 %2")).arg(set.model).arg(ParameterSet::kModel);
    for (const auto& [registerAddress, raw] : set.values) {
        const SetSlot* slot = SetSlots::ofRegister(registerAddress);
        if (!slot)
            return words(QT_TRANSLATE_NOOP("SetCheck", "寄存器 %1 不属于参数组")).arg(registerAddress);
        if (auto problem = rawProblem(*slot, raw))
            return problem;
    }
    for (const SetSlot& slot : SetSlots::all()) {
        if (!set.has(slot.registerAddress))
            return words(QT_TRANSLATE_NOOP("SetCheck", "缺少参数：%1")).arg(SetSlots::captionWords(slot));
    }
    return std::nullopt;
}

} // namespace SetCheck
