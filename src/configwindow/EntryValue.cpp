#include "configwindow/EntryValue.h"

#include "core/NumericText.h"
#include "core/WholeNumber.h"

EntryValue entryValue(ParameterCatalogue::ValueForm form, QStringView text)
{
    if (text.trimmed().isEmpty())
        return {0, EntryProblem::Empty};
    const std::optional<double> number = leadingNumber(text);
    if (!number)
        return {0, EntryProblem::NotANumber};

    double scaled = *number;
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

QString problemText(EntryProblem problem)
{
    switch (problem) {
    case EntryProblem::Empty: return QStringLiteral("没有输入数值");
    case EntryProblem::NotANumber: return QStringLiteral("输入不是以数字开头");
    case EntryProblem::OutOfRange: return QStringLiteral("数值超出寄存器范围 -32768～32767");
    }
    return {};
}
