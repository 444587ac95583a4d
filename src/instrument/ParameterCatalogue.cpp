#include "instrument/ParameterCatalogue.h"

#include <algorithm>
#include <array>

#include "instrument/RegisterMap.h"

namespace ParameterCatalogue {

namespace {

using Text = std::u16string_view;

// Choice lists. Item texts are the instrument's own, trailing blanks and
// all; "8 WRe325(0-2300)" has a blank after its code, not a colon.
constexpr Text kSensorItems[] = {
    u"0:K(-200-1300)", u"1:S(0-1700) ", u"2:R(0-1700) ", u"3:T(-200-400) ", u"4:E(0-1000) ",
    u"5:J(0-1200) ", u"6:B(400-1800) ", u"7:N(0-1300) ", u"8 WRe325(0-2300)", u"9:WRe526(0-2300) ",
    u"10:CU50(-50-150) ", u"11:PT100(-200～850) ", u"12:0Ω80(0～80Ω)", u"13:0Ω400(0～400Ω) ",
    u"14:0M10(0～10MA) ", u"15:0MA20(0～20MA) ", u"16:4MA20(4-20MA) ", u"17:0MV20(0-20MV)",
    u"18:0MV100(0-100MV) ", u"19:0V1(0-1V) ", u"20:0V2(0-2V) ", u"21:0V5(0-5V) ", u"22:1V5(1-5V)"};
constexpr Text kDecimalPointItems[] = {u"0:XXXX ", u"1:XXX.X ", u"2:XX.XX ", u"3:X.XXX "};
constexpr Text kUnitItems[] = {u"0:摄氏度 ", u"1:华氏度 ", u"2:绝对温度K "};
constexpr Text kOutputTypeItems[] = {u"0:线性输出 ", u"1:继电器 ", u"2:晶体管 ", u"3:可控硅 "};
constexpr Text kSignalRangeItems[] = {u"0:4MA20 ", u"1:0MA10 ", u"2:0MA20 "};
constexpr Text kActionItems[] = {u"0:加热反作用 ", u"1:制冷正作用 "};
constexpr Text kFaultHandlingItems[] = {u"0:转预置 ", u"1:维持开路 "};
constexpr Text kAlarmModeItems[] = {u"0:禁止 ", u"1:上限 ", u"2:下限 ", u"3:上偏差 ", u"4:下偏差 ", u"5:偏差带 "};
// Alarm 3 can also drive the cooling relay.
constexpr Text kAlarm3ModeItems[] = {u"0:禁止 ", u"1:上限 ", u"2:下限 ", u"3:上偏差 ",
                                     u"4:下偏差 ", u"5:偏差带 ", u"6:制冷继电器输出"};
constexpr Text kBaudItems[] = {u"0:4800BPS ", u"1:9600BPS ", u"2:19200BPS "};
constexpr Text kParityItems[] = {u"0:无校验 ", u"1:奇校验 ", u"2:偶校验 "};
constexpr Text kRetransmitItems[] = {u"0:变送测量值 ", u"1:变送设定值 ", u"2:变送输出值 ", u"3:变送偏差值"};
constexpr Text kEnableItems[] = {u"0:禁止 ", u"1:允许 "};

// Read-back names by code.
constexpr Text kSensorNames[] = {
    u"K(-200-1300)", u"S(0-1700)", u"R(0-1700)", u"T(-200-400)", u"E(0-1000)", u"J(0-1200)",
    u"B(400-1800)", u"N(0-1300)", u"WRe325(0-2300)", u"WRe526(0-2300)", u"CU50(-50-150)",
    u"PT100(-200～850)", u"0Ω80(0～80Ω)", u"0Ω400(0～400Ω) ", u"0M10(0～10MA)", u"0MA20(0～20MA)",
    u"4MA20(4-20MA) ", u"0MV20(0-20MV)", u"0MV100(0-100MV) ", u"0V1(0-1V) ", u"0V2(0-2V)",
    u"0V5(0-5V)", u"1V5(1-5V)"};
// The display pattern, 8 for a digit, as the instrument's own display shows it.
constexpr Text kDecimalPointNames[] = {u"8888", u"888.8", u"88.88", u"8.888"};
constexpr Text kUnitNames[] = {u"摄氏度", u"华氏度", u"绝对温度"};
constexpr Text kOutputTypeNames[] = {u"线性输出", u"继电器R", u"晶体管T", u"可控硅S"};
constexpr Text kSignalRangeNames[] = {u"4MA20", u"0MA10", u"0MA20"};
constexpr Text kActionNames[] = {u"加热-反作用", u"制冷-正作用"};
constexpr Text kFaultHandlingNames[] = {u"转预置", u"维持开路"};
constexpr Text kAlarmModeNames[] = {u"禁止", u"上限", u"下限", u"上偏差", u"下偏差", u"偏差带"};
constexpr Text kAlarm3ModeNames[] = {u"禁止", u"上限", u"下限", u"上偏差", u"下偏差", u"偏差带", u"制冷继电器输出"};
constexpr Text kBaudNames[] = {u"4800", u"9600", u"19200"};
constexpr Text kParityNames[] = {u"无校验", u"奇校验", u"偶校验"};
constexpr Text kRetransmitNames[] = {u"变送测量值", u"变送设定值", u"变送输出值", u"变送偏差值"};
constexpr Text kEnableNames[] = {u"禁止", u"允许"};

using enum Page;
using enum ValueForm;

constexpr Parameter choice(int n, Page page, Text caption, Text help, std::span<const Text> items,
                           std::span<const Text> names)
{
    return {n, RegisterMap::parameter(n), page, caption, Choice, help, items, names};
}

// Whether a number is entered in tenths is the register map's knowledge.
constexpr Parameter number(int n, Page page, Text caption, Text help)
{
    return {n, RegisterMap::parameter(n), page, caption,
            RegisterMap::parameterInTenths(n) ? ValueForm::Tenths : ValueForm::Integer, help, {}, {}};
}

// Help texts name the instrument's ranges and defaults; the station shows
// them and leaves enforcing them to the instrument. Parameters 14, 15 and
// 19 are whole register values although their help shows a decimal.
constexpr Parameter kParameters[] = {
    choice(1, Input, u"输入信号类型", u"23种工业传感器信号。默认值：0-K型热电偶", kSensorItems, kSensorNames),
    choice(2, Input, u"小数点位置",
           u"0-3， 0：0000 ，  1：000.0 ，  2：00.00 ，  3：0.000。默认值：0", kDecimalPointItems, kDecimalPointNames),
    number(3, Input, u"输入上限", u"-1999~ 9999。默认值：5000"),
    number(4, Input, u"输入下限", u"-1999~ 9999。默认值：0"),
    number(5, Input, u"平移修正", u"-500~ 500。默认值：0"),
    number(6, Input, u"数字滤波", u"0.1-100.0S。 数值越大响应越慢。默认值：1S"),
    choice(7, Input, u"温度单位", u"0-摄氏度C，1-华氏度F， 2-绝对温度K。默认值：0", kUnitItems, kUnitNames),
    choice(35, Input, u"上电报警免除", u"0-禁止，1-允许 。默认值：0-禁止", kEnableItems, kEnableNames),
    choice(36, Input, u"上电缓启动", u"0-禁止，1-允许 。默认值：0-禁止", kEnableItems, kEnableNames),
    number(37, Input, u"上电缓启动时间", u"1-999S。 默认值：0S"),

    choice(9, Output, u"输出类型", u"0：线性输出，1-继电器，2-晶体管输出，3-可控硅.。默认值：0",
           kOutputTypeItems, kOutputTypeNames),
    choice(10, Output, u"线性信号量程", u"0：4MA20,1:0MA10,2:0MA20。默认值：0", kSignalRangeItems,
           kSignalRangeNames),
    choice(11, Output, u"加热制冷方式", u"0：加热反作用,1:制冷正作用。默认值：0", kActionItems, kActionNames),
    number(12, Output, u"比例带", u"工程量单位。 0-9999。 默认值：20"),
    number(13, Output, u"积分时间", u"秒。0-3600S。 默认值：120"),
    number(14, Output, u"微分时间", u"秒。 0-999.9S。默认值：30"),
    number(15, Output, u"输出周期时间", u"秒。1.0-200.0S。 当输出为非线性模块时用。 默认值：2"),
    number(16, Output, u"位式控制回差", u"0-2000LSB 。避免位式控制时动作频繁。默认值：1"),
    number(17, Output, u"输出上限幅", u"0.0%-100.0%。 输出上限幅用途。 默认值：100.0"),
    number(18, Output, u"输出下限幅", u"0.0%-100.0%。 输出下限幅用途。默认值：0.0"),
    number(19, Output, u"输入异常预置值", u"0.0%-100.0%。 当输入异常时，输出预置值。默认值：0.0%"),
    choice(20, Output, u"输入异常处理", u"0-转输出预置值，1-维持开路输出状态。默认值：0", kFaultHandlingItems,
           kFaultHandlingNames),
    number(33, Output, u"加热制冷不感带", u"1.0%-20.0%。 避免系统频繁启动加热制冷输出的不动作区。默认值：1.0%"),
    number(34, Output, u"制冷延迟时间启动", u"1-600。 当制冷作用时，延迟制冷启动间隔，保护压缩机。默认值：600S"),

    choice(22, Alarms, u"报警1方式",
           u"0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带。默认值：0", kAlarmModeItems, kAlarmModeNames),
    choice(23, Alarms, u"报警2方式",
           u"0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带。默认值：0", kAlarmModeItems, kAlarmModeNames),
    choice(24, Alarms, u"报警3方式",
           u"0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带，6：制冷继电器输出 。默认值：0",
           kAlarm3ModeItems, kAlarm3ModeNames),

    number(25, Communication, u"通讯地址", u"1-247。默认值：1"),
    choice(26, Communication, u"通讯波特率", u"0-4800，1-9600，2-19200 。Default=1", kBaudItems, kBaudNames),
    choice(27, Communication, u"校验方式", u"0-无校验，1-奇校验，2-偶校验，Default=0", kParityItems,
           kParityNames),
    number(28, Communication, u"通讯延迟时间", u"0-60MS。默认值：0"),

    choice(29, Retransmission, u"变送信号类型", u"0-2，0：4MA20,1:0MA10,2:0MA20。默认值：0", kSignalRangeItems,
           kSignalRangeNames),
    choice(30, Retransmission, u"变送目标",
           u"0-3，0：变送测量值，1-变送设定值，2-变送输出值，3-变送偏差值。默认：0", kRetransmitItems, kRetransmitNames),
    number(31, Retransmission, u"变送上限", u"-1999~ 9999。默认值：1000"),
    number(32, Retransmission, u"变送下限", u"-1999~ 9999。默认值：0"),
};

constexpr Text kPageCaptions[kPageCount] = {u"输入配置", u"输出配置", u"报警配置", u"通讯配置", u"变送配置"};

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
    return text(kPageCaptions[static_cast<int>(page)]);
}

} // namespace ParameterCatalogue
