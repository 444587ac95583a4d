#include "link/LinkFailureText.h"

#include "link/LinkFailure.h"

namespace {

QString kindText(const LinkFailure& failure)
{
    using Kind = LinkFailure::Kind;
    switch (failure.kind) {
    case Kind::NoDevice: return QStringLiteral("设备不存在");
    case Kind::NoAccess: return QStringLiteral("无权使用端口");
    case Kind::OpenFailed: return QStringLiteral("端口无法打开");
    case Kind::NotOpen: return QStringLiteral("端口 %1 未打开").arg(failure.number);
    case Kind::BadSettings: return QStringLiteral("通讯设置无效");
    case Kind::NoAnswer: return QStringLiteral("无应答");
    case Kind::BadCrc: return QStringLiteral("校验错误");
    case Kind::WrongAnswer: return QStringLiteral("应答不符");
    case Kind::Refused: return QStringLiteral("仪表拒绝（异常码 %1）").arg(failure.number);
    case Kind::LineBusy: return QStringLiteral("线路不停有数据");
    case Kind::OutOfRange: return QStringLiteral("地址或数值超出范围");
    case Kind::Unknown: break;
    }
    return QStringLiteral("通讯错误");
}

} // namespace

QString linkFailureText(const QString& reason)
{
    if (reason.trimmed().isEmpty())
        return QStringLiteral("原因不明");
    const LinkFailure failure = classifyLinkFailure(reason.toStdString());
    const QString text = kindText(failure);
    // After an earlier failure the link first probes the line; it was the
    // probe that failed.
    return failure.resynchronising ? QStringLiteral("重新同步失败：") + text : text;
}
