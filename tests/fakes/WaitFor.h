#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
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
