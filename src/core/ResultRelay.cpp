#include "core/ResultRelay.h"

#include "core/QueuedCall.h"

void ResultRelay::post(std::function<void()> call)
{
    // Posting under the lock is what lets cutOff() promise that no post is
    // half done: the receiver may be destroyed the moment it returns.
    std::lock_guard lock(mutex_);
    if (receiver_)
        postQueuedCall(receiver_, std::move(call));
}

void ResultRelay::cutOff()
{
    std::lock_guard lock(mutex_);
    receiver_ = nullptr;
}
