#include "mainwindow/PanelCaptions.h"

#include <array>

namespace PanelCaptions {

QString parameterCaption(int index)
{
    static const std::array<const char*, kParameterFields> kCaptions{
        "传感器类型",   "小数点位置",     "输入上限",       "输入下限",     "输入偏移修正",
        "数字滤波常数", "温度单位",       "NC",             "输出类型",     "输出线性类型",
        "输出作用类型", "比例带",         "积分时间",       "微分时间",     "输出控制周期",
        "位式控制回差", "输出上限",       "输出下限",       "输入异常预置值", "开路处理方法",
        "NC",           "报警1类型",      "报警2类型",      "报警3类型",    "通讯地址",
        "波特率",       "校验方式",       "通讯延迟",       "变送量程",     "变送参数选择",
        "变送上限",     "变送下限",       "加热制冷不感带", "制冷保护时间",
    };
    if (index < 0 || index >= kParameterFields)
        return QString();
    return QString::fromUtf8(kCaptions[static_cast<size_t>(index)]);
}

} // namespace PanelCaptions
