#include "paramset/SetCheck.h"

namespace SetCheck {

std::optional<QString> unitValueProblem(const SetSlot&, double, int16_t&) { return QStringLiteral("未实现"); }
std::optional<QString> rawProblem(const SetSlot&, int16_t) { return QStringLiteral("未实现"); }
std::optional<QString> setProblem(const ParameterSet&) { return QStringLiteral("未实现"); }

} // namespace SetCheck
