#include "InstrumentLink.h"

#include "LinkWorker.h"

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

    connect(worker_, &LinkWorker::portOpened, this, &InstrumentLink::portOpened);
    connect(worker_, &LinkWorker::blockRead, this, &InstrumentLink::blockRead);
    connect(worker_, &LinkWorker::cycleFinished, this, &InstrumentLink::cycleFinished);
    connect(worker_, &LinkWorker::writeFinished, this, &InstrumentLink::writeFinished);
    thread_->start();
}

InstrumentLink::~InstrumentLink()
{
    // The thread quits from its own queue, so everything posted before (a
    // write the operator just made) still runs, and the port is closed last.
    // Each call is bounded by the response time-out.
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_] {
            w->shutdown();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (!thread_->wait(QDeadlineTimer(10000))) {
        // Leaking a stuck thread beats tearing it down in the middle of a call.
        qWarning("link thread did not end in time");
        return;
    }
    delete thread_;  // the worker went with the thread's last deferred deletes
}

void InstrumentLink::openPort(int port, int baudCode, int parityCode)
{
    QMetaObject::invokeMethod(worker_, [=, w = worker_] { w->openPort(port, baudCode, parityCode); },
                              Qt::QueuedConnection);
}

void InstrumentLink::closePort(int port)
{
    QMetaObject::invokeMethod(worker_, [=, w = worker_] { w->closePort(port); }, Qt::QueuedConnection);
}

void InstrumentLink::startPollCycle(int cycle, int port, int address)
{
    QMetaObject::invokeMethod(worker_, [=, w = worker_] { w->startPollCycle(cycle, port, address); },
                              Qt::QueuedConnection);
}

quint64 InstrumentLink::writeRegister(int port, int address, int registerAddress, int value)
{
    const quint64 id = ++nextWriteId_;
    QMetaObject::invokeMethod(
        worker_, [=, w = worker_] { w->writeRegister(id, port, address, registerAddress, value); },
        Qt::QueuedConnection);
    return id;
}

quint64 InstrumentLink::setCoil(int port, int address, int coil)
{
    const quint64 id = ++nextWriteId_;
    QMetaObject::invokeMethod(worker_, [=, w = worker_] { w->writeCoil(id, port, address, coil, true); },
                              Qt::QueuedConnection);
    return id;
}

quint64 InstrumentLink::resetCoil(int port, int address, int coil)
{
    const quint64 id = ++nextWriteId_;
    QMetaObject::invokeMethod(worker_, [=, w = worker_] { w->writeCoil(id, port, address, coil, false); },
                              Qt::QueuedConnection);
    return id;
}
