#include "FrameAssembler.h"

namespace tqsim {

FrameAssembler::FrameAssembler(Clock::duration silence)
    : silence_(silence)
{
}

void FrameAssembler::feed(const uint8_t* data, size_t length, Clock::time_point now)
{
    if (length == 0)
        return;
    if (buffer_.empty())
        firstByte_ = now;
    lastByte_ = now;
    buffer_.insert(buffer_.end(), data, data + length);
}

std::optional<FrameAssembler::Received> FrameAssembler::take(Clock::time_point now)
{
    if (buffer_.empty())
        return std::nullopt;
    const bool quiet = now - lastByte_ >= silence_;
    const auto length = requestFrameLength(buffer_.data(), buffer_.size());

    if (length && *length > 0 && *length <= kMaxFrame) {
        if (buffer_.size() >= *length) {
            Received received{Frame(buffer_.begin(), buffer_.begin() + static_cast<long>(*length)), firstByte_};
            buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<long>(*length));
            firstByte_ = lastByte_;
            return received;
        }
        if (quiet)
            discard();
        return std::nullopt;
    }

    // Too long for any frame, or a function without a length rule: the
    // silence decides. Only the latter is worth handing on.
    if (buffer_.size() > kMaxFrame) {
        discard();
        return std::nullopt;
    }
    if (!quiet)
        return std::nullopt;
    std::optional<Received> received;
    if (length && *length == 0)
        received = Received{buffer_, firstByte_};
    discard();
    return received;
}

void FrameAssembler::discard()
{
    buffer_.clear();
}

std::optional<Clock::time_point> FrameAssembler::silenceDeadline() const
{
    if (buffer_.empty())
        return std::nullopt;
    return lastByte_ + silence_;
}

} // namespace tqsim
