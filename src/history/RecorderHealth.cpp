#include "history/RecorderHealth.h"

bool RecorderHealth::recordStored(const QDateTime& now, bool pointerWritten)
{
    ++storedSamples_;
    lastStored_ = now;
    failingSince_.reset();
    pausedSince_.reset();
    if (pointerWritten)
        return change(State::Recording, QString());
    return change(State::PointerMissing,
                  QStringLiteral("table sl_void has no record: samples are stored but the newest is not named"));
}

bool RecorderHealth::recordFailure(const QString& reason, const QDateTime& now, const FileProblem& problem)
{
    if (!failingSince_) {
        failingSince_ = now;
        ringGap_ = RingGap{};
    }
    fileSwitch_ = HistoryDatabase::FileChange::None;
    fileSwitchedAt_.reset();
    return change(State::Failing, reason, problem);
}

void RecorderHealth::recordMissedSecond(const QDateTime& now)
{
    ++missedSeconds_;
    ++ringGap_.seconds;
    if (!ringGap_.first)
        ringGap_.first = now;
    ringGap_.last = now;
    ringGap_.handedOn = handedOn_;
}

bool RecorderHealth::recordLock(Lock lock)
{
    if (lock == lock_)
        return false;
    lock_ = lock;
    return true;
}

bool RecorderHealth::recordPaused(const QDateTime& now)
{
    if (state_ == State::Failing)
        return false;
    if (!pausedSince_)
        pausedSince_ = now;
    return change(State::Paused, QStringLiteral("no fresh values from the instrument"));
}

void RecorderHealth::recordFileSwitch(HistoryDatabase::FileChange change, const QDateTime& now)
{
    fileSwitch_ = change;
    fileSwitchedAt_ = now;
}

bool RecorderHealth::change(State state, const QString& reason, const FileProblem& problem)
{
    if (state == state_ && reason == reason_ && problem == problem_)
        return false;
    state_ = state;
    reason_ = reason;
    problem_ = problem;
    return true;
}
