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

bool RecorderHealth::recordFailure(const QString& reason, const QDateTime& now)
{
    if (!failingSince_)
        failingSince_ = now;
    fileSwitch_ = HistoryDatabase::FileChange::None;
    fileSwitchedAt_.reset();
    return change(State::Failing, reason);
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

bool RecorderHealth::change(State state, const QString& reason)
{
    if (state == state_ && reason == reason_)
        return false;
    state_ = state;
    reason_ = reason;
    return true;
}
