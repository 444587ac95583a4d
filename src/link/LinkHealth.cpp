#include "link/LinkHealth.h"

void LinkHealth::linkOpened()
{
    state_ = State::Waiting;
    calls_ = 0;
    failedCalls_ = 0;
    failingSince_.reset();
    failureReason_.clear();
    failure_ = {};
}

void LinkHealth::linkClosed()
{
    state_ = State::Closed;
    failingSince_.reset();
}

void LinkHealth::recordCycle(const CycleReport& report, const QDateTime& now)
{
    if (report.aborted || state_ == State::Closed)
        return;
    ++cycles_;
    calls_ = report.calls;
    failedCalls_ = report.failedCalls;
    if (failedCalls_ == 0) {
        state_ = State::Answering;
        failingSince_.reset();
        failureReason_.clear();
    failure_ = {};
    } else {
        state_ = failedCalls_ < calls_ ? State::Degraded : State::Silent;
        if (!failingSince_)
            failingSince_ = now;
        failureReason_ = report.failureReason;
        failure_ = report.failure;
    }
    if (failedCalls_ < calls_)
        lastAnswer_ = now;
}
