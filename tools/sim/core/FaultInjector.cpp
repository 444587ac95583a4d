#include "FaultInjector.h"

#include "instrument/RegisterMap.h"

namespace tqsim {

namespace {

// An answer to the poll's input-register read, as if the instrument had
// sent one nobody asked for.
Frame inputAnswer(int stationAddress, int16_t processValue)
{
    Frame frame{static_cast<uint8_t>(stationAddress), 0x04, 2 * RegisterMap::kInputBlockSize};
    for (int i = 0; i < RegisterMap::kInputBlockSize; ++i) {
        const auto value = static_cast<uint16_t>(i + 1 == RegisterMap::kProcessValue ? processValue : 0);
        frame.push_back(static_cast<uint8_t>(value >> 8));
        frame.push_back(static_cast<uint8_t>(value & 0xFF));
    }
    appendCrc(frame);
    return frame;
}

} // namespace

FaultInjector::FaultInjector(FaultMode mode, int afterAnswers, int lateMs)
    : mode_(mode)
    , after_(afterAnswers)
    , late_(mode == FaultMode::Late ? lateMs : 0)
{
}

std::chrono::milliseconds FaultInjector::delay() const
{
    return late_;
}

bool FaultInjector::active(bool switchedOn) const
{
    return mode_ != FaultMode::None && switchedOn && answered_ >= after_;
}

bool FaultInjector::executesRequest(FaultMode mode)
{
    return mode != FaultMode::Silent && mode != FaultMode::Exception;
}

Frame FaultInjector::spoil(const Frame& request, const Frame& answer, int stationAddress) const
{
    switch (mode_) {
    case FaultMode::None:
        return answer;
    case FaultMode::Silent:
        return {};
    case FaultMode::Crc:
        return withBadCrc(answer);
    case FaultMode::Exception:
        return exceptionResponse(request, kExceptionCode);
    case FaultMode::WrongAddress:
        // The neighbour on the line, wrapping from 247 to 1.
        return withAddress(answer, static_cast<uint8_t>(stationAddress % 247 + 1));
    case FaultMode::Late:
    case FaultMode::Duplicate:
        return answer;
    case FaultMode::Trailing: {
        Frame spoiled = answer;
        const Frame tail = answered_ % 2 == 0 ? inputAnswer(stationAddress, kTailProcessValue)
                                              : Frame{0x00, 0xFF, 0x13, 0x7E, 0xA5};
        spoiled.insert(spoiled.end(), tail.begin(), tail.end());
        return spoiled;
    }
    case FaultMode::OneBehind:
        return previous_;
    }
    return answer;
}

} // namespace tqsim
