#pragma once

#include <QDateTime>

// The wall clock, injected wherever time decides behaviour (recording, the
// chart's time axis, how long the link has been failing) so that tests can
// step it, cross midnight and set it back without sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};
