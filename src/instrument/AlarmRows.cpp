#include "instrument/AlarmRows.h"

#include <array>

#include <QCoreApplication>

namespace AlarmRows {

QString caption(int row)
{
    if (row < 0 || row >= kRows)
        return QString();
    static const std::array<const char*, 3> kKinds{"设定值", "动作回差", "延迟时间"};
    return QStringLiteral("报警%1").arg(row / 3 + 1) + QString::fromUtf8(kKinds[static_cast<size_t>(row % 3)]);
}

const char* captionSource(int row)
{
    if (row < 0 || row >= kRows)
        return nullptr;
    static const std::array<const char*, 3> kCaptions{QT_TRANSLATE_NOOP("AlarmRows", "报警%1设定值"),
                                                      QT_TRANSLATE_NOOP("AlarmRows", "报警%1动作回差"),
                                                      QT_TRANSLATE_NOOP("AlarmRows", "报警%1延迟时间")};
    return kCaptions[static_cast<size_t>(row % 3)];
}

QString shownCaption(int row)
{
    if (row < 0 || row >= kRows)
        return QString();
    return QCoreApplication::translate("AlarmRows", captionSource(row)).arg(row / 3 + 1);
}

} // namespace AlarmRows
