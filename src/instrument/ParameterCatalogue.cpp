#include "instrument/ParameterCatalogue.h"

#include <algorithm>
#include <array>

#include <QCoreApplication>

#include "instrument/RegisterMap.h"

namespace ParameterCatalogue
{

namespace
{

using Text = std::string_view;

// Choice lists. Item texts are the instrument's own, trailing blanks and
// all; "8 WRe325(0-2300)" has a blank after its code, not a colon.
constexpr Text kSensorItems[] = {
    "0:K(-200-1300)",     "1:S(0-1700) ",         "2:R(0-1700) ",     "3:T(-200-400) ",      "4:E(0-1000) ",
    "5:J(0-1200) ",       "6:B(400-1800) ",       "7:N(0-1300) ",     "8 WRe325(0-2300)",    "9:WRe526(0-2300) ",
    "10:CU50(-50-150) ",  "11:PT100(-200～850) ", "12:0Ω80(0～80Ω)",  "13:0Ω400(0～400Ω) ",  "14:0M10(0～10MA) ",
    "15:0MA20(0～20MA) ", "16:4MA20(4-20MA) ",    "17:0MV20(0-20MV)", "18:0MV100(0-100MV) ", "19:0V1(0-1V) ",
    "20:0V2(0-2V) ",      "21:0V5(0-5V) ",        "22:1V5(1-5V)"};
constexpr Text kDecimalPointItems[] = {"0:XXXX ", "1:XXX.X ", "2:XX.XX ", "3:X.XXX "};
constexpr Text kUnitItems[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "0:摄氏度 "),
                               QT_TRANSLATE_NOOP("ParameterCatalogue", "1:华氏度 "),
                               QT_TRANSLATE_NOOP("ParameterCatalogue", "2:绝对温度K ")};
constexpr Text kOutputTypeItems[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "0:线性输出 "), QT_TRANSLATE_NOOP("ParameterCatalogue", "1:继电器 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "2:晶体管 "), QT_TRANSLATE_NOOP("ParameterCatalogue", "3:可控硅 ")};
constexpr Text kSignalRangeItems[] = {"0:4MA20 ", "1:0MA10 ", "2:0MA20 "};
constexpr Text kActionItems[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "0:加热反作用 "),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "1:制冷正作用 ")};
constexpr Text kFaultHandlingItems[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "0:转预置 "),
                                        QT_TRANSLATE_NOOP("ParameterCatalogue", "1:维持开路 ")};
constexpr Text kAlarmModeItems[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "0:禁止 "),   QT_TRANSLATE_NOOP("ParameterCatalogue", "1:上限 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "2:下限 "),   QT_TRANSLATE_NOOP("ParameterCatalogue", "3:上偏差 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "4:下偏差 "), QT_TRANSLATE_NOOP("ParameterCatalogue", "5:偏差带 ")};
// Alarm 3 can also drive the cooling relay.
constexpr Text kAlarm3ModeItems[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "0:禁止 "),         QT_TRANSLATE_NOOP("ParameterCatalogue", "1:上限 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "2:下限 "),         QT_TRANSLATE_NOOP("ParameterCatalogue", "3:上偏差 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "4:下偏差 "),       QT_TRANSLATE_NOOP("ParameterCatalogue", "5:偏差带 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "6:制冷继电器输出")};
constexpr Text kBaudItems[] = {"0:4800BPS ", "1:9600BPS ", "2:19200BPS "};
constexpr Text kParityItems[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "0:无校验 "),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "1:奇校验 "),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "2:偶校验 ")};
constexpr Text kRetransmitItems[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "0:变送测量值 "), QT_TRANSLATE_NOOP("ParameterCatalogue", "1:变送设定值 "),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "2:变送输出值 "), QT_TRANSLATE_NOOP("ParameterCatalogue", "3:变送偏差值")};
constexpr Text kEnableItems[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "0:禁止 "),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "1:允许 ")};

// Read-back names by code.
constexpr Text kSensorNames[] = {
    "K(-200-1300)",     "S(0-1700)",       "R(0-1700)",      "T(-200-400)",    "E(0-1000)",      "J(0-1200)",
    "B(400-1800)",      "N(0-1300)",       "WRe325(0-2300)", "WRe526(0-2300)", "CU50(-50-150)",  "PT100(-200～850)",
    "0Ω80(0～80Ω)",     "0Ω400(0～400Ω) ", "0M10(0～10MA)",  "0MA20(0～20MA)", "4MA20(4-20MA) ", "0MV20(0-20MV)",
    "0MV100(0-100MV) ", "0V1(0-1V) ",      "0V2(0-2V)",      "0V5(0-5V)",      "1V5(1-5V)"};
// The display pattern, 8 for a digit, as the instrument's own display shows it.
constexpr Text kDecimalPointNames[] = {"8888", "888.8", "88.88", "8.888"};
constexpr Text kUnitNames[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "摄氏度"),
                               QT_TRANSLATE_NOOP("ParameterCatalogue", "华氏度"),
                               QT_TRANSLATE_NOOP("ParameterCatalogue", "绝对温度")};
