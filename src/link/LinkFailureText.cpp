#include "link/LinkFailureText.h"

#include "link/LinkFailure.h"

namespace {

ShownText words(const char* source)
{
    return ShownText("LinkFailureText", source);
}

ShownText kindText(const LinkFailure& failure)
{
    using Kind = LinkFailure::Kind;
    switch (failure.kind) {
    case Kind::NoDevice: return words(QT_TRANSLATE_NOOP("LinkFailureText", "设备不存在"));
    case Kind::NoAccess: return words(QT_TRANSLATE_NOOP("LinkFailureText", "无权使用端口"));
    case Kind::OpenFailed: return words(QT_TRANSLATE_NOOP("LinkFailureText", "端口无法打开"));
    case Kind::NotOpen: return words(QT_TRANSLATE_NOOP("LinkFailureText", "端口 %1 未打开")).arg(failure.number);
    case Kind::BadSettings: return words(QT_TRANSLATE_NOOP("LinkFailureText", "通讯设置无效"));
    case Kind::NoAnswer: return words(QT_TRANSLATE_NOOP("LinkFailureText", "无应答"));
    case Kind::BadCrc: return words(QT_TRANSLATE_NOOP("LinkFailureText", "校验错误"));
    case Kind::WrongAnswer: return words(QT_TRANSLATE_NOOP("LinkFailureText", "应答不符"));
    case Kind::Refused: return words(QT_TRANSLATE_NOOP("LinkFailureText", "仪表拒绝（异常码 %1）")).arg(failure.number);
    case Kind::LineBusy: return words(QT_TRANSLATE_NOOP("LinkFailureText", "线路不停有数据"));
    case Kind::OutOfRange: return words(QT_TRANSLATE_NOOP("LinkFailureText", "地址或数值超出范围"));
    case Kind::Unknown: break;
    case Kind::Unstated: return words(QT_TRANSLATE_NOOP("LinkFailureText", "原因不明"));
    }
    return words(QT_TRANSLATE_NOOP("LinkFailureText", "通讯错误"));
}

} // namespace

ShownText linkFailureWords(const LinkFailure& failure)
{
    const ShownText text = kindText(failure);
    // After an earlier failure the link first probes the line; it was the
    // probe that failed.
    return failure.resynchronising ? words(QT_TRANSLATE_NOOP("LinkFailureText", "重新同步失败：")) + text : text;
}

QString shownLinkFailureText(const LinkFailure& failure)
{
    return linkFailureWords(failure).shown();
}
