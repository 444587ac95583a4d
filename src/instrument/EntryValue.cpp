#include "instrument/EntryValue.h"

#include <cmath>
#include <iterator>

#include "core/NumberText.h"
#include "core/NumericText.h"
#include "core/WholeNumber.h"

EntryValue entryValue(ParameterCatalogue::ValueForm form, QStringView text)
{
    if (text.trimmed().isEmpty())
        return {0, EntryProblem::Empty};
    const std::optional<double> number = leadingNumber(text);
    if (!number)
        return {0, EntryProblem::NotANumber};
    return entryValue(form, *number);
}

EntryValue entryValue(ParameterCatalogue::ValueForm form, double number)
{
    double scaled = number;
    if (form != ParameterCatalogue::ValueForm::Choice) {
        if (form == ParameterCatalogue::ValueForm::Tenths)
            scaled *= 10.0;
        // Entries are carried in single precision and rounded from there,
        // after the scaling: 0.15 in a tenths box is 1.5 and goes to 2.
        scaled = static_cast<double>(static_cast<float>(scaled));
    }
    // Registers are signed 16-bit: a wider value would arrive truncated.
    const std::optional<int16_t> value = toInt16(scaled);
    if (!value)
        return {0, EntryProblem::OutOfRange};
    return {*value, std::nullopt};
}

EntryValue entryValue(const ParameterCatalogue::Parameter& parameter, QStringView text)
{
    if (text.trimmed().isEmpty())
        return {0, EntryProblem::Empty};
    const std::optional<double> number = leadingNumber(text);
    if (!number)
        return {0, EntryProblem::NotANumber};
    return entryValue(parameter, *number);
}

EntryValue entryValue(const ParameterCatalogue::Parameter& parameter, double number)
{
    // Before the register's bounds: 99999 is refused for the parameter's
    // range, which the operator can act on.
    if (!parameter.admits(number))
        return {0, EntryProblem::OutsideParameterRange};
    const EntryValue entry = entryValue(parameter.form, number);
    if (!parameter.isChoice())
        return entry;
    // The register would take any number, but one outside the list or
    // between two codes names no item: 1.5 is not rounded into one.
    const bool isCode = entry.writable() && number == entry.value && entry.value >= 0
                        && entry.value < std::ssize(parameter.choices);
    if (!isCode)
        return {0, EntryProblem::NotAChoice};
    return entry;
}

ShownText problemWords(EntryProblem problem)
{
    switch (problem) {
    case EntryProblem::Empty: return ShownText("EntryValue", QT_TRANSLATE_NOOP("EntryValue", "没有输入数值"));
    case EntryProblem::NotANumber: return ShownText("EntryValue", QT_TRANSLATE_NOOP("EntryValue", "输入不是以数字开头"));
    case EntryProblem::OutOfRange:
        return ShownText("EntryValue", QT_TRANSLATE_NOOP("EntryValue", "数值超出寄存器范围 -32768～32767"));
    case EntryProblem::NotAChoice: return ShownText("EntryValue", QT_TRANSLATE_NOOP("EntryValue", "列表中没有这个代码"));
    case EntryProblem::OutsideParameterRange:
        return ShownText("EntryValue", QT_TRANSLATE_NOOP("EntryValue", "数值超出参数范围"));
    }
    return {};
}

namespace {

// As the help texts write the ends: a tenths value with its decimal.
QString rangeEnd(const ParameterCatalogue::Parameter& parameter, double end)
{
    if (parameter.form == ParameterCatalogue::ValueForm::Tenths)
        return tenthsText(static_cast<int32_t>(std::lround(end * 10.0)));
    return numberText(static_cast<float>(end));
}

} // namespace

ShownText problemWords(const ParameterCatalogue::Parameter& parameter, EntryProblem problem)
{
    if (problem != EntryProblem::OutsideParameterRange)
        return problemWords(problem);
    return ShownText("EntryValue", QT_TRANSLATE_NOOP("EntryValue", "数值须在 %1 到 %2 之间"))
        .arg(rangeEnd(parameter, parameter.low))
        .arg(rangeEnd(parameter, parameter.high));
}

QString problemText(const ParameterCatalogue::Parameter& parameter, EntryProblem problem)
{
    return problemWords(parameter, problem).shown();
}

QString problemText(EntryProblem problem)
{
    return problemWords(problem).shown();
}
