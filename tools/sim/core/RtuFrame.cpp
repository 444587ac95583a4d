#include "RtuFrame.h"

namespace tqsim {

uint16_t modbusCrc(const uint8_t* data, size_t length)
{
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}

void appendCrc(Frame& frame)
{
    const uint16_t crc = modbusCrc(frame.data(), frame.size());
    frame.push_back(static_cast<uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
}

bool hasValidCrc(const Frame& frame)
{
    if (frame.size() < 4)
        return false;
    const size_t body = frame.size() - 2;
    const uint16_t crc = modbusCrc(frame.data(), body);
    return frame[body] == (crc & 0xFF) && frame[body + 1] == (crc >> 8);
}

std::optional<size_t> requestFrameLength(const uint8_t* data, size_t available)
{
    if (available < 2)
        return std::nullopt;
    switch (data[1]) {
    case 1: // read coils
    case 2: // read discrete inputs
    case 3: // read holding registers
    case 4: // read input registers
    case 5: // write single coil
    case 6: // write single register
        return 8;
    case 15: // write multiple coils: address, function, start, count, byte count, data, CRC
    case 16: // write multiple registers
        if (available < 7)
            return std::nullopt;
        return 9 + static_cast<size_t>(data[6]);
    default:
        return 0;
    }
}

Frame exceptionResponse(const Frame& request, uint8_t code)
{
    Frame response{request.at(0), static_cast<uint8_t>(request.at(1) | 0x80), code};
    appendCrc(response);
    return response;
}

Frame withAddress(Frame response, uint8_t address)
{
    if (response.size() < 4)
        return response;
    response.resize(response.size() - 2);
    response[0] = address;
    appendCrc(response);
    return response;
}

Frame withBadCrc(Frame response)
{
    if (!response.empty())
        response.back() ^= 0xFF;
    return response;
}

} // namespace tqsim
