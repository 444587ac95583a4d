#include "historian/HistorianForwarder.h"

#include <QCoreApplication>
#include <QThread>

#include "historian/HistorianWorker.h"
#include "link/QueuedCall.h"
#include "link/ThreadHandOver.h"

HistorianForwarder::HistorianForwarder(HistorianSettings settings, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
{
}

HistorianForwarder::~HistorianForwarder()
{
    stop();
}

bool HistorianForwarder::event(QEvent* event)
{
    return QueuedCall::runIfQueuedCall(event) || QObject::event(event);
}

void HistorianForwarder::start()
{
    if (thread_)
        return;
    stopping_ = false;
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("historian"));
    worker_ = new HistorianWorker(settings_, *this, stopping_);
    worker_->moveToThread(thread_);
    thread_->start();
    postQueuedCall(worker_, [w = worker_] { w->begin(); });
}

void HistorianForwarder::stop()
{
    if (!thread_)
        return;
    stopping_ = true;
    postQueuedCall(worker_, [w = worker_] {
        w->finish();
        // Everything the thread wrote is the owner's once wait() returns.
        handOverSent(QThread::currentThread());
        QThread::currentThread()->quit();
    });
    // Bounded: a batch ends within the server's statement time-out, the
    // last pass within finalPassMs.
    thread_->wait();
    handOverReceived(thread_);
    delete worker_;
    delete thread_;
    worker_ = nullptr;
    thread_ = nullptr;
    // Reports still queued were sent before the end: take them now, so the
    // last word of a stopped forwarder is not lost.
    QCoreApplication::sendPostedEvents(this, QueuedCall::eventType());
}

void HistorianForwarder::setPort(const QString& port)
{
    settings_.port = port;
    if (worker_)
        postQueuedCall(worker_, [w = worker_, port] { w->setPort(port); });
}

void HistorianForwarder::report(const HistorianHealth& health)
{
    health_ = health;
    emit healthChanged(health);
}
