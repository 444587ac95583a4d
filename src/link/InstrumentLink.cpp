#include "link/InstrumentLink.h"

#include "link/LinkWorker.h"
#include "link/QueuedCall.h"
#include "link/ThreadHandOver.h"

namespace {

void registerLinkTypes()
{
    qRegisterMetaType<PollBlock>();
    qRegisterMetaType<CycleReport>();
    qRegisterMetaType<WriteOutcome>();
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

    // The worker's results are copied on the link thread and handed over as
    // queued calls that emit this object's signals on its own thread. The
    // direct connections end with this object, so a worker that outlives it
    // posts nothing to a dead receiver.
    connect(worker_, &LinkWorker::portOpened, this, [this](bool ok, const QString& error) {
        postQueuedCall(this, [this, ok, error] { emit portOpened(ok, error); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::blockRead, this, [this](const PollBlock& block) {
        postQueuedCall(this, [this, block] { emit blockRead(block); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::cycleFinished, this, [this](const CycleReport& report) {
        postQueuedCall(this, [this, report] { emit cycleFinished(report); });
    }, Qt::DirectConnection);
    connect(worker_, &LinkWorker::writeFinished, this, [this](const WriteOutcome& outcome) {
        postQueuedCall(this, [this, outcome] { emit writeFinished(outcome); });
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
    if (!thread_->wait(QDeadlineTimer(10000))) {
        // Leaking a stuck thread beats tearing it down in the middle of a call.
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

void InstrumentLink::openPort(int port, int baudCode, int parityCode)
{
    postQueuedCall(worker_, [=, w = worker_] { w->openPort(port, baudCode, parityCode); });
}

void InstrumentLink::closePort(int port)
{
    postQueuedCall(worker_, [=, w = worker_] { w->closePort(port); });
}

void InstrumentLink::startPollCycle(int cycle, int port, int address)
{
    postQueuedCall(worker_, [=, w = worker_] { w->startPollCycle(cycle, port, address); });
}

quint64 InstrumentLink::writeRegister(int port, int address, int registerAddress, int value)
{
    const quint64 id = ++nextWriteId_;
    postQueuedCall(worker_, [=, w = worker_] { w->writeRegister(id, port, address, registerAddress, value); });
    return id;
}

quint64 InstrumentLink::setCoil(int port, int address, int coil)
{
    const quint64 id = ++nextWriteId_;
    postQueuedCall(worker_, [=, w = worker_] { w->writeCoil(id, port, address, coil, true); });
    return id;
}

quint64 InstrumentLink::resetCoil(int port, int address, int coil)
{
    const quint64 id = ++nextWriteId_;
    postQueuedCall(worker_, [=, w = worker_] { w->writeCoil(id, port, address, coil, false); });
    return id;
}
