#include "link/LinkWorker.h"

#include <span>

#include "link/PollPlan.h"
#include "link/QueuedCall.h"

LinkWorker::LinkWorker(std::unique_ptr<Fieldbus> fieldbus)
    : fieldbus_(std::move(fieldbus))
{
}

LinkWorker::~LinkWorker() = default;

bool LinkWorker::event(QEvent* event)
{
    return QueuedCall::runIfQueuedCall(event) || QObject::event(event);
}

void LinkWorker::openPort(int port, int baudCode, int parityCode)
{
    portWanted_ = true;
    const bool ok = fieldbus_->OpenPort_Modbus(port, baudCode, parityCode) != Fieldbus::kFailure;
    emit portOpened(ok, ok ? QString() : QString::fromStdString(fieldbus_->lastError()));
}

void LinkWorker::closePort(int port)
{
    fieldbus_->ClosePort_Modbus(port);
    portWanted_ = false;
    if (cycleActive_)
        finishCycle(true);
}

void LinkWorker::shutdown()
{
    if (portWanted_)
        closePort(0);
}

void LinkWorker::startPollCycle(int cycle, int port, int address)
{
    if (cycleActive_ || !portWanted_) {
        // Not an instrument failure: nothing is asked while the link is
        // closed, and cycles never overlap.
        CycleReport refused;
        refused.cycle = cycle;
        refused.aborted = true;
        emit cycleFinished(refused);
        return;
    }
    report_ = CycleReport{};
    report_.cycle = cycle;
    cycleActive_ = true;
    cyclePort_ = port;
    cycleAddress_ = address;
    nextRead_ = 0;
    runNextRead();
}

void LinkWorker::runNextRead()
{
    if (!cycleActive_)
        return;  // closed while this step waited in the queue

    const PollRead& read = kPollPlan[static_cast<size_t>(nextRead_)];
    if (read.index == 0) {
        block_ = PollBlock{};
        block_.cycle = report_.cycle;
        block_.step = read.step;
    }
    const bool ok = performRead(nextRead_) != Fieldbus::kFailure;
    block_.readOk[static_cast<size_t>(read.index)] = ok;
    ++report_.calls;
    if (!ok) {
        ++report_.failedCalls;
        report_.lastError = QString::fromStdString(fieldbus_->lastError());
    }
    if (read.last)
        emit blockRead(block_);

    ++nextRead_;
    if (nextRead_ == static_cast<int>(kPollPlan.size())) {
        finishCycle(false);
        return;
    }
    // The yield: whatever was queued meanwhile (operator writes, a close)
    // runs before the next read.
    // The step names its cycle: if this one is closed and a new one started
    // before the step runs, it must not drive the new cycle a second time.
    postQueuedCall(this, [this, cycle = report_.cycle] {
        if (report_.cycle == cycle)
            runNextRead();
    });
}

int LinkWorker::performRead(int planIndex)
{
    const PollRead& read = kPollPlan[static_cast<size_t>(planIndex)];
    int32_t* target = block_.raw.data() + read.offset;
    switch (read.kind) {
    case PollRead::Kind::Input8:
        return fieldbus_->Get_3X_D8(cyclePort_, cycleAddress_, read.start, std::span<int32_t, 8>(target, 8));
    case PollRead::Kind::Holding8:
        return fieldbus_->Get_4X_D8(cyclePort_, cycleAddress_, read.start, std::span<int32_t, 8>(target, 8));
    case PollRead::Kind::Holding16:
        return fieldbus_->Get_4X_D16(cyclePort_, cycleAddress_, read.start, std::span<int32_t, 16>(target, 16));
    case PollRead::Kind::DiscreteInputs16:
        return fieldbus_->Get_1X_B16(cyclePort_, cycleAddress_, read.start, std::span<int32_t, 2>(target, 2));
    case PollRead::Kind::Coils16:
        return fieldbus_->Get_0X_B16(cyclePort_, cycleAddress_, read.start, std::span<int32_t, 2>(target, 2));
    }
    return Fieldbus::kFailure;
}

void LinkWorker::finishCycle(bool aborted)
{
    cycleActive_ = false;
    report_.aborted = aborted;
    emit cycleFinished(report_);
}

void LinkWorker::writeRegister(quint64 id, int port, int address, int registerAddress, int value)
{
    WriteOutcome outcome;
    outcome.id = id;
    outcome.kind = WriteOutcome::Kind::Register;
    outcome.address = registerAddress;
    outcome.value = value;
    // A failed holding-register write is repeated once, identically.
    int result = fieldbus_->Set_4X_D1(port, address, registerAddress, value);
    outcome.calls = 1;
    if (result == Fieldbus::kFailure) {
        result = fieldbus_->Set_4X_D1(port, address, registerAddress, value);
        outcome.calls = 2;
    }
    outcome.ok = result != Fieldbus::kFailure;
    if (!outcome.ok)
        outcome.error = QString::fromStdString(fieldbus_->lastError());
    emit writeFinished(outcome);
}

void LinkWorker::writeCoil(quint64 id, int port, int address, int coil, bool on)
{
    WriteOutcome outcome;
    outcome.id = id;
    outcome.kind = on ? WriteOutcome::Kind::CoilOn : WriteOutcome::Kind::CoilOff;
    outcome.address = coil;
    outcome.calls = 1;
    const int result = on ? fieldbus_->Set_0X_Bit1(port, address, coil)
                          : fieldbus_->Rst_0X_Bit1(port, address, coil);
    outcome.ok = result != Fieldbus::kFailure;
    if (!outcome.ok)
        outcome.error = QString::fromStdString(fieldbus_->lastError());
    emit writeFinished(outcome);
}
