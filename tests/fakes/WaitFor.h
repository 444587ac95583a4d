#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

// Runs the event loop until the condition holds or the time is up; true when
// it holds. Tests wait for a condition, never for a fixed time.
template <typename Condition>
bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
