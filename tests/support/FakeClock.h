#pragma once

#include <QDateTime>

#include "core/Clock.h"

// A clock that only moves when a test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7)))
        : now_(std::move(start)) {}

    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};
