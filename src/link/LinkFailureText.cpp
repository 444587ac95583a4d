#include "link/LinkFailureText.h"

#include <QCoreApplication>

#include "link/LinkFailure.h"

namespace {

// The Chinese words are what the journal stores; the shown ones follow the
// interface language.
QString words(const char* source, bool shown)
{
    return shown ? QCoreApplication::translate("LinkFailureText", source) : QString::fromUtf8(source);
}

QString kindText(const LinkFailure& failure, bool shown)
{
    using Kind = LinkFailure::Kind;
    switch (failure.kind) {
    case Kind::NoDevice: return words(QT_TRANSLATE_NOOP("LinkFailureText", "设备不存在"), shown);
    case Kind::NoAccess: return words(QT_TRANSLATE_NOOP("LinkFailureText", "无权使用端口"), shown);
    case Kind::OpenFailed: return words(QT_TRANSLATE_NOOP("LinkFailureText", "端口无法打开"), shown);
    case Kind::NotOpen: return words(QT_TRANSLATE_NOOP("LinkFailureText", "端口 %1 未打开"), shown).arg(failure.number);
    case Kind::BadSettings: return words(QT_TRANSLATE_NOOP("LinkFailureText", "通讯设置无效"), shown);
    case Kind::NoAnswer: return words(QT_TRANSLATE_NOOP("LinkFailureText", "无应答"), shown);
    case Kind::BadCrc: return words(QT_TRANSLATE_NOOP("LinkFailureText", "校验错误"), shown);
    case Kind::WrongAnswer: return words(QT_TRANSLATE_NOOP("LinkFailureText", "应答不符"), shown);
    case Kind::Refused:
        return words(QT_TRANSLATE_NOOP("LinkFailureText", "仪表拒绝（异常码 %1）"), shown).arg(failure.number);
    case Kind::LineBusy: return words(QT_TRANSLATE_NOOP("LinkFailureText", "线路不停有数据"), shown);
    case Kind::OutOfRange: return words(QT_TRANSLATE_NOOP("LinkFailureText", "地址或数值超出范围"), shown);
    case Kind::Unknown: break;
    }
    return words(QT_TRANSLATE_NOOP("LinkFailureText", "通讯错误"), shown);
}

QString failureText(const QString& reason, bool shown)
{
    if (reason.trimmed().isEmpty())
        return words(QT_TRANSLATE_NOOP("LinkFailureText", "原因不明"), shown);
    const LinkFailure failure = classifyLinkFailure(reason.toStdString());
    const QString text = kindText(failure, shown);
    // After an earlier failure the link first probes the line; it was the
    // probe that failed.
    return failure.resynchronising ? words(QT_TRANSLATE_NOOP("LinkFailureText", "重新同步失败："), shown) + text : text;
}

} // namespace

QString linkFailureText(const QString& reason)
{
    return failureText(reason, false);
}

QString shownLinkFailureText(const QString& reason)
{
    return failureText(reason, true);
}
