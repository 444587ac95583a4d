#pragma once

#include <functional>
#include <mutex>

class QObject;

// Carries results from the link thread to an object on another thread as
// queued calls, until that object cuts it off. The link thread holds it by
// shared pointer, so a thread still running after its receiver is gone finds
// the relay cut off instead of reaching into freed memory.
class ResultRelay {
public:
    explicit ResultRelay(QObject* receiver) : receiver_(receiver) {}

    // Queues call on the receiver's thread; drops it once cut off.
    void post(std::function<void()> call);
    // No call is queued once this returns, and none is being queued.
    void cutOff();

private:
    std::mutex mutex_;
    QObject* receiver_;
};
