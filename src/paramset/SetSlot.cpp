#include "paramset/SetSlot.h"

#include <algorithm>
#include <vector>

#include <QCoreApplication>

#include "core/NumberText.h"
#include "instrument/AlarmRows.h"
#include "instrument/RegisterMap.h"

namespace SetSlots {

namespace {

constexpr const char* kSetValueCaption = QT_TRANSLATE_NOOP("SetSlots", "设定SV");

std::vector<SetSlot> buildSlots()
{
    std::vector<SetSlot> table;
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters()) {
        const int scale = p.form == ParameterCatalogue::ValueForm::Tenths ? 10 : 1;
        table.push_back({SetSlot::Kind::Parameter, p.number, p.registerAddress, ParameterCatalogue::text(p.caption),
                         scale, &p});
    }
    // Set points are kept and entered in raw register units.
    for (int row = 0; row < AlarmRows::kRows; ++row)
        table.push_back({SetSlot::Kind::AlarmSetPoint, row + 1, AlarmRows::registerOf(row), AlarmRows::caption(row), 1,
                         nullptr});
    const int svScale = RegisterMap::holdingInTenths(RegisterMap::kSetValue) ? 10 : 1;
    table.push_back({SetSlot::Kind::SetValue, 0, RegisterMap::kSetValue, QString::fromUtf8(kSetValueCaption), svScale, nullptr});
    return table;
}

const std::vector<SetSlot>& slotTable()
{
    static const std::vector<SetSlot> built = buildSlots();
    return built;
}

template <typename Match>
const SetSlot* findSlot(Match match)
{
    const auto& table = slotTable();
    const auto it = std::find_if(table.begin(), table.end(), match);
    return it == table.end() ? nullptr : &*it;
}

} // namespace

std::span<const SetSlot> all()
{
    return slotTable();
}

const SetSlot* ofRegister(int registerAddress)
{
    return findSlot([=](const SetSlot& s) { return s.registerAddress == registerAddress; });
}

const SetSlot* ofParameter(int number)
{
    return findSlot([=](const SetSlot& s) { return s.kind == SetSlot::Kind::Parameter && s.number == number; });
}

const SetSlot* ofAlarmSetPoint(int number)
{
    return findSlot([=](const SetSlot& s) { return s.kind == SetSlot::Kind::AlarmSetPoint && s.number == number; });
}

const SetSlot& setValue()
{
    return slotTable().back();
}

ShownText captionWords(const SetSlot& slot)
{
    switch (slot.kind) {
    case SetSlot::Kind::Parameter: return ShownText("ParameterCatalogue", slot.caption);
    case SetSlot::Kind::AlarmSetPoint:
        return ShownText("AlarmRows", AlarmRows::captionSource(slot.number - 1)).arg((slot.number - 1) / 3 + 1);
    case SetSlot::Kind::SetValue: return ShownText("SetSlots", kSetValueCaption);
    }
    return ShownText::verbatim(slot.caption);
}

QString shownCaption(const SetSlot& slot)
{
    return captionWords(slot).shown();
}

double unitValue(const SetSlot& slot, int16_t raw)
{
    return static_cast<double>(raw) / slot.scale;
}

QString numberText(const SetSlot& slot, int16_t raw)
{
    // A value kept in tenths shows its decimal even when it is zero, as the
    // configuration window's entry and current value do.
    if (slot.scale == 10)
        return tenthsText(raw);
    if (slot.scale == 1)
        return ::numberText(int32_t{raw});
    return ::numberText(static_cast<float>(unitValue(slot, raw)));
}

QString choiceText(const SetSlot& slot, int16_t raw)
{
    if (!slot.isChoice() || raw < 0 || raw >= std::ssize(slot.parameter->choices))
        return {};
    return ParameterCatalogue::text(slot.parameter->choices[static_cast<size_t>(raw)]);
}

QString valueText(const SetSlot& slot, int16_t raw)
{
    const QString item = choiceText(slot, raw);
    return item.isEmpty() ? numberText(slot, raw) : item.trimmed();
}

QString shownChoiceText(const SetSlot& slot, int16_t raw)
{
    const QString item = choiceText(slot, raw);
    return item.isEmpty() ? item : ParameterCatalogue::shown(item);
}

ShownText valueWords(const SetSlot& slot, int16_t raw)
{
    const QString item = choiceText(slot, raw);
    return item.isEmpty() ? ShownText::verbatim(numberText(slot, raw)) : ShownText("ParameterCatalogue", item).trimmed();
}

QString shownValueText(const SetSlot& slot, int16_t raw)
{
    const QString item = shownChoiceText(slot, raw);
    return item.isEmpty() ? numberText(slot, raw) : item.trimmed();
}

} // namespace SetSlots
