#include "link/ReplyCheck.h"

#include <algorithm>

#include <modbus.h>

namespace ReplyCheck {

namespace {

constexpr size_t kHeader = 3;  // address, function, byte count
constexpr size_t kCrc = 2;     // counted in lengths named to the operator, as on the wire

int word(std::span<const uint8_t> frame, size_t at)
{
    return frame[at] << 8 | frame[at + 1];
}

} // namespace

size_t expectedLength(std::span<const uint8_t> request)
{
    if (request.size() < 6)
        return 0;
    const auto count = static_cast<size_t>(word(request, 4));
    switch (request[1]) {
    case MODBUS_FC_READ_COILS:
    case MODBUS_FC_READ_DISCRETE_INPUTS:
        return kHeader + (count + 7) / 8;
    case MODBUS_FC_READ_HOLDING_REGISTERS:
    case MODBUS_FC_READ_INPUT_REGISTERS:
        return kHeader + 2 * count;
    case MODBUS_FC_WRITE_SINGLE_COIL:
    case MODBUS_FC_WRITE_SINGLE_REGISTER:
        return 6;  // the echo of the request
    default:
        return 0;
    }
}

std::string exceptionText(int code)
{
    if (code >= 1 && code < MODBUS_EXCEPTION_MAX)
        return modbus_strerror(MODBUS_ENOBASE + code);
    return "exception " + std::to_string(code);
}

FieldbusResult mismatch(std::span<const uint8_t> request, std::span<const uint8_t> answer)
{
    using Kind = LinkFailure::Kind;
    const auto wrong = [](std::string why) { return FieldbusResult::failed(Kind::WrongAnswer, std::move(why)); };
    if (answer.size() < 2 || answer[0] != request[0])
        return wrong(modbus_strerror(EMBBADSLAVE));
    if (answer[1] == (request[1] | 0x80)) {
        if (answer.size() == kHeader)
            return FieldbusResult::failed(Kind::Refused, exceptionText(answer[2]), answer[2]);
        return wrong("malformed exception answer");
    }
    if (answer[1] != request[1])
        return wrong("answer to function " + std::to_string(answer[1]) + " instead of " + std::to_string(request[1]));
    const size_t expected = expectedLength(request);
    if (answer.size() != expected)
        return wrong("answer of " + std::to_string(answer.size() + kCrc) + " bytes instead of "
                     + std::to_string(expected + kCrc) + " (not this request's)");
    if (expected == 6) {
        if (!std::equal(answer.begin() + 2, answer.end(), request.begin() + 2))
            return wrong("echo differs from the write");
    } else if (answer[2] != expected - kHeader) {
        return wrong("byte count " + std::to_string(answer[2]) + " instead of " + std::to_string(expected - kHeader));
    }
    return FieldbusResult::success();
}

} // namespace ReplyCheck
