#include "configwindow/ReadBackText.h"

#include "core/NumberText.h"

std::optional<QString> readBackText(const ParameterCatalogue::Parameter& parameter, float value)
{
    if (!parameter.isChoice())
        return numberText(value);
    // Exact equality: 2.5 is no code, nor is anything the poll made of a
    // register the instrument filled with a value outside the list.
    for (size_t code = 0; code < parameter.names.size(); ++code) {
        if (value == static_cast<float>(code))
            return ParameterCatalogue::shown(parameter.names[code]);
    }
    return std::nullopt;
}
