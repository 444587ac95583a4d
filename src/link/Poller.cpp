#include "link/Poller.h"

#include <algorithm>

#include "core/Clock.h"
#include "instrument/ProcessImage.h"
#include "link/InstrumentLink.h"
#include "link/LinkLog.h"

namespace {

// Quantities the instrument keeps in tenths: the output (3X 2), the manual
// output (4X 2) and parameters 6, 17, 18 and 33.
float tenths(int32_t raw)
{
    return static_cast<float>(raw / 10.0);
}

bool parameterInTenths(int n)
{
    return n == 6 || n == 17 || n == 18 || n == 33;
}

constexpr int kLastParameter = 37;

// Which parameter elements each read of the parameter step delivers.
constexpr std::array<std::pair<int, int>, 3> kParameterReads{{{1, 16}, {17, 32}, {33, kLastParameter}}};

} // namespace

Poller::Poller(ProcessImage& image, InstrumentLink& link, const Clock& clock, QObject* parent)
    : QObject(parent)
    , image_(image)
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
    const auto& registers = block.registers;
    switch (block.step) {
    case 1:
        if (!block.readOk[0])
            return;
        for (size_t i = 0; i < 8; ++i) {
            image_.inputRegs[i] = registers[i];
            image_.inputValues[i] = i == 1 ? tenths(registers[i]) : static_cast<float>(registers[i]);
        }
        break;
    case 2:
        if (!block.readOk[0])
            return;
        for (size_t i = 0; i < 8; ++i) {
            image_.holdingRegs[i] = registers[i];
            image_.holdingValues[i] = i == 1 ? tenths(registers[i]) : static_cast<float>(registers[i]);
        }
        break;
    case 3:
        // Each read of the block counts on its own: a failed one keeps the
        // parameters it covers at their last values instead of zeroing them.
        for (size_t r = 0; r < kParameterReads.size(); ++r) {
            if (!block.readOk[r])
                continue;
            for (int n = kParameterReads[r].first; n <= kParameterReads[r].second; ++n) {
                const auto i = static_cast<size_t>(n);
                image_.paramValues[i] = parameterInTenths(n) ? tenths(registers[i]) : static_cast<float>(registers[i]);
            }
        }
        break;
    case 4:
        if (!block.readOk[0])
            return;
        std::copy_n(registers.begin(), 16, image_.alarmRegs.begin());
        break;
    case 5:
    case 6: {
        if (!block.readOk[0])
            return;
        auto& bits = block.step == 5 ? image_.inputBits : image_.coilBits;
        for (size_t i = 0; i < block.bits.size(); ++i)
            bits[i] = block.bits[i] ? 1 : 0;
        break;
    }
    default:
        return;
    }
    emit blockApplied(block.step);
}
