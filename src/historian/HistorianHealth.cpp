#include "historian/HistorianHealth.h"

bool HistorianHealth::recordForwarded()
{
    failingSince_.reset();
    const bool changed = state_ != State::Forwarding;
    state_ = State::Forwarding;
    reason_.clear();
    return changed;
}

bool HistorianHealth::recordFailure(const QString& reason, const QDateTime& now)
{
    // During an outage the server's answers vary (shutting down, no socket,
    // starting up); one episode is one report, with the reason that began it.
    if (state_ == State::Failing)
        return false;
    failingSince_ = now;
    state_ = State::Failing;
    reason_ = reason;
    return true;
}
