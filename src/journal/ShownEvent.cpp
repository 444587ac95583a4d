#include "journal/ShownEvent.h"

#include <array>
#include <optional>

#include "core/ShownText.h"
#include "instrument/ParameterCatalogue.h"
#include "instrument/WriteSubject.h"
#include "journal/StoredForms.h"
#include "journal/StoredLinkReason.h"
#include "link/LinkFailureText.h"
#include "link/WriteRequest.h"

namespace {

using Kind = JournalEvent::Kind;

QString words(const char* source)
{
    return ShownText("ShownEvent", source).shown();
}

QString source(const QString& stored)
{
    if (const auto instrument = StoredForms::parseInstrument(stored))
        return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "端口 %1 地址 %2"))
            .arg(instrument->port)
            .arg(instrument->moduleAddress)
            .shown();
    return stored;
}

// The write's subject when the event stores it as a code; none for an
// event of an earlier version, which stored the caption.
std::optional<WriteSubject::Parsed> subjectOf(const JournalEvent& event)
{
    WriteSubject::Parsed subject;
    if (event.kind != Kind::Write || !WriteSubject::parse(event.what, subject))
        return std::nullopt;
    return subject;
}

const ParameterCatalogue::Parameter* choiceParameter(const WriteSubject::Parsed& subject)
{
    if (subject.coil)
        return nullptr;
    for (const ParameterCatalogue::Parameter& parameter : ParameterCatalogue::parameters())
        if (parameter.registerAddress == subject.address)
            return parameter.isChoice() ? &parameter : nullptr;
    return nullptr;
}

QString value(const std::optional<WriteSubject::Parsed>& subject, const QString& stored)
{
    if (!subject)
        return stored;
    if (subject->coil) {
        const std::optional<bool> on = StoredForms::parseCoilValue(stored);
        return on ? WriteSubject::coilState(subject->address, *on).shown() : stored;
    }
    if (const ParameterCatalogue::Parameter* parameter = choiceParameter(*subject)) {
        bool isNumber = false;
        const int code = stored.toInt(&isNumber);
        if (isNumber && code >= 0 && code < std::ssize(parameter->choices))
            return ParameterCatalogue::shown(parameter->choices[static_cast<size_t>(code)]).trimmed();
    }
    return stored;
}

QString what(const JournalEvent& event, const std::optional<WriteSubject::Parsed>& subject)
{
    if (event.kind == Kind::HistorianFailing) {
        const ShownText cause = forwardingCauseWords(StoredForms::parseForwardingCause(event.what));
        if (!cause.isEmpty())
            return cause.shown();
    }
    if (subject) {
        const ShownText name = WriteSubject::name(*subject);
        return name.isEmpty() ? event.what : name.shown();
    }
    // Earlier versions stored the operator's words for the failure here.
    if (event.kind == Kind::LinkFailing && event.what.isEmpty())
        return linkFailureWords(storedLinkFailure(event.text)).shown();
    return event.what;
}

QString outcome(const QString& stored)
{
    if (stored == QLatin1String("ok"))
        return ShownText("JournalModel", QT_TRANSLATE_NOOP("JournalModel", "成功")).shown();
    if (stored == QLatin1String("failed"))
        return ShownText("JournalModel", QT_TRANSLATE_NOOP("JournalModel", "失败")).shown();
    return stored;
}

struct AlarmWords {
    const char* code;
    const char* raised;  // the live panel's texts for the input
    const char* cleared;
};

constexpr std::array<AlarmWords, 5> kAlarms{{
    {"ALM1", QT_TRANSLATE_NOOP("PanelStates", "ALM1报警"), "ALM1 OFF"},
    {"ALM2", QT_TRANSLATE_NOOP("PanelStates", "ALM2报警"), "ALM2 OFF"},
    {"ALM3", QT_TRANSLATE_NOOP("PanelStates", "ALM3报警"), "ALM3 OFF"},
    {"BREAK", QT_TRANSLATE_NOOP("PanelStates", "输入开路"), "NO BREAK"},
    {"SHORT", QT_TRANSLATE_NOOP("PanelStates", "输入短路"), "NO SHORT"},
}};

QString alarmText(const JournalEvent& event)
{
    for (const AlarmWords& alarm : kAlarms) {
        if (event.what == QLatin1String(alarm.code))
            return event.kind == Kind::AlarmRaised ? ShownText("PanelStates", alarm.raised).shown()
                                                   : QString::fromLatin1(alarm.cleared);
    }
    return QString();
}

QString writeText(const JournalEvent& event, const WriteSubject::Parsed& subject)
{
    const ShownText target =
        subject.coil ? ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "线圈 %1")).arg(subject.address)
                     : ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "寄存器 %1")).arg(subject.address);
    if (event.outcome != QLatin1String("failed"))
        return target.shown();
    const StoredForms::WriteFailure failure = StoredForms::parseWriteFailure(event.text);
    const ShownText retried = failure.attempts > 1
                                  ? ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "（已重试一次）"))
                                  : ShownText::verbatim(QString());
    if (failure.reason.isEmpty())
        return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "%1：写入失败%2：%3"))
            .arg(target)
            .arg(retried)
            .arg(linkFailureWords(storedLinkFailure(failure.reason)))
            .shown();
    return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "%1：写入失败%2：%3（%4）"))
        .arg(target)
        .arg(retried)
        .arg(linkFailureWords(storedLinkFailure(failure.reason)))
        .arg(failure.reason)
        .shown();
}

