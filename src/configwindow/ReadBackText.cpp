#include "configwindow/ReadBackText.h"

#include <cmath>

#include "core/NumberText.h"

namespace {

using ParameterCatalogue::Parameter;
using ParameterCatalogue::ValueForm;

QString numberOf(const Parameter& parameter, int16_t raw)
{
    return parameter.form == ValueForm::Tenths ? tenthsText(raw) : numberText(int32_t{raw});
}

bool isCode(int16_t raw, size_t listSize)
{
    return raw >= 0 && static_cast<size_t>(raw) < listSize;
}

} // namespace

int16_t registerValue(const Parameter& parameter, float value)
{
    const double scaled = parameter.form == ValueForm::Tenths ? static_cast<double>(value) * 10.0 : value;
    return static_cast<int16_t>(std::lround(scaled));
}

std::optional<QString> readBackText(const Parameter& parameter, int16_t raw)
{
    if (!parameter.isChoice())
        return numberOf(parameter, raw);
    // Anything the instrument holds outside the list names no item.
    if (!isCode(raw, parameter.names.size()))
        return std::nullopt;
    return ParameterCatalogue::shown(parameter.names[static_cast<size_t>(raw)]);
}

std::optional<QString> entryText(const Parameter& parameter, int16_t raw)
{
    if (!parameter.isChoice())
        return numberOf(parameter, raw);
    if (!isCode(raw, parameter.choices.size()))
        return std::nullopt;
    return ParameterCatalogue::shown(parameter.choices[static_cast<size_t>(raw)]);
}
