#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "link/Fieldbus.h"

// Whether an answer belongs to the request it came after. An RTU answer
// names neither its register address nor its request, so the station takes
// only an answer of exactly the shape its own request calls for: the same
// station and function, the length the request implies, and for a write the
// echo of what was written. Frames are address, function and data, without
// the CRC (libmodbus has checked it already).
namespace ReplyCheck {

// The length of the answer the request calls for; 0 for a function the
// station never sends.
size_t expectedLength(std::span<const uint8_t> request);

// Success when the answer fits the request; else a wrong answer, or for an
// exception answer a refusal numbered by the exception, with why in a few
// words.
FieldbusResult mismatch(std::span<const uint8_t> request, std::span<const uint8_t> answer);

// libmodbus's words for the exceptions it knows; "exception N" for others.
std::string exceptionText(int code);

} // namespace ReplyCheck
