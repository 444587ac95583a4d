#include "historian/HistorianHealth.h"

bool HistorianHealth::recordForwarded()
{
    failingSince_.reset();
    const bool changed = state_ != State::Forwarding;
    state_ = State::Forwarding;
    cause_ = ForwardingFailure::Cause::Unknown;
    reason_.clear();
    return changed;
}

bool HistorianHealth::recordFailure(const ForwardingFailure& failure, const QDateTime& now)
{
    // During an outage the server's answers vary (shutting down, no socket,
    // starting up); one episode is one report, with the reason that began it.
    if (state_ == State::Failing)
        return false;
    failingSince_ = now;
    state_ = State::Failing;
    cause_ = failure.cause;
    reason_ = failure.reason.simplified();
    return true;
}
