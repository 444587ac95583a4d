#pragma once

#include <functional>

#include <QEvent>

class QObject;

// A call handed to an object on another thread through Qt's event queue.
//
// Qt's own queued calls would do, but the locks inside Qt that order the
// hand-over are invisible to ThreadSanitizer unless Qt itself is built with
// it, so every hand-over between the window and the link thread would be
// reported as a race. Posting our own event lets us announce the hand-over
// (ThreadHandOver.h) after the event is filled and before it runs.
class QueuedCall : public QEvent {
public:
    explicit QueuedCall(std::function<void()> call);
    ~QueuedCall() override;

    static QEvent::Type eventType();

    // Runs the call if event is a QueuedCall; false for any other event.
    static bool runIfQueuedCall(QEvent* event);

private:
    std::function<void()> call_;
};

// Queues call to run on receiver's thread, after everything posted to it
// before. Receiver's event() must pass its events to runIfQueuedCall.
void postQueuedCall(QObject* receiver, std::function<void()> call);
