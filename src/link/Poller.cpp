#include "link/Poller.h"

#include "core/Clock.h"
#include "link/InstrumentLink.h"
#include "instrument/ProcessImage.h"

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
    Timer1.setInterval(kPollIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &Poller::Timer1_Timer);
    connect(&link_, &InstrumentLink::blockRead, this, &Poller::applyBlock);
    connect(&link_, &InstrumentLink::cycleFinished, this, &Poller::onCycleFinished);
}

void Poller::start()
{
    health_.linkOpened();
    Timer1.start();
    emit linkHealthChanged();
}

void Poller::stop()
{
    Timer1.stop();
    health_.linkClosed();
    emit linkHealthChanged();
}

void Poller::Timer1_Timer()
{
    if (cycleInProgress_) {
        ++droppedTicks_;
        return;
    }
    cycleInProgress_ = true;
    link_.startPollCycle(++cycle_, image_.linkSettings[ProcessImage::kPortSlot],
                         image_.linkSettings[ProcessImage::kAddressSlot]);
}

void Poller::onCycleFinished(const CycleReport& report)
{
    if (report.cycle == cycle_)
        cycleInProgress_ = false;
    if (report.aborted)
        return;
    health_.recordCycle(report, clock_.now());
    emit cycleFinished(report);
    emit linkHealthChanged();
}

void Poller::D_Byte(int value)
{
    for (int i = 7; i >= 0; --i)
        byteBits[static_cast<size_t>(i)] = static_cast<uint8_t>((value >> i) & 1);
}

void Poller::splitInto(int32_t word, std::array<int32_t, 101>& bits, int first)
{
    // All eight bits set (255) is a valid byte like any other.
    if (word < 0 || word > 255)
        return;
    D_Byte(word);
    for (int i = 0; i < 8; ++i)
        bits[static_cast<size_t>(first + i)] = byteBits[static_cast<size_t>(i)];
}

void Poller::applyBlock(const PollBlock& block)
{
    const auto& raw = block.raw;
    switch (block.step) {
    case 1:
        if (!block.readOk[0])
            return;
        for (size_t i = 0; i < 8; ++i) {
            image_.inputRegs[i] = raw[i];
            image_.inputValues[i] = i == 1 ? tenths(raw[i]) : static_cast<float>(raw[i]);
        }
        break;
    case 2:
        if (!block.readOk[0])
            return;
        for (size_t i = 0; i < 8; ++i) {
            image_.holdingRegs[i] = raw[i];
            image_.holdingValues[i] = i == 1 ? tenths(raw[i]) : static_cast<float>(raw[i]);
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
                image_.paramValues[i] = parameterInTenths(n) ? tenths(raw[i]) : static_cast<float>(raw[i]);
            }
        }
        break;
    case 4:
        if (!block.readOk[0])
            return;
        std::copy_n(raw.begin(), 16, image_.alarmRegs.begin());
        break;
    case 5:
    case 6: {
        if (!block.readOk[0])
            return;
        const size_t word = block.step == 5 ? 0 : 2;
        auto& bits = block.step == 5 ? image_.inputBits : image_.coilBits;
        bitWords[word] = raw[0];
        bitWords[word + 1] = raw[1];
        splitInto(bitWords[word], bits, 0);
        splitInto(bitWords[word + 1], bits, 8);
        break;
    }
    default:
        return;
    }
    emit blockApplied(block.step);
}
