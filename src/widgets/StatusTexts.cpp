#include "widgets/StatusTexts.h"

#include <QCoreApplication>

#include "widgets/HeaderTexts.h"
#include "link/LinkFailureText.h"
#include "journal/ShownEvent.h"
#include "core/NumberText.h"

namespace {

// Whole: the field it is shown in cuts it to the room there is and keeps
// it whole in the tooltip.
QString shownReason(const QString& reason)
{
    const QString plain = reason.simplified();
    if (plain.isEmpty())
        return QCoreApplication::translate("StatusTexts", "原因不明");
    return plain;
}

// The cause in the operator's words where it is known, else the reason.
QString shownCause(const FileProblem& problem, StationFile file, const QString& reason)
{
    const QString cause = StatusTexts::fileProblem(problem, file).shown();
    return cause.isEmpty() ? shownReason(reason) : cause;
}

// A lock is wanted and not held: another station could write the same file.
QString lockNote(const RecorderHealth& health)
{
    return health.unlocked() ? QCoreApplication::translate("StatusTexts", "（文件未锁定）") : QString();
}

QString withLockDetail(const RecorderHealth& health, const QString& detail)
{
    if (!health.unlocked())
        return detail;
    return QCoreApplication::translate("StatusTexts", "历史文件未锁定：另一工作站可能同时写入它") + QLatin1Char('\n')
           + detail;
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

// After a failure's cause, so that a field cut to its room still shows it.
QString sinceAfterCause(const std::optional<QDateTime>& moment, const QDate& today)
{
    return moment ? QCoreApplication::translate("StatusTexts", "（%1 起）").arg(StatusTexts::sinceText(*moment, today))
                  : QString();
}

// The values on the panel are as old as this: the operator reads it beside
// their grey. Its date is left out where the failure's start, just before
// it, already names that day: the link's light must keep its whole text.
QString lastAnswer(const std::optional<QDateTime>& moment, const std::optional<QDateTime>& failingSince,
                   const QDate& today)
{
    if (!moment)
        return QCoreApplication::translate("StatusTexts", "（从未应答）");
    const QDate namedDay = failingSince ? failingSince->date() : today;
    return QCoreApplication::translate("StatusTexts", "（最后应答 %1）").arg(StatusTexts::sinceText(*moment, namedDay));
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

namespace {

ShownText said(const char* source) { return ShownText("StatusTexts", source); }

} // namespace

ShownText fileProblem(const FileProblem& problem, StationFile file)
{
    using Cause = FileProblem::Cause;
    const QString& path = problem.path;
    switch (problem.cause) {
    case Cause::Unknown: return {};
    case Cause::NotOurKind:
        switch (file) {
        case StationFile::History: return said(QT_TRANSLATE_NOOP("StatusTexts", "不是历史文件：%1")).arg(path);
        case StationFile::Journal: return said(QT_TRANSLATE_NOOP("StatusTexts", "不是事件记录文件：%1")).arg(path);
        case StationFile::Archive: return said(QT_TRANSLATE_NOOP("StatusTexts", "不是归档文件：%1")).arg(path);
        }
        return {};
    case Cause::Damaged: return said(QT_TRANSLATE_NOOP("StatusTexts", "文件已损坏：%1")).arg(path);
    case Cause::FolderNotWritable: return said(QT_TRANSLATE_NOOP("StatusTexts", "无权写入文件夹 %1")).arg(path);
    case Cause::FileNotWritable: return said(QT_TRANSLATE_NOOP("StatusTexts", "无权写入文件 %1")).arg(path);
    case Cause::FolderMissing: return said(QT_TRANSLATE_NOOP("StatusTexts", "文件夹不存在：%1")).arg(path);
    case Cause::FileInTheWay: return said(QT_TRANSLATE_NOOP("StatusTexts", "是文件而不是文件夹：%1")).arg(path);
    case Cause::FolderInTheWay: return said(QT_TRANSLATE_NOOP("StatusTexts", "是文件夹而不是文件：%1")).arg(path);
    case Cause::NotPlainFile: return said(QT_TRANSLATE_NOOP("StatusTexts", "不是普通文件：%1")).arg(path);
    case Cause::ReadOnlyDisk: return said(QT_TRANSLATE_NOOP("StatusTexts", "磁盘只读：%1")).arg(path);
    case Cause::DiskFull: return said(QT_TRANSLATE_NOOP("StatusTexts", "磁盘已满：%1")).arg(path);
    case Cause::InUse:
        if (problem.pid > 0)
            return said(QT_TRANSLATE_NOOP("StatusTexts", "文件被进程 %1 占用：%2")).arg(problem.pid).arg(path);
        return said(QT_TRANSLATE_NOOP("StatusTexts", "文件被其他程序占用：%1")).arg(path);
    }
    return {};
}

QString sinceText(const QDateTime& since, const QDate& today)
{
    const QString time = HeaderTexts::timeText(since.time());
    if (since.date() == today)
        return time;
    return HeaderTexts::dateText(since.date()) + QLatin1Char(' ') + time;
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
                    .arg(shownLinkFailureText(health.failure()), health.failureReason()),
                StatusSeverity::Warning};
    case State::Silent:
        return {QCoreApplication::translate("StatusTexts", "通讯中断%1%2：%3")
                    .arg(since(health.failingSince(), today), lastAnswer(health.lastAnswer(), health.failingSince(), today),
                         shownLinkFailureText(health.failure())),
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
        return {recordingText(health, today) + lockNote(health),
                withLockDetail(health, QCoreApplication::translate("StatusTexts", "每秒一条记录写入数据库")),
                health.unlocked() ? StatusSeverity::Warning : StatusSeverity::Ok};
    case State::PointerMissing:
        return {QCoreApplication::translate("StatusTexts", "记录不完整：sl_void 缺少记录") + lockNote(health),
                withLockDetail(health, health.reason()), StatusSeverity::Warning};
    case State::Failing:
        return {QCoreApplication::translate("StatusTexts", "记录失败%1：%2%3")
                    .arg(lockNote(health), shownCause(health.problem(), StationFile::History, health.reason()),
                         sinceAfterCause(health.failingSince(), today)),
                withLockDetail(health, health.reason()), StatusSeverity::Fault};
    case State::Paused:
        return {QCoreApplication::translate("StatusTexts", "记录暂停%1：无新的仪表数据").arg(since(health.pausedSince(), today) + lockNote(health)),
                withLockDetail(health, QCoreApplication::translate("StatusTexts", "仪表超过两个轮询周期未应答：这段时间不记录，历史曲线在此留空")),
                StatusSeverity::Warning};
    }
    return {};
}

StatusLine journalStatusLine(const JournalStore& journal, const QDate& today)
{
    if (journal.writing())
        return {QString(), QCoreApplication::translate("StatusTexts", "事件记录正常写入 %1").arg(journal.path()), StatusSeverity::Ok};
    return {QCoreApplication::translate("StatusTexts", "事件记录失败：%1%2")
                .arg(shownCause(journal.problem(), StationFile::Journal, journal.failure()),
                     sinceAfterCause(journal.failingSince(), today)),
            QCoreApplication::translate("StatusTexts", "%1：%2").arg(journal.path(), journal.failure()), StatusSeverity::Fault};
}

StatusLine archiveStatusLine(const ArchiveHealth& health, const QString& folder, const QDate& today)
{
    if (health.state() != ArchiveHealth::State::Failing)
        return {QString(), QCoreApplication::translate("StatusTexts", "归档正常写入 %1").arg(folder), StatusSeverity::Ok};
    return {QCoreApplication::translate("StatusTexts", "归档失败：%1%2")
                .arg(shownCause(health.problem(), StationFile::Archive, health.reason()),
                     sinceAfterCause(health.failingSince(), today)),
            QCoreApplication::translate("StatusTexts", "%1：%2").arg(folder, health.reason()), StatusSeverity::Fault};
}

StatusLine historianStatusLine(const HistorianHealth& health, const QString& server, const QDate& today)
{
    if (health.state() != HistorianHealth::State::Failing)
        return {QString(), QCoreApplication::translate("StatusTexts", "转发到 %1").arg(server), StatusSeverity::Ok};
    // The cause and its remedy where the server's error class tells it.
    const ShownText cause = forwardingCauseWords(health.cause());
    return {QCoreApplication::translate("StatusTexts", "转发中断：%1%2")
                .arg(cause.isEmpty() ? shownReason(health.reason()) : cause.shown(),
                     sinceAfterCause(health.failingSince(), today)),
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
            .arg(linkFailureWords(outcome.failure));
    return words(QT_TRANSLATE_NOOP("StatusTexts", "“%1” 切换失败：%2")).arg(whatWords(request.what)).arg(linkFailureWords(outcome.failure));
}

QString unchangedEntryText(const QString& command)
{
    return QCoreApplication::translate("StatusTexts", "“%1” 未修改，没有写入").arg(whatWords(command).shown());
}

QString linkClosedHint()
{
    return QCoreApplication::translate("StatusTexts", "链路未打开：先按“打开”");
}

QString linkClosedText(const QString& command)
{
    return QCoreApplication::translate("StatusTexts", "“%1”未执行：链路未打开，先按“打开”").arg(whatWords(command).shown());
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

bool StatusEpisode::changed(int state, const std::optional<QDateTime>& since, int kind)
{
    if (state_ == state && since_ == since && kind_ == kind)
        return false;
    state_ = state;
    since_ = since;
    kind_ = kind;
    return true;
}