constexpr Text kOutputTypeNames[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "线性输出"), QT_TRANSLATE_NOOP("ParameterCatalogue", "继电器R"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "晶体管T"), QT_TRANSLATE_NOOP("ParameterCatalogue", "可控硅S")};
constexpr Text kSignalRangeNames[] = {"4MA20", "0MA10", "0MA20"};
constexpr Text kActionNames[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "加热-反作用"),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "制冷-正作用")};
constexpr Text kFaultHandlingNames[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "转预置"),
                                        QT_TRANSLATE_NOOP("ParameterCatalogue", "维持开路")};
constexpr Text kAlarmModeNames[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "禁止"),   QT_TRANSLATE_NOOP("ParameterCatalogue", "上限"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "下限"),   QT_TRANSLATE_NOOP("ParameterCatalogue", "上偏差"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "下偏差"), QT_TRANSLATE_NOOP("ParameterCatalogue", "偏差带")};
constexpr Text kAlarm3ModeNames[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "禁止"),          QT_TRANSLATE_NOOP("ParameterCatalogue", "上限"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "下限"),          QT_TRANSLATE_NOOP("ParameterCatalogue", "上偏差"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "下偏差"),        QT_TRANSLATE_NOOP("ParameterCatalogue", "偏差带"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "制冷继电器输出")};
constexpr Text kBaudNames[] = {"4800", "9600", "19200"};
constexpr Text kParityNames[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "无校验"),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "奇校验"),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "偶校验")};
constexpr Text kRetransmitNames[] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "变送测量值"), QT_TRANSLATE_NOOP("ParameterCatalogue", "变送设定值"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "变送输出值"), QT_TRANSLATE_NOOP("ParameterCatalogue", "变送偏差值")};
constexpr Text kEnableNames[] = {QT_TRANSLATE_NOOP("ParameterCatalogue", "禁止"),
                                 QT_TRANSLATE_NOOP("ParameterCatalogue", "允许")};

using enum Page;
using enum ValueForm;

constexpr Parameter choice(int n, Page page, Text caption, Text help, std::span<const Text> items,
                           std::span<const Text> names)
{
    return {n, RegisterMap::parameter(n), page, caption, Choice, help, items, names, 0, 0};
}

// Whether a number is entered in tenths is the register map's knowledge.
constexpr Parameter number(int n, Page page, Text caption, Text help, double low, double high)
{
    return {n,
            RegisterMap::parameter(n),
            page,
            caption,
            RegisterMap::parameterInTenths(n) ? ValueForm::Tenths : ValueForm::Integer,
            help,
            {},
            {},
            low,
            high};
}

