#include "widgets/PanelStates.h"

#include <array>

namespace {

struct StateRow {
    const char* set;
    const char* clear;
};

// Discrete inputs 1..6 by index; the unused input 4 has no row.
constexpr std::array<StateRow, 6> kCurrentAlarms{{
    {QT_TRANSLATE_NOOP("PanelStates", "ALM1报警"), "ALM1 OFF"},
    {QT_TRANSLATE_NOOP("PanelStates", "ALM2报警"), "ALM2 OFF"},
    {QT_TRANSLATE_NOOP("PanelStates", "ALM3报警"), "ALM3 OFF"},
    {nullptr, nullptr},
    {QT_TRANSLATE_NOOP("PanelStates", "输入开路"), "NO BREAK"},
    {QT_TRANSLATE_NOOP("PanelStates", "输入短路"), "NO SHORT "},
}};

constexpr std::array<StateRow, PanelStates::kCoilCount> kCoils{{
    {QT_TRANSLATE_NOOP("PanelStates", "自整定开"), QT_TRANSLATE_NOOP("PanelStates", "自整定关")},
    {QT_TRANSLATE_NOOP("PanelStates", "自动"), QT_TRANSLATE_NOOP("PanelStates", "手动")},
    {QT_TRANSLATE_NOOP("PanelStates", "手动允许"), QT_TRANSLATE_NOOP("PanelStates", "手动禁止")},
}};

} // namespace

namespace PanelStates {

std::optional<StateLook> currentAlarmLook(int index, int32_t bit)
{
    if (index < 0 || index >= static_cast<int>(kCurrentAlarms.size()))
        return std::nullopt;
    const StateRow& row = kCurrentAlarms[static_cast<size_t>(index)];
    if (!row.set)
        return std::nullopt;
    if (bit != 0)
        return StateLook{QString::fromUtf8(row.set), PanelColours::kPink};
    return StateLook{QString::fromUtf8(row.clear), PanelColours::kCyan};
}

std::optional<StateLook> coilLook(int index, int32_t bit)
{
    if (index < 0 || index >= kCoilCount)
        return std::nullopt;
    const StateRow& row = kCoils[static_cast<size_t>(index)];
    if (bit != 0)
        return StateLook{QString::fromUtf8(row.set), PanelColours::kLightRed};
    return StateLook{QString::fromUtf8(row.clear), PanelColours::kLightYellow};
}

std::optional<QString> alarmTypeText(float value)
{
    static const std::array<QString, 6> kTexts{
        QStringLiteral("  "),         QString::fromUtf8(QT_TRANSLATE_NOOP("PanelStates", "上限报警")),   QString::fromUtf8(QT_TRANSLATE_NOOP("PanelStates", "下限报警")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("PanelStates", "上偏差报警")), QString::fromUtf8(QT_TRANSLATE_NOOP("PanelStates", "下偏差报警")), QString::fromUtf8(QT_TRANSLATE_NOOP("PanelStates", "偏差带报警")),
    };
    for (size_t code = 0; code < kTexts.size(); ++code) {
        if (value == static_cast<float>(code))
            return kTexts[code];
    }
    return std::nullopt;
}

} // namespace PanelStates
