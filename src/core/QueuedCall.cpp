#include "core/QueuedCall.h"

#include <QCoreApplication>

#include "core/ThreadHandOver.h"

QueuedCall::QueuedCall(std::function<void()> call)
    : QEvent(eventType())
    , call_(std::move(call))
{
}

QueuedCall::~QueuedCall()
{
    // Also reached without running, when the receiver goes first; either
    // way the captured values are destroyed on the receiving side.
    handOverReceived(this);
}

QEvent::Type QueuedCall::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool QueuedCall::runIfQueuedCall(QEvent* event)
{
    // Received before even its type is read: the sender filled it all.
    handOverReceived(event);
    if (event->type() != eventType())
        return false;
    static_cast<QueuedCall*>(event)->call_();
    return true;
}

void postQueuedCall(QObject* receiver, std::function<void()> call)
{
    auto* event = new QueuedCall(std::move(call));
    handOverSent(event);
    QCoreApplication::postEvent(receiver, event);
}
