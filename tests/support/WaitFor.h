#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTimer>

// Runs the event loop until the condition holds or the time is up; true when
// it holds. Tests wait for a condition, never for a fixed time. The loop
// sleeps between events (a short timer wakes it to look at the deadline), so
// waiting costs no processor time the link thread or the simulator could use.
template <typename Condition>
bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.start(5);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// waitFor for a condition that costs a query (files another process
// writes, a server): asked at once, then at most every intervalMs.
template <typename Condition>
bool waitForQueried(Condition condition, int timeoutMs, int intervalMs = 250)
{
    QElapsedTimer sinceAsked;
    return waitFor([&] {
        if (sinceAsked.isValid() && sinceAsked.elapsed() < intervalMs)
            return false;
        sinceAsked.start();
        return condition();
    }, timeoutMs);
}

// Runs the event loop for the whole time: for measurements of what a
// running station does meanwhile, not for waiting on a condition.
inline void runEventLoopFor(int ms)
{
    QDeadlineTimer deadline(ms);
    waitFor([&] { return deadline.hasExpired(); }, ms + 1000);
}
