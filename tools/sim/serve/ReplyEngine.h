#pragma once

#include <string>

#include <modbus.h>

#include "RegisterImage.h"
#include "RtuFrame.h"

namespace tqsim {

// Carries out one Modbus request on the register image with libmodbus and
// hands back the answer instead of sending it: libmodbus writes it into a
// pipe of our own, so the server can delay or spoil it before it goes on
// the line.
class ReplyEngine {
public:
    explicit ReplyEngine(RegisterImage& image);
    ~ReplyEngine();
    ReplyEngine(const ReplyEngine&) = delete;
    ReplyEngine& operator=(const ReplyEngine&) = delete;

    bool ok() const { return context_ != nullptr; }
    const std::string& error() const { return error_; }

    // The answer to a request whose CRC has been checked; empty for a
    // broadcast, which is carried out but never answered.
    Frame reply(const Frame& request);

private:
    modbus_t* context_ = nullptr;
    modbus_mapping_t mapping_{};
    int pipe_[2] = {-1, -1};
    std::string error_;
};

} // namespace tqsim
