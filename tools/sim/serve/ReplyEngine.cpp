#include "ReplyEngine.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace tqsim {

ReplyEngine::ReplyEngine(RegisterImage& image)
{
    // The mapping points into the image, so writes land there directly.
    mapping_.nb_bits = RegisterImage::kBits;
    mapping_.nb_input_bits = RegisterImage::kBits;
    mapping_.nb_input_registers = RegisterImage::kInputRegisters;
    mapping_.nb_registers = RegisterImage::kHoldingRegisters;
    mapping_.tab_bits = image.coilData();
    mapping_.tab_input_bits = image.discreteData();
    mapping_.tab_input_registers = image.inputData();
    mapping_.tab_registers = image.holdingData();

    if (pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) {
        error_ = std::string("cannot create a pipe: ") + std::strerror(errno);
        return;
    }
    // Never connected: the device name only satisfies the constructor.
    context_ = modbus_new_rtu("tq5800-sim", 9600, 'N', 8, 1);
    if (context_ == nullptr) {
        error_ = std::string("cannot create a Modbus context: ") + modbus_strerror(errno);
        return;
    }
    modbus_set_socket(context_, pipe_[1]);
}

ReplyEngine::~ReplyEngine()
{
    if (context_ != nullptr)
        modbus_free(context_);
    for (int fd : pipe_) {
        if (fd >= 0)
            close(fd);
    }
}

Frame ReplyEngine::reply(const Frame& request)
{
    if (context_ == nullptr || request.empty())
        return {};
    modbus_reply(context_, request.data(), static_cast<int>(request.size()), &mapping_);
    Frame answer;
    uint8_t buffer[MODBUS_RTU_MAX_ADU_LENGTH];
    ssize_t n = 0;
    while ((n = read(pipe_[0], buffer, sizeof buffer)) > 0)
        answer.insert(answer.end(), buffer, buffer + n);
    return answer;
}

} // namespace tqsim
