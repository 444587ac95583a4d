#include "FaultInjector.h"

namespace tqsim {

FaultInjector::FaultInjector(FaultMode mode, int afterAnswers)
    : mode_(mode)
    , after_(afterAnswers)
{
}

bool FaultInjector::active(bool switchedOn) const
{
    return mode_ != FaultMode::None && switchedOn && answered_ >= after_;
}

bool FaultInjector::executesRequest(FaultMode mode)
{
    return mode == FaultMode::None || mode == FaultMode::Crc || mode == FaultMode::WrongAddress;
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
    }
    return answer;
}

} // namespace tqsim
