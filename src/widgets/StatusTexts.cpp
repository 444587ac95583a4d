#include "widgets/StatusTexts.h"

#include <QCoreApplication>

#include "widgets/HeaderTexts.h"
#include "link/LinkFailureText.h"
#include "core/NumberText.h"

namespace {

QString shownReason(const QString& reason)
{
    const QString plain = reason.simplified();
    if (plain.isEmpty())
        return QCoreApplication::translate("StatusTexts", "原因不明");
    if (plain.size() <= StatusTexts::kShownReasonLength)
        return plain;
    return plain.left(StatusTexts::kShownReasonLength - 1) + QStringLiteral("…");
}

QString recordingText(const RecorderHealth& health, const QDate& today)
{
    using Change = HistoryDatabase::FileChange;
    const QString at = health.fileSwitchedAt() ? StatusTexts::sinceText(*health.fileSwitchedAt(), today) : QString();
    switch (health.fileSwitch()) {
    case Change::Replaced: return QCoreApplication::translate("StatusTexts", "记录正常：历史文件于 %1 被替换，改记新文件").arg(at);
    case Change::Recreated: return QCoreApplication::translate("StatusTexts", "记录正常：历史文件于 %1 被删除，已重建").arg(at);
    case Change::None: break;
    }
    return QCoreApplication::translate("StatusTexts", "记录正常");
}

QString since(const std::optional<QDateTime>& moment, const QDate& today)
{
    return moment ? QCoreApplication::translate("StatusTexts", " 自 ") + StatusTexts::sinceText(*moment, today) : QString();
}

// The values on the panel are as old as this: the operator reads it beside
// their grey.
QString lastAnswer(const std::optional<QDateTime>& moment, const QDate& today)
{
    if (!moment)
        return QCoreApplication::translate("StatusTexts", "（从未应答）");
    return QCoreApplication::translate("StatusTexts", "（最后应答 %1）").arg(StatusTexts::sinceText(*moment, today));
}

ShownText words(const char* source)
{
    return ShownText("StatusTexts", source);
}

// What a write or command is called is kept in Chinese; the status bar
// shows it in the interface language, the log in English.
ShownText whatWords(const QString& what)
{
    return ShownText("WriteRequest", what);
}

} // namespace

