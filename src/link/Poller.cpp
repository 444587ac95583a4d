#include "link/Poller.h"

#include <bitset>
#include <span>

#include "core/Clock.h"
#include "instrument/InstrumentState.h"
#include "link/PollPlan.h"
#include "link/InstrumentLink.h"
#include "link/LinkLog.h"

namespace {

std::bitset<RegisterMap::kBitBlockSize> bitsOf(const PollBlock& block)
{
    std::bitset<RegisterMap::kBitBlockSize> bits;
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = block.bits[i];
    return bits;
}

} // namespace

Poller::Poller(InstrumentState& state, InstrumentLink& link, const Clock& clock, QObject* parent)
    : QObject(parent)
    , state_(state)
    , link_(link)
    , clock_(clock)
{
    cycleTimer_.setInterval(kPollIntervalMs);
    connect(&cycleTimer_, &QTimer::timeout, this, &Poller::startCycle);
    connect(&link_, &InstrumentLink::blockRead, this, &Poller::applyBlock);
    connect(&link_, &InstrumentLink::cycleFinished, this, &Poller::onCycleFinished);
}

void Poller::start()
{
    health_.linkOpened();
    cycleTimer_.start();
    emit linkHealthChanged();
}

void Poller::stop()
{
    cycleTimer_.stop();
    health_.linkClosed();
    emit linkHealthChanged();
}

void Poller::setCycleInterval(std::chrono::milliseconds interval)
{
    cycleTimer_.setInterval(interval);
}

std::chrono::milliseconds Poller::cycleInterval() const
{
    return cycleTimer_.intervalAsDuration();
}

void Poller::startCycle()
{
    if (cycleInProgress_) {
        ++droppedTicks_;
        return;
    }
    cycleInProgress_ = true;
    link_.startPollCycle(++cycle_);
}

void Poller::onCycleFinished(const CycleReport& report)
{
    if (report.cycle == cycle_)
        cycleInProgress_ = false;
    if (report.aborted)
        return;
    const bool wasFailing = health_.failingSince().has_value();
    health_.recordCycle(report, clock_.now());
    logEpisode(wasFailing);
    emit cycleFinished(report);
    emit linkHealthChanged();
}

void Poller::logEpisode(bool wasFailing)
{
    const bool failing = health_.failingSince().has_value();
    if (failing && !wasFailing)
        qCWarning(linkLog).noquote() << QStringLiteral("link failing: %1 of %2 calls failed: %3")
                                            .arg(health_.failedCalls()).arg(health_.calls()).arg(health_.failureReason());
    else if (!failing && wasFailing)
        qCWarning(linkLog) << "link recovered: every call answered";
}

void Poller::applyBlock(const PollBlock& block)
{
    using Block = InstrumentState::Block;
    const QDateTime now = clock_.now();
    const auto registers = std::span<const int16_t>(block.registers);
    const auto failed = [this](Block b) { state_.markReadFailed(b); };
    switch (block.step) {
    case 1:
        if (!block.readOk[0])
            return failed(Block::Measurements);
        state_.setMeasurements(registers.first<RegisterMap::kInputBlockSize>(), now);
        break;
    case 2:
        if (!block.readOk[0])
            return failed(Block::Commands);
        state_.setCommands(registers.first<RegisterMap::kHoldingBlockSize>(), now);
        break;
    case 3:
        // Each read of the step counts on its own: a failed one keeps the
        // parameters it covers at their last values instead of zeroing them.
        for (const PollRead& read : kPollPlan) {
            if (read.step != 3)
                continue;
            if (block.readOk[static_cast<size_t>(read.index)])
                state_.setParameters(read.offset, registers.subspan(static_cast<size_t>(read.offset),
                                                                    static_cast<size_t>(read.count)), now);
            else
                failed(Block::Parameters);
        }
        break;
    case 4:
        if (!block.readOk[0])
            return failed(Block::AlarmSetPoints);
        state_.setAlarmRegisters(registers.first<RegisterMap::kAlarmBlockSize>(), now);
        break;
    case 5:
        if (!block.readOk[0])
            return failed(Block::DiscreteInputs);
        state_.setDiscreteInputs(bitsOf(block), now);
        break;
    case 6:
        if (!block.readOk[0])
            return failed(Block::Coils);
        state_.setCoils(bitsOf(block), now);
        break;
    default:
        return;
    }
    emit blockApplied(block.step);
}
