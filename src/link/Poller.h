#pragma once

#include <chrono>

#include <QObject>
#include <QTimer>

#include "link/LinkHealth.h"
#include "link/PollBlock.h"

class Clock;
class InstrumentLink;
class InstrumentState;

// The poll. While the link is open its cycle timer starts a poll cycle every
// 500 ms; the link thread does the reads and this object, on the
// user-interface thread, hands each block to the instrument state as it
// arrives, in step order. A cycle that falls due while the last one is
// still running is dropped: cycles never queue up behind a slow instrument.
class Poller : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 500;

    Poller(InstrumentState& state, InstrumentLink& link, const Clock& clock, QObject* parent = nullptr);

    // Opening the link starts the cycle timer, closing it stops it.
    void start();
    void stop();
    bool running() const { return cycleTimer_.isActive(); }

    void setCycleInterval(std::chrono::milliseconds interval);
    std::chrono::milliseconds cycleInterval() const;

    // What the cycle timer does; also the way to a cycle at once.
    void startCycle();

    // Hands one block read by the link thread to the instrument state. Reads
    // that failed leave their part of the state at its last good values.
    void applyBlock(const PollBlock& block);

    const LinkHealth& linkHealth() const { return health_; }
    bool cycleInProgress() const { return cycleInProgress_; }
    int droppedTicks() const { return droppedTicks_; }

signals:
    void blockApplied(int step);
    void cycleFinished(const CycleReport& report);
    void linkHealthChanged();

private:
    void onCycleFinished(const CycleReport& report);
    void logEpisode(bool wasFailing);

    InstrumentState& state_;
    InstrumentLink& link_;
    const Clock& clock_;
    QTimer cycleTimer_;
    LinkHealth health_;
    int cycle_ = 0;
    bool cycleInProgress_ = false;
    int droppedTicks_ = 0;
};
