#include "history/RecorderHealth.h"

bool RecorderHealth::recordStored(const QDateTime& now, bool pointerWritten)
{
    ++storedSamples_;
    lastStored_ = now;
    failingSince_.reset();
    if (pointerWritten)
        return change(State::Recording, QString());
    return change(State::PointerMissing,
                  QStringLiteral("table sl_void has no record: samples are stored but the newest is not named"));
}

bool RecorderHealth::recordFailure(const QString& reason, const QDateTime& now)
{
    if (!failingSince_)
        failingSince_ = now;
    return change(State::Failing, reason);
}

bool RecorderHealth::change(State state, const QString& reason)
{
    if (state == state_ && reason == reason_)
        return false;
    state_ = state;
    reason_ = reason;
    return true;
}
