#include "journal/WriteJournal.h"

#include <optional>

#include "core/Clock.h"
#include "instrument/ParameterCatalogue.h"
#include "instrument/WriteSubject.h"
#include "journal/JournalSink.h"
#include "journal/StoredForms.h"
#include "link/WriteRequest.h"

namespace {

bool isCoil(const WriteRequest& request)
{
    return request.target == WriteRequest::Target::Coil;
}

const ParameterCatalogue::Parameter* choiceParameter(const WriteRequest& request)
{
    if (isCoil(request))
        return nullptr;
    for (const ParameterCatalogue::Parameter& parameter : ParameterCatalogue::parameters())
        if (parameter.registerAddress == request.address)
            return parameter.isChoice() ? &parameter : nullptr;
    return nullptr;
}

// The code of the list item or current-value name a window showed, in
// Chinese or in the interface's language.
std::optional<int> choiceCode(const ParameterCatalogue::Parameter& parameter, const QString& shown)
{
    const QString text = shown.trimmed();
    const auto names = [&](std::span<const std::string_view> list) -> std::optional<int> {
        for (size_t code = 0; code < list.size(); ++code) {
            if (text == ParameterCatalogue::text(list[code]).trimmed()
                || text == ParameterCatalogue::shown(list[code]).trimmed())
                return static_cast<int>(code);
        }
        return std::nullopt;
    };
    if (const std::optional<int> code = names(parameter.choices))
        return code;
    return names(parameter.names);
}

// Before and after as values, not as a window's words: a coil's state,
// a list's code, a number as the operator typed it.
QString oldValueText(const WriteRequest& request)
{
    if (request.shownBefore.isEmpty())
        return QString();
    // A coil is switched from the state the window showed.
    if (isCoil(request))
        return StoredForms::coilValue(!request.on);
    if (const ParameterCatalogue::Parameter* parameter = choiceParameter(request))
        if (const std::optional<int> code = choiceCode(*parameter, request.shownBefore))
            return QString::number(*code);
    return request.shownBefore;
}

QString newValueText(const WriteRequest& request)
{
    if (isCoil(request))
        return StoredForms::coilValue(request.on);
    if (choiceParameter(request) || request.shownValue.isEmpty())
        return QString::number(request.value);
    return request.shownValue;
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
    // By register or coil: the caption a window gave is in its language.
    event.what = isCoil(request) ? WriteSubject::coilCode(request.address) : WriteSubject::registerCode(request.address);
    event.oldValue = oldValueText(request);
    event.newValue = newValueText(request);
    event.outcome = outcome.ok ? QStringLiteral("ok") : QStringLiteral("failed");
    if (!outcome.ok)
        event.text = StoredForms::writeFailure(outcome.attempts, outcome.error);
    event.user = user_;
    event.host = host_;
    sink_.append(event);
}
