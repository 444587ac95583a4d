#include "historian/HistorianForwarder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include "historian/HistorianLog.h"
#include "historian/HistorianWorker.h"
#include "core/QueuedCall.h"
#include "core/ThreadHandOver.h"

namespace {
constexpr int kBreakAgainMs = 250;
constexpr int kSilenceWatchMs = 500;
} // namespace

HistorianForwarder::HistorianForwarder(HistorianSettings settings, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
    , silenceWatch_(new QTimer(this))
{
    silenceWatch_->setInterval(kSilenceWatchMs);
    connect(silenceWatch_, &QTimer::timeout, this, &HistorianForwarder::watchSilence);
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
    breaker_.reset();
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("historian"));
    worker_ = new HistorianWorker(settings_, *this, stopping_, breaker_);
    worker_->moveToThread(thread_);
    thread_->start();
    postQueuedCall(worker_, [w = worker_] { w->begin(); });
    silenceWatch_->start();
}

void HistorianForwarder::stop()
{
    if (!thread_)
        return;
    silenceWatch_->stop();
    stopping_ = true;
    postQueuedCall(worker_, [w = worker_] {
        w->finish();
        // Everything the thread wrote is the owner's once wait() returns.
        handOverSent(QThread::currentThread());
        QThread::currentThread()->quit();
    });
    // The last pass ends within finalPassMs and a batch, while the server
    // answers. One that is slow or stopped answering would hold the thread,
    // and the station's exit, for its statement time-out or for ever: its
    // connection is broken (a connection being made given up), again until
    // the thread ends, as a new one may have been opened meanwhile.
    if (!thread_->wait(QDeadlineTimer(settings_.stopWaitMs))) {
        qCWarning(historianLog) << "the server does not answer: connection broken to end forwarding";
        breaker_.breakConnection();
        while (!thread_->wait(QDeadlineTimer(kBreakAgainMs)))
            breaker_.breakConnection();
    }
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

void HistorianForwarder::watchSilence()
{
    const std::chrono::milliseconds limit(settings_.statementTimeoutMs + settings_.silenceGraceMs);
    if (breaker_.breakIfWaitingLongerThan(limit))
        qCWarning(historianLog).noquote() << "the server has not answered for" << limit.count()
                                          << "ms: connection broken";
}

void HistorianForwarder::report(const HistorianHealth& health)
{
    health_ = health;
    emit healthChanged(health);
}
