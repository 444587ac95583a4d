#include "archive/ArchiveHealth.h"

bool ArchiveHealth::recordWritten()
{
    failingSince_.reset();
    const bool changed = state_ != State::Writing;
    state_ = State::Writing;
    reason_.clear();
    problem_ = {};
    return changed;
}

bool ArchiveHealth::recordFailure(const QString& reason, const QDateTime& now, const FileProblem& problem)
{
    if (!failingSince_)
        failingSince_ = now;
    const bool changed = state_ != State::Failing || reason_ != reason || problem_ != problem;
    state_ = State::Failing;
    reason_ = reason;
    problem_ = problem;
    return changed;
}
