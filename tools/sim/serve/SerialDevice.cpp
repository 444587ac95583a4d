#include "SerialDevice.h"

#include <cerrno>

#include <fcntl.h>
#include <modbus.h>

namespace tqsim {

namespace {

char parityLetter(Parity parity)
{
    return parity == Parity::Odd ? 'O' : parity == Parity::Even ? 'E' : 'N';
}

} // namespace

std::unique_ptr<SerialDevice> SerialDevice::open(const Options& options, std::string* error)
{
    modbus_t* context = modbus_new_rtu(options.devicePath.c_str(), options.baud,
                                       parityLetter(options.parity), 8, 1);
    if (context == nullptr) {
        *error = std::string("cannot use ") + options.devicePath + ": " + modbus_strerror(errno);
        return nullptr;
    }
    if (modbus_connect(context) == -1) {
        *error = std::string("cannot open ") + options.devicePath + ": " + modbus_strerror(errno);
        modbus_free(context);
        return nullptr;
    }
    // Ordinary ports and pseudo-terminals refuse RS-485 mode (ENOTTY);
    // adapters that switch direction by themselves need none.
    modbus_rtu_set_serial_mode(context, MODBUS_RTU_RS485);
    modbus_flush(context);
    const int fd = modbus_get_socket(context);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return std::unique_ptr<SerialDevice>(new SerialDevice(context, options.devicePath));
}

SerialDevice::SerialDevice(modbus_t* context, std::string path)
    : context_(context)
    , path_(std::move(path))
{
}

SerialDevice::~SerialDevice()
{
    modbus_close(context_);
    modbus_free(context_);
}

int SerialDevice::fd() const
{
    return modbus_get_socket(context_);
}

} // namespace tqsim
