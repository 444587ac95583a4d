#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

#include "link/PollBlock.h"

// Whether the instrument answers, as the status display tells it: judged
// after every poll cycle from how many of its calls failed. A failure
// episode starts with the first cycle that had a failed call and ends with
// the next cycle in which every call answered.
class LinkHealth {
public:
    enum class State {
        Closed,     // the operator has not opened the link
        Waiting,    // open, no cycle finished yet
        Answering,  // every call of the last cycle answered
        Degraded,   // some calls of the last cycle failed
        Silent,     // no call of the last cycle answered
    };

    void linkOpened();
    void linkClosed();
    // Aborted cycles (link closed meanwhile) say nothing and are ignored.
    void recordCycle(const CycleReport& report, const QDateTime& now);

    State state() const { return state_; }
    bool answering() const { return state_ == State::Answering; }
    int calls() const { return calls_; }
    int failedCalls() const { return failedCalls_; }
    std::optional<QDateTime> failingSince() const { return failingSince_; }
    std::optional<QDateTime> lastAnswer() const { return lastAnswer_; }
    QString failureReason() const { return failureReason_; }
    LinkFailure failure() const { return failure_; }
    int cycles() const { return cycles_; }

private:
    State state_ = State::Closed;
    int calls_ = 0;
    int failedCalls_ = 0;
    int cycles_ = 0;
    std::optional<QDateTime> failingSince_;
    std::optional<QDateTime> lastAnswer_;
    QString failureReason_;
    LinkFailure failure_;
};