QString text(const JournalEvent& event, const std::optional<WriteSubject::Parsed>& subject)
{
    if (subject)
        return writeText(event, *subject);
    // What follows is worded only where the event stores no text of its
    // own: a text an earlier version stored is shown as it is.
    switch (event.kind) {
    case Kind::AlarmRaised:
    case Kind::AlarmCleared:
        if (event.text.isEmpty())
            return alarmText(event);
        break;
    case Kind::EntriesRefused:
        if (event.text.isEmpty() && !event.newValue.isEmpty())
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "%1 这一分钟内有 %2 次输入被拒绝，未写入仪表"))
                .arg(event.time.toString(QStringLiteral("HH:mm")))
                .arg(event.newValue)
                .shown();
        break;
    case Kind::HistoryReplaced:
        if (event.text == StoredForms::kHistoryRecreated)
            return words(QT_TRANSLATE_NOOP("ShownEvent", "历史文件已被删除，改写新文件"));
        if (event.text == StoredForms::kHistoryReplaced)
            return words(QT_TRANSLATE_NOOP("ShownEvent", "另一文件已替换历史文件，改写该文件"));
        break;
    case Kind::HistoryResumed:
        if (event.text == StoredForms::kRingGapArchived)
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "历史文件缺少这期间 %1 秒的记录；这些秒已交归档保存"))
                .arg(event.newValue)
                .shown();
        if (event.text == StoredForms::kRingGapNotKept)
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "历史文件缺少这期间 %1 秒的记录；没有归档，这些秒未保存"))
                .arg(event.newValue)
                .shown();
        break;
    case Kind::ArchiveRemoved:
        if (event.text.isEmpty() && !event.what.isEmpty())
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "保留期限 %1 个月：已删除月文件 %2"))
                .arg(event.newValue)
                .arg(event.what)
                .shown();
        break;
    case Kind::StationInterrupted:
        if (const auto last = StoredForms::parseMoment(event.oldValue))
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "上次运行没有记录退出（被强行结束或断电）；它的最后一条事件在 %1"))
                .arg(last->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                .shown();
        break;
    case Kind::ArchiveResumed:
        if (event.text.isEmpty() && event.newValue.toLongLong() > 0)
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "队列已满，%1 个采样未能归档"))
                .arg(event.newValue)
                .shown();
        break;
    case Kind::JournalResumed:
        if (const auto dropped = StoredForms::parseDroppedEvents(event.text))
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "%1 条事件因内存上限丢失")).arg(*dropped).shown();
        break;
    case Kind::StationStarted:
        if (const auto start = StoredForms::parseStationStarted(event.text))
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "版本 %1；历史文件 %2；事件记录 %3"))
                .arg(start->version)
                .arg(start->historyPath)
                .arg(start->journalPath)
                .shown();
        break;
    case Kind::StationExited:
        if (const auto sender = StoredForms::parseSignalSender(event.text)) {
            if (*sender == 0)
                return words(QT_TRANSLATE_NOOP("ShownEvent", "非进程发出（如终端的 Ctrl+C）"));
            return ShownText("ShownEvent", QT_TRANSLATE_NOOP("ShownEvent", "由进程 %1 发出")).arg(*sender).shown();
        }
        break;
    default:
        break;
    }
    return event.text;
}

QString origin(const QString& stored)
{
    if (stored == WriteOrigin::kMainWindow)
        return words(QT_TRANSLATE_NOOP("ShownEvent", "主窗口"));
    if (stored == WriteOrigin::kAlarmSetPoints)
        return words(QT_TRANSLATE_NOOP("ShownEvent", "报警参数"));
    if (stored == WriteOrigin::kConfiguration)
        return words(QT_TRANSLATE_NOOP("ShownEvent", "TQ5800 配置"));
    if (stored == WriteOrigin::kParameterDownload)
        return words(QT_TRANSLATE_NOOP("ShownEvent", "参数下载"));
    return stored;
}

} // namespace

ShownText forwardingCauseWords(StoredForms::ForwardingCause cause)
{
    using Cause = StoredForms::ForwardingCause;
    const auto text = [](const char* source) { return ShownText("ShownEvent", source); };
    switch (cause) {
    case Cause::NoConnection:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "无法连接服务器：请检查服务器是否运行、网络及连接参数"));
    case Cause::ServerShutdown:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "服务器正在关闭或重启：恢复后自动续传，无需处理"));
    case Cause::Authentication:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "服务器拒绝登录：请检查用户名及 ~/.pgpass 中的密码"));
    case Cause::NoSchema:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "服务器上没有转发用的表：请执行 sql/historian-schema.sql"));
    case Cause::SchemaVersion:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "服务器的表版本与本站不符：请执行本站版本的 historian-schema.sql"));
    case Cause::NoPermission:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "无权写入服务器的表：请授予该用户 historian_writer 角色"));
    case Cause::NoAnswer:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "服务器无应答：请检查服务器主机是否停顿或过载"));
    case Cause::StationFiles:
        return text(QT_TRANSLATE_NOOP("ShownEvent", "本站的归档或转发状态文件无法读写：请检查归档文件夹"));
    case Cause::Unknown:
        break;
    }
    return {};
}

ShownEvent shownEvent(const JournalEvent& event)
{
    const std::optional<WriteSubject::Parsed> subject = subjectOf(event);
    return {JournalKinds::shownCaption(event.kind),
            source(event.source),
            what(event, subject),
            value(subject, event.oldValue),
            value(subject, event.newValue),
            outcome(event.outcome),
            text(event, subject),
            origin(event.origin)};
}

bool eventMentions(const JournalEvent& event, const QString& text)
{
    const auto has = [&text](const QString& column) { return column.contains(text, Qt::CaseInsensitive); };
    if (has(event.what) || has(event.source) || has(event.oldValue) || has(event.newValue) || has(event.text))
        return true;
    const ShownEvent shown = shownEvent(event);
    return has(shown.what) || has(shown.source) || has(shown.oldValue) || has(shown.newValue) || has(shown.text);
}