namespace StatusTexts {

QString sinceText(const QDateTime& since, const QDate& today)
{
    const QString time = HeaderTexts::timeText(since.time());
    if (since.date() == today)
        return time;
    return QStringLiteral("%1-%2 %3")
        .arg(since.date().month(), 2, 10, QLatin1Char('0'))
        .arg(since.date().day(), 2, 10, QLatin1Char('0'))
        .arg(time);
}

StatusLine linkStatusLine(const LinkHealth& health, const QDate& today)
{
    using State = LinkHealth::State;
    switch (health.state()) {
    case State::Closed:
        return {QCoreApplication::translate("StatusTexts", "链路未打开"), QCoreApplication::translate("StatusTexts", "选择端口后按“打开”连接仪表"), StatusSeverity::Idle};
    case State::Waiting:
        return {QCoreApplication::translate("StatusTexts", "正在连接仪表"), QCoreApplication::translate("StatusTexts", "链路已打开，等待第一轮读取"), StatusSeverity::Idle};
    case State::Answering:
        return {QCoreApplication::translate("StatusTexts", "通讯正常"), QCoreApplication::translate("StatusTexts", "仪表应答每一次读取"), StatusSeverity::Ok};
    case State::Degraded:
        return {QCoreApplication::translate("StatusTexts", "通讯不稳%1：部分读取无应答").arg(since(health.failingSince(), today)),
                QCoreApplication::translate("StatusTexts", "上一轮 %1 次读取中 %2 次失败：%3\n%4")
                    .arg(health.calls())
                    .arg(health.failedCalls())
                    .arg(shownLinkFailureText(health.failureReason()), health.failureReason()),
                StatusSeverity::Warning};
    case State::Silent:
        return {QCoreApplication::translate("StatusTexts", "通讯中断%1%2：%3")
                    .arg(since(health.failingSince(), today), lastAnswer(health.lastAnswer(), today),
                         shownLinkFailureText(health.failureReason())),
                health.failureReason(), StatusSeverity::Fault};
    }
    return {};
}

StatusLine recorderStatusLine(const RecorderHealth& health, const QDate& today)
{
    using State = RecorderHealth::State;
    switch (health.state()) {
    case State::Starting:
        return {QCoreApplication::translate("StatusTexts", "记录未启动"), QCoreApplication::translate("StatusTexts", "记录器尚未打开数据库"), StatusSeverity::Idle};
    case State::Recording:
        return {recordingText(health, today), QCoreApplication::translate("StatusTexts", "每秒一条记录写入数据库"), StatusSeverity::Ok};
    case State::PointerMissing:
        return {QCoreApplication::translate("StatusTexts", "记录不完整：sl_void 缺少记录"), health.reason(), StatusSeverity::Warning};
    case State::Failing:
        return {QCoreApplication::translate("StatusTexts", "记录失败%1：%2").arg(since(health.failingSince(), today), shownReason(health.reason())),
                health.reason(), StatusSeverity::Fault};
    case State::Paused:
        return {QCoreApplication::translate("StatusTexts", "记录暂停%1：无新的仪表数据").arg(since(health.pausedSince(), today)),
                QCoreApplication::translate("StatusTexts", "仪表超过两个轮询周期未应答：这段时间不记录，历史曲线在此留空"), StatusSeverity::Warning};
    }
    return {};
}

StatusLine journalStatusLine(const JournalStore& journal, const QDate& today)
{
    if (journal.writing())
        return {QString(), QCoreApplication::translate("StatusTexts", "事件记录正常写入 %1").arg(journal.path()), StatusSeverity::Ok};
    return {QCoreApplication::translate("StatusTexts", "事件记录失败%1：%2").arg(since(journal.failingSince(), today), shownReason(journal.failure())),
            QCoreApplication::translate("StatusTexts", "%1：%2").arg(journal.path(), journal.failure()), StatusSeverity::Fault};
}

StatusLine archiveStatusLine(const ArchiveHealth& health, const QString& folder, const QDate& today)
{
    if (health.state() != ArchiveHealth::State::Failing)
        return {QString(), QCoreApplication::translate("StatusTexts", "归档正常写入 %1").arg(folder), StatusSeverity::Ok};
    return {QCoreApplication::translate("StatusTexts", "归档失败%1：%2").arg(since(health.failingSince(), today), shownReason(health.reason())),
            QCoreApplication::translate("StatusTexts", "%1：%2").arg(folder, health.reason()), StatusSeverity::Fault};
}

StatusLine historianStatusLine(const HistorianHealth& health, const QString& server, const QDate& today)
{
    if (health.state() != HistorianHealth::State::Failing)
        return {QString(), QCoreApplication::translate("StatusTexts", "转发到 %1").arg(server), StatusSeverity::Ok};
    return {QCoreApplication::translate("StatusTexts", "转发中断%1：%2").arg(since(health.failingSince(), today), shownReason(health.reason())),
            QCoreApplication::translate("StatusTexts", "%1：%2").arg(server, health.reason()), StatusSeverity::Fault};
}

ShownText refusedEntry(const QString& command, const EntryCheck::Refusal& refusal)
{
    using Reason = EntryCheck::Refusal::Reason;
    const QString low = numberText(static_cast<float>(refusal.low));
    const QString high = numberText(static_cast<float>(refusal.high));
    ShownText why;
    switch (refusal.reason) {
    case Reason::NotANumber: why = words(QT_TRANSLATE_NOOP("StatusTexts", "输入的不是数字")); break;
    case Reason::OutOfRange: why = words(QT_TRANSLATE_NOOP("StatusTexts", "数值须在 %1 到 %2 之间")).arg(low).arg(high); break;
    case Reason::DoesNotFitRegister:
        why = words(QT_TRANSLATE_NOOP("StatusTexts", "换算后超出仪表寄存器范围，数值须在 %1 到 %2 之间")).arg(low).arg(high);
        break;
    case Reason::MinimumAboveMaximum: why = words(QT_TRANSLATE_NOOP("StatusTexts", "最小值不能大于最大值")); break;
    case Reason::SpanTooWide: why = words(QT_TRANSLATE_NOOP("StatusTexts", "最大值与最小值之差不能超过 %1")).arg(high); break;
    }
    return words(QT_TRANSLATE_NOOP("StatusTexts", "“%1”未执行：%2")).arg(whatWords(command)).arg(why);
}

QString refusedEntryText(const QString& command, const EntryCheck::Refusal& refusal)
{
    return refusedEntry(command, refusal).shown();
}

ShownText writeFailed(const WriteOutcome& outcome)
{
    const WriteRequest& request = outcome.request;
    if (request.target == WriteRequest::Target::Register)
        return words(QT_TRANSLATE_NOOP("StatusTexts", "“%1” %2 写入失败%3：%4"))
            .arg(whatWords(request.what))
            .arg(numberText(int32_t{request.value}))
            .arg(outcome.attempts > 1 ? words(QT_TRANSLATE_NOOP("StatusTexts", "（已重试一次）")) : ShownText::verbatim({}))
            .arg(linkFailureWords(outcome.error));
    return words(QT_TRANSLATE_NOOP("StatusTexts", "“%1” 切换失败：%2")).arg(whatWords(request.what)).arg(linkFailureWords(outcome.error));
}

QString writeFailedText(const WriteOutcome& outcome)
{
    return writeFailed(outcome).shown();
}

QString writtenText(const WriteRequest& request)
{
    if (request.target == WriteRequest::Target::Register)
        return words(QT_TRANSLATE_NOOP("StatusTexts", "“%1” %2 已写入")).arg(whatWords(request.what)).arg(numberText(int32_t{request.value})).shown();
    return words(QT_TRANSLATE_NOOP("StatusTexts", "“%1” 已切换")).arg(whatWords(request.what)).shown();
}

ShownText lockHolder(const LockHolder& holder, const QDate& today)
{
    ShownText text = words(QT_TRANSLATE_NOOP("StatusTexts", "进程 %1")).arg(holder.pid);
    if (!holder.application.isEmpty())
        text = text + words(QT_TRANSLATE_NOOP("StatusTexts", "（%1）")).arg(holder.application);
    text = text + words(QT_TRANSLATE_NOOP("StatusTexts", "，主机 %1")).arg(holder.host);
    if (holder.since.isValid())
        text = text + words(QT_TRANSLATE_NOOP("StatusTexts", "，%1 起")).arg(sinceText(holder.since, today));
    return text;
}

QString lockHolderText(const LockHolder& holder, const QDate& today)
{
    return lockHolder(holder, today).shown();
}

ShownText portHeld(const DeviceRefusal& refusal, const QDate& today)
{
    return words(QT_TRANSLATE_NOOP("StatusTexts", "端口 %1（%2）已被占用：%3"))
        .arg(refusal.port)
        .arg(refusal.device)
        .arg(lockHolder(refusal.holder, today));
}

QString portHeldText(const DeviceRefusal& refusal, const QDate& today)
{
    return portHeld(refusal, today).shown();
}

} // namespace StatusTexts

bool StatusEpisode::changed(int state, const std::optional<QDateTime>& since)
{
    if (state_ == state && since_ == since)
        return false;
    state_ = state;
    since_ = since;
    return true;
}
