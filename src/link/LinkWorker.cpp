#include "link/LinkWorker.h"

#include <span>

#include "link/LinkLog.h"
#include "link/PollPlan.h"
#include "core/QueuedCall.h"

namespace {

const char* tableName(PollRead::Table table)
{
    switch (table) {
    case PollRead::Table::InputRegisters: return "input registers";
    case PollRead::Table::HoldingRegisters: return "holding registers";
    case PollRead::Table::DiscreteInputs: return "discrete inputs";
    case PollRead::Table::Coils: return "coils";
    }
    return "?";
}

QString outcomeText(const FieldbusResult& result)
{
    return result.ok ? QStringLiteral("ok") : QStringLiteral("failed: ") + QString::fromStdString(result.reason);
}

} // namespace

LinkWorker::LinkWorker(std::unique_ptr<Fieldbus> fieldbus)
    : fieldbus_(std::move(fieldbus))
{
}

LinkWorker::~LinkWorker() = default;

bool LinkWorker::event(QEvent* event)
{
    return QueuedCall::runIfQueuedCall(event) || QObject::event(event);
}

void LinkWorker::open(const LinkSettings& settings)
{
    portWanted_ = true;
    const FieldbusResult result = fieldbus_->open(settings);
    qCDebug(linkLog).noquote() << QStringLiteral("open port %1, baud code %2, parity code %3, module %4: %5")
                                      .arg(settings.port).arg(settings.baudCode).arg(settings.parityCode)
                                      .arg(settings.moduleAddress).arg(outcomeText(result));
    const QString error = QString::fromStdString(result.reason);
    if (!result.ok)
        qCWarning(linkLog).noquote() << QStringLiteral("port %1 did not open: %2").arg(settings.port).arg(error);
    emit portOpened(result.ok, error, result.failure);
}

void LinkWorker::close()
{
    fieldbus_->close();
    qCDebug(linkLog) << "close";
    portWanted_ = false;
    if (cycleActive_)
        finishCycle(true);
}

void LinkWorker::shutdown()
{
    if (portWanted_)
        close();
}

void LinkWorker::startCycle(int cycle)
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
    const FieldbusResult result = performRead(nextRead_);
    qCDebug(linkLog).noquote() << QStringLiteral("read %1 %2 from %3: %4")
                                      .arg(read.count).arg(QLatin1String(tableName(read.table))).arg(read.start)
                                      .arg(outcomeText(result));
    block_.readOk[static_cast<size_t>(read.index)] = result.ok;
    ++report_.calls;
    if (!result.ok) {
        ++report_.failedCalls;
        report_.failureReason = QString::fromStdString(result.reason);
        report_.failure = result.failure;
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

FieldbusResult LinkWorker::performRead(int planIndex)
{
    const PollRead& read = kPollPlan[static_cast<size_t>(planIndex)];
    const auto count = static_cast<size_t>(read.count);
    const auto registers = std::span(block_.registers).subspan(static_cast<size_t>(read.offset), count);
    const auto bits = std::span(block_.bits).first(count);
    switch (read.table) {
    case PollRead::Table::InputRegisters:
        return fieldbus_->readRegisters(RegisterTable::Input, read.start, registers);
    case PollRead::Table::HoldingRegisters:
        return fieldbus_->readRegisters(RegisterTable::Holding, read.start, registers);
    case PollRead::Table::DiscreteInputs:
        return fieldbus_->readBits(BitTable::DiscreteInputs, read.start, bits);
    case PollRead::Table::Coils:
        return fieldbus_->readBits(BitTable::Coils, read.start, bits);
    }
    return FieldbusResult::failed(LinkFailure::Kind::Unknown, "unknown table");
}

void LinkWorker::finishCycle(bool aborted)
{
    cycleActive_ = false;
    report_.aborted = aborted;
    emit cycleFinished(report_);
}

void LinkWorker::writeRegister(quint64 id, int registerNumber, int value)
{
    // A failed holding-register write is repeated once, identically.
    int attempts = 0;
    FieldbusResult result;
    do {
        result = fieldbus_->writeRegister(registerNumber, value);
        ++attempts;
        qCDebug(linkLog).noquote() << QStringLiteral("write register %1 = %2: %3")
                                          .arg(registerNumber).arg(value).arg(outcomeText(result));
    } while (!result.ok && attempts < 2);
    emit writeFinished(id, result.ok, attempts, QString::fromStdString(result.reason), result.failure);
}

void LinkWorker::writeCoil(quint64 id, int coil, bool on)
{
    const FieldbusResult result = fieldbus_->writeCoil(coil, on);
    qCDebug(linkLog).noquote() << QStringLiteral("write coil %1 %2: %3")
                                      .arg(coil).arg(on ? QStringLiteral("on") : QStringLiteral("off"))
                                      .arg(outcomeText(result));
    emit writeFinished(id, result.ok, 1, QString::fromStdString(result.reason), result.failure);
}

void LinkWorker::readRegisters(quint64 id, int start, int count)
{
    std::vector<int16_t> values(static_cast<size_t>(count));
    const FieldbusResult result = fieldbus_->readRegisters(RegisterTable::Holding, start, values);
    qCDebug(linkLog).noquote() << QStringLiteral("read %1 holding registers from %2: %3")
                                      .arg(count).arg(start).arg(outcomeText(result));
    emit registersRead(id, result.ok, QString::fromStdString(result.reason), result.failure,
                       result.ok ? values : std::vector<int16_t>{});
}
