#include "link/InstrumentLink.h"

#include "link/LinkLog.h"
#include "link/LinkWorker.h"
#include "core/QueuedCall.h"
#include "core/ResultRelay.h"
#include "core/ThreadHandOver.h"

namespace {

void registerLinkTypes()
{
    qRegisterMetaType<PollBlock>();
    qRegisterMetaType<CycleReport>();
    qRegisterMetaType<WriteOutcome>();
    qRegisterMetaType<RegisterReading>();
}

} // namespace

InstrumentLink::InstrumentLink(std::unique_ptr<Fieldbus> fieldbus, QObject* parent)
    : QObject(parent)
{
    registerLinkTypes();
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("link"));
    worker_ = new LinkWorker(std::move(fieldbus));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    // A thread left running past the stop wait frees itself when it ends at
    // last; one that stopped in time is deleted by the destructor first.
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);

    // The worker's results are copied on the link thread and handed over
    // through the relay as queued calls that emit this object's signals on
    // its own thread. The connections belong to the worker and reach this
    // object only through the relay, which the destructor cuts off: a worker
    // that outlives this object posts nothing and touches nothing of it.
    relay_ = std::make_shared<ResultRelay>(this);
    connect(worker_, &LinkWorker::portOpened, worker_, [relay = relay_, this](bool ok, const QString& error, const LinkFailure& failure) {
        relay->post([this, ok, error, failure] { emit portOpened(ok, error, failure); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::blockRead, worker_, [relay = relay_, this](const PollBlock& block) {
        relay->post([this, block] { emit blockRead(block); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::cycleFinished, worker_, [relay = relay_, this](const CycleReport& report) {
        relay->post([this, report] { emit cycleFinished(report); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::writeFinished, worker_,
            [relay = relay_, this](quint64 id, bool ok, int attempts, const QString& error, const LinkFailure& failure) {
        relay->post([=, this] { onWriteFinished(id, ok, attempts, error, failure); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::registersRead, worker_,
            [relay = relay_, this](quint64 id, bool ok, const QString& error, const LinkFailure& failure,
                                   const std::vector<int16_t>& values) {
        relay->post([=, this] { onRegistersRead(id, ok, error, failure, values); });
    }, Qt::DirectConnection);
    thread_->start();
}

InstrumentLink::~InstrumentLink()
{
    // The thread quits from its own queue, so everything posted before (a
    // write the operator just made) still runs, and the port is closed last.
    // Each call is bounded by the response time-out.
    postQueuedCall(worker_, [w = worker_] {
        w->shutdown();
        // The fieldbus is the caller's again once wait() returns. The thread
        // object is the token: the worker is deleted before wait() returns.
        handOverSent(QThread::currentThread());
        QThread::currentThread()->quit();
    });
    const bool stopped = thread_->wait(QDeadlineTimer(stopWait_));
    // Results still queued for this object go with it; none can come after.
    relay_->cutOff();
    if (!stopped) {
        // Leaving a stuck thread to finish its call beats tearing it down in
        // the middle of one. It owns all it still uses: the worker and the
        // fieldbus, and the thread object, which frees itself when it ends.
        qWarning("link thread did not end in time");
        return;
    }
    handOverReceived(thread_);
    delete thread_;  // the worker went with the thread's last deferred deletes
}

bool InstrumentLink::event(QEvent* event)
{
    return QueuedCall::runIfQueuedCall(event) || QObject::event(event);
}

void InstrumentLink::open(const LinkSettings& settings)
{
    settings_ = settings;
    postQueuedCall(worker_, [=, w = worker_] { w->open(settings); });
}

void InstrumentLink::close()
{
    postQueuedCall(worker_, [w = worker_] { w->close(); });
}

void InstrumentLink::startPollCycle(int cycle)
{
    postQueuedCall(worker_, [=, w = worker_] { w->startCycle(cycle); });
}

void InstrumentLink::write(const WriteRequest& request)
{
    const quint64 number = ++lastWriteNumber_;
    writesInFlight_.emplace(number, request);
    const int address = request.address;
    if (request.target == WriteRequest::Target::Register) {
        const int value = request.value;
        postQueuedCall(worker_, [=, w = worker_] { w->writeRegister(number, address, value); });
    } else {
        const bool on = request.on;
        postQueuedCall(worker_, [=, w = worker_] { w->writeCoil(number, address, on); });
    }
}

void InstrumentLink::onWriteFinished(quint64 id, bool ok, int attempts, const QString& error,
                                     const LinkFailure& failure)
{
    const auto it = writesInFlight_.find(id);
    if (it == writesInFlight_.end())
        return;
    WriteOutcome outcome{it->second, ok, attempts, error, failure};
    writesInFlight_.erase(it);
    if (!ok)
        // By its register or coil: the caption is Chinese, the log English.
        qCWarning(linkLog).noquote() << QStringLiteral("write to %1 %2 failed: %3")
                                            .arg(outcome.request.target == WriteRequest::Target::Register
                                                     ? QStringLiteral("register")
                                                     : QStringLiteral("coil"))
                                            .arg(outcome.request.address)
                                            .arg(error);
    emit writeFinished(outcome);
}

void InstrumentLink::readRegisters(int start, int count, QObject* asker)
{
    const quint64 number = ++lastReadNumber_;
    RegisterReading reading;
    reading.start = start;
    reading.count = count;
    reading.asker = asker;
    readsInFlight_.emplace(number, reading);
    postQueuedCall(worker_, [=, w = worker_] { w->readRegisters(number, start, count); });
}

void InstrumentLink::onRegistersRead(quint64 id, bool ok, const QString& error, const LinkFailure& failure,
                                     const std::vector<int16_t>& values)
{
    const auto it = readsInFlight_.find(id);
    if (it == readsInFlight_.end())
        return;
    RegisterReading reading = it->second;
    readsInFlight_.erase(it);
    reading.ok = ok;
    reading.error = error;
    reading.failure = failure;
    reading.values = values;
    emit registersRead(reading);
}
