#include "instrument/AlarmRows.h"

#include <array>

namespace AlarmRows {

QString caption(int row)
{
    if (row < 0 || row >= kRows)
        return QString();
    static const std::array<const char*, 3> kKinds{"设定值", "动作回差", "延迟时间"};
    return QStringLiteral("报警%1").arg(row / 3 + 1) + QString::fromUtf8(kKinds[static_cast<size_t>(row % 3)]);
}

} // namespace AlarmRows