// Help texts name the instrument's ranges and defaults, and every entry is
// held to the range: the instrument itself takes a value outside it.
// Parameters 14, 15 and 19 are whole register values although their help
// shows a decimal, so their ranges end at the last whole one.
constexpr Parameter kParameters[] = {
    choice(1, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "输入信号类型"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "23种工业传感器信号。默认值：0-K型热电偶"), kSensorItems,
           kSensorNames),
    choice(2, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "小数点位置"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-3， 0：0000 ，  1：000.0 ，  2：00.00 ，  3：0.000。默认值：0"),
           kDecimalPointItems, kDecimalPointNames),
    number(3, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "输入上限"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "-1999~ 9999。默认值：5000"), -1999, 9999),
    number(4, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "输入下限"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "-1999~ 9999。默认值：0"), -1999, 9999),
    number(5, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "平移修正"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "-500~ 500。默认值：0"), -500, 500),
    number(6, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "数字滤波"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0.1-100.0S。 数值越大响应越慢。默认值：1S"), 0.1, 100.0),
    choice(7, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "温度单位"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-摄氏度C，1-华氏度F， 2-绝对温度K。默认值：0"), kUnitItems,
           kUnitNames),
    choice(35, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "上电报警免除"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-禁止，1-允许 。默认值：0-禁止"), kEnableItems, kEnableNames),
    choice(36, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "上电缓启动"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-禁止，1-允许 。默认值：0-禁止"), kEnableItems, kEnableNames),
    // From 0, the factory's value, although the help begins at 1.
    number(37, Input, QT_TRANSLATE_NOOP("ParameterCatalogue", "上电缓启动时间"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "1-999S。 默认值：0S"), 0, 999),

    choice(9, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "输出类型"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0：线性输出，1-继电器，2-晶体管输出，3-可控硅.。默认值：0"),
           kOutputTypeItems, kOutputTypeNames),
    choice(10, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "线性信号量程"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0：4MA20,1:0MA10,2:0MA20。默认值：0"), kSignalRangeItems,
           kSignalRangeNames),
    choice(11, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "加热制冷方式"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0：加热反作用,1:制冷正作用。默认值：0"), kActionItems,
           kActionNames),
    number(12, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "比例带"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "工程量单位。 0-9999。 默认值：20"), 0, 9999),
    number(13, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "积分时间"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "秒。0-3600S。 默认值：120"), 0, 3600),
    number(14, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "微分时间"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "秒。 0-999.9S。默认值：30"), 0, 999),
    number(15, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "输出周期时间"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "秒。1.0-200.0S。 当输出为非线性模块时用。 默认值：2"), 1, 200),
    number(16, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "位式控制回差"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-2000LSB 。避免位式控制时动作频繁。默认值：1"), 0, 2000),
    number(17, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "输出上限幅"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0.0%-100.0%。 输出上限幅用途。 默认值：100.0"), 0.0, 100.0),
    number(18, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "输出下限幅"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0.0%-100.0%。 输出下限幅用途。默认值：0.0"), 0.0, 100.0),
    number(19, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "输入异常预置值"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0.0%-100.0%。 当输入异常时，输出预置值。默认值：0.0%"), 0, 100),
    choice(20, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "输入异常处理"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-转输出预置值，1-维持开路输出状态。默认值：0"),
           kFaultHandlingItems, kFaultHandlingNames),
    number(
        33, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "加热制冷不感带"),
        QT_TRANSLATE_NOOP("ParameterCatalogue", "1.0%-20.0%。 避免系统频繁启动加热制冷输出的不动作区。默认值：1.0%"), 1.0, 20.0),
    number(34, Output, QT_TRANSLATE_NOOP("ParameterCatalogue", "制冷延迟时间启动"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "1-600。 当制冷作用时，延迟制冷启动间隔，保护压缩机。默认值：600S"), 1, 600),

    choice(22, Alarms, QT_TRANSLATE_NOOP("ParameterCatalogue", "报警1方式"),
           QT_TRANSLATE_NOOP("ParameterCatalogue",
                             "0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带。默认值：0"),
           kAlarmModeItems, kAlarmModeNames),
    choice(23, Alarms, QT_TRANSLATE_NOOP("ParameterCatalogue", "报警2方式"),
           QT_TRANSLATE_NOOP("ParameterCatalogue",
                             "0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带。默认值：0"),
           kAlarmModeItems, kAlarmModeNames),
    choice(
        24, Alarms, QT_TRANSLATE_NOOP("ParameterCatalogue", "报警3方式"),
        QT_TRANSLATE_NOOP("ParameterCatalogue",
                          "0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带，6：制冷继电器输出 。默认值：0"),
        kAlarm3ModeItems, kAlarm3ModeNames),

    number(25, Communication, QT_TRANSLATE_NOOP("ParameterCatalogue", "通讯地址"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "1-247。默认值：1"), 1, 247),
    choice(26, Communication, QT_TRANSLATE_NOOP("ParameterCatalogue", "通讯波特率"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-4800，1-9600，2-19200 。Default=1"), kBaudItems, kBaudNames),
    choice(27, Communication, QT_TRANSLATE_NOOP("ParameterCatalogue", "校验方式"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-无校验，1-奇校验，2-偶校验，Default=0"), kParityItems,
           kParityNames),
    number(28, Communication, QT_TRANSLATE_NOOP("ParameterCatalogue", "通讯延迟时间"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-60MS。默认值：0"), 0, 60),

    choice(29, Retransmission, QT_TRANSLATE_NOOP("ParameterCatalogue", "变送信号类型"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "0-2，0：4MA20,1:0MA10,2:0MA20。默认值：0"), kSignalRangeItems,
           kSignalRangeNames),
    choice(30, Retransmission, QT_TRANSLATE_NOOP("ParameterCatalogue", "变送目标"),
           QT_TRANSLATE_NOOP("ParameterCatalogue",
                             "0-3，0：变送测量值，1-变送设定值，2-变送输出值，3-变送偏差值。默认：0"),
           kRetransmitItems, kRetransmitNames),
    number(31, Retransmission, QT_TRANSLATE_NOOP("ParameterCatalogue", "变送上限"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "-1999~ 9999。默认值：1000"), -1999, 9999),
    number(32, Retransmission, QT_TRANSLATE_NOOP("ParameterCatalogue", "变送下限"),
           QT_TRANSLATE_NOOP("ParameterCatalogue", "-1999~ 9999。默认值：0"), -1999, 9999),
};

constexpr Text kPageCaptions[kPageCount] = {
    QT_TRANSLATE_NOOP("ParameterCatalogue", "输入配置"), QT_TRANSLATE_NOOP("ParameterCatalogue", "输出配置"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "报警配置"), QT_TRANSLATE_NOOP("ParameterCatalogue", "通讯配置"),
    QT_TRANSLATE_NOOP("ParameterCatalogue", "变送配置")};

} // namespace

std::span<const Parameter> parameters()
{
    return kParameters;
}

const Parameter* find(int number)
{
    const auto* it = std::find_if(std::begin(kParameters), std::end(kParameters),
                                  [number](const Parameter& p) { return p.number == number; });
    return it == std::end(kParameters) ? nullptr : it;
}

QString pageCaption(Page page)
{
    return shown(kPageCaptions[static_cast<int>(page)]);
}

QString shown(std::string_view s)
{
    return shown(text(s));
}

QString shown(const QString& storedText)
{
    return QCoreApplication::translate("ParameterCatalogue", storedText.toUtf8().constData());
}

} // namespace ParameterCatalogue
