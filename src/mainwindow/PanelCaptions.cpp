#include "mainwindow/PanelCaptions.h"

#include <array>

#include <QCoreApplication>

namespace PanelCaptions {

QString parameterCaption(int index)
{
    static const std::array<const char*, kParameterFields> kCaptions{
        QT_TRANSLATE_NOOP("PanelCaptions", "传感器类型"),   QT_TRANSLATE_NOOP("PanelCaptions", "小数点位置"),     QT_TRANSLATE_NOOP("PanelCaptions", "输入上限"),       QT_TRANSLATE_NOOP("PanelCaptions", "输入下限"),     QT_TRANSLATE_NOOP("PanelCaptions", "输入偏移修正"),
        QT_TRANSLATE_NOOP("PanelCaptions", "数字滤波常数"), QT_TRANSLATE_NOOP("PanelCaptions", "温度单位"),       "NC",             QT_TRANSLATE_NOOP("PanelCaptions", "输出类型"),     QT_TRANSLATE_NOOP("PanelCaptions", "输出线性类型"),
        QT_TRANSLATE_NOOP("PanelCaptions", "输出作用类型"), QT_TRANSLATE_NOOP("PanelCaptions", "比例带"),         QT_TRANSLATE_NOOP("PanelCaptions", "积分时间"),       QT_TRANSLATE_NOOP("PanelCaptions", "微分时间"),     QT_TRANSLATE_NOOP("PanelCaptions", "输出控制周期"),
        QT_TRANSLATE_NOOP("PanelCaptions", "位式控制回差"), QT_TRANSLATE_NOOP("PanelCaptions", "输出上限"),       QT_TRANSLATE_NOOP("PanelCaptions", "输出下限"),       QT_TRANSLATE_NOOP("PanelCaptions", "输入异常预置值"), QT_TRANSLATE_NOOP("PanelCaptions", "开路处理方法"),
        "NC",           QT_TRANSLATE_NOOP("PanelCaptions", "报警1类型"),      QT_TRANSLATE_NOOP("PanelCaptions", "报警2类型"),      QT_TRANSLATE_NOOP("PanelCaptions", "报警3类型"),    QT_TRANSLATE_NOOP("PanelCaptions", "通讯地址"),
        QT_TRANSLATE_NOOP("PanelCaptions", "波特率"),       QT_TRANSLATE_NOOP("PanelCaptions", "校验方式"),       QT_TRANSLATE_NOOP("PanelCaptions", "通讯延迟"),       QT_TRANSLATE_NOOP("PanelCaptions", "变送量程"),     QT_TRANSLATE_NOOP("PanelCaptions", "变送参数选择"),
        QT_TRANSLATE_NOOP("PanelCaptions", "变送上限"),     QT_TRANSLATE_NOOP("PanelCaptions", "变送下限"),       QT_TRANSLATE_NOOP("PanelCaptions", "加热制冷不感带"), QT_TRANSLATE_NOOP("PanelCaptions", "制冷保护时间"),
    };
    if (index < 0 || index >= kParameterFields)
        return QString();
    return QCoreApplication::translate("PanelCaptions", kCaptions[static_cast<size_t>(index)]);
}

} // namespace PanelCaptions
