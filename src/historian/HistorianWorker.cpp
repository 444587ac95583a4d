#include "historian/HistorianWorker.h"

#include <algorithm>

#include <QDeadlineTimer>
#include <QTimer>

#include "historian/HistorianForwarder.h"
#include "historian/HistorianPass.h"
#include "core/QueuedCall.h"

HistorianWorker::HistorianWorker(HistorianSettings settings, HistorianForwarder& forwarder,
                                 const std::atomic<bool>& stopping, ConnectionBreaker& breaker)
    : settings_(std::move(settings))
    , forwarder_(forwarder)
    , stopping_(stopping)
    , breaker_(breaker)
{
}

HistorianWorker::~HistorianWorker() = default;

bool HistorianWorker::event(QEvent* event)
{
    return QueuedCall::runIfQueuedCall(event) || QObject::event(event);
}

void HistorianWorker::begin()
{
    // Made here, so the pass's connection belongs to this thread.
    pass_ = std::make_unique<HistorianPass>(settings_, &breaker_);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &HistorianWorker::turn);
    turn();
}

void HistorianWorker::setPort(const QString& port)
{
    if (pass_)
        pass_->setPort(port);
}

void HistorianWorker::turn()
{
    // The pass's first words to the server (the schema check) count too.
    breaker_.batchStarted();
    const HistorianPass::Outcome outcome = pass_->run([this] {
        breaker_.batchStarted();
        return !stopping_.load();
    });
    breaker_.passEnded();
    reportIfChanged();
    switch (outcome) {
    case HistorianPass::Outcome::Sent:
        retryMs_ = 0;
        timer_->start(settings_.idleMs);
        break;
    case HistorianPass::Outcome::Failed:
        retryMs_ = retryMs_ == 0 ? settings_.firstRetryMs : std::min(retryMs_ * 2, settings_.maxRetryMs);
        timer_->start(retryMs_);
        break;
    case HistorianPass::Outcome::Interrupted:
        break;  // stopping: finish() comes next
    }
}

void HistorianWorker::finish()
{
    if (pass_ && pass_->health().state() == HistorianHealth::State::Forwarding) {
        const QDeadlineTimer deadline(settings_.finalPassMs);
        pass_->run([&deadline] { return !deadline.hasExpired(); });
        reportIfChanged();
    }
    delete timer_;
    timer_ = nullptr;
    pass_.reset();
}

void HistorianWorker::reportIfChanged()
{
    if (!pass_->healthChanged())
        return;
    postQueuedCall(&forwarder_, [f = &forwarder_, health = pass_->health()] { f->report(health); });
}
