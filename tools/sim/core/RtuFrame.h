#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tqsim {

using Frame = std::vector<uint8_t>;

// CRC-16 of Modbus RTU (polynomial 0xA001 reflected, start 0xFFFF).
uint16_t modbusCrc(const uint8_t* data, size_t length);

// Appends the CRC, low byte first as it travels on the wire.
void appendCrc(Frame& frame);
// At least address, function and CRC, and the CRC matches.
bool hasValidCrc(const Frame& frame);

// Length of a request frame, CRC included, as soon as the bytes seen so far
// tell it: nullopt while more bytes are needed to know, 0 when the function
// code has no fixed rule (such a frame ends at a silence).
std::optional<size_t> requestFrameLength(const uint8_t* data, size_t available);

// An exception response to `request` with the given exception code.
Frame exceptionResponse(const Frame& request, uint8_t code);

// The same response as sent by another station address, with a fresh CRC.
Frame withAddress(Frame response, uint8_t address);

// The same response with its CRC spoiled.
Frame withBadCrc(Frame response);

} // namespace tqsim
