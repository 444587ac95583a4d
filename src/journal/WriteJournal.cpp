#include "journal/WriteJournal.h"

#include "core/Clock.h"
#include "journal/JournalSink.h"
#include "link/LinkFailureText.h"
#include "link/WriteRequest.h"

namespace {

QString targetText(const WriteRequest& request)
{
    return request.target == WriteRequest::Target::Register ? QStringLiteral("寄存器 %1").arg(request.address)
                                                            : QStringLiteral("线圈 %1").arg(request.address);
}

// The value as the operator gave it; the raw value when no window said.
QString newValueText(const WriteRequest& request)
{
    if (!request.shownValue.isEmpty())
        return request.shownValue;
    if (request.target == WriteRequest::Target::Coil)
        return request.on ? QStringLiteral("开") : QStringLiteral("关");
    return QString::number(request.value);
}

QString failureText(const WriteOutcome& outcome)
{
    const QString retried = outcome.attempts > 1 ? QStringLiteral("（已重试一次）") : QString();
    return QStringLiteral("%1：写入失败%2：%3（%4）")
        .arg(targetText(outcome.request), retried, linkFailureText(outcome.error), outcome.error);
}

} // namespace

WriteJournal::WriteJournal(JournalSink& sink, const Clock& clock, QString user, QString host)
    : sink_(sink)
    , clock_(clock)
    , user_(std::move(user))
    , host_(std::move(host))
{
}

void WriteJournal::finished(const WriteOutcome& outcome, const QString& source)
{
    const WriteRequest& request = outcome.request;
    JournalEvent event;
    event.time = clock_.now();
    event.kind = JournalEvent::Kind::Write;
    event.source = source;
    event.origin = request.origin;
    event.what = request.what;
    event.oldValue = request.shownBefore;
    event.newValue = newValueText(request);
    event.outcome = outcome.ok ? QStringLiteral("ok") : QStringLiteral("failed");
    event.text = outcome.ok ? targetText(request) : failureText(outcome);
    event.user = user_;
    event.host = host_;
    sink_.append(event);
}
