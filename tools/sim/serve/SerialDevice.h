#pragma once

#include <memory>
#include <string>

#include "Line.h"
#include "Options.h"

typedef struct _modbus modbus_t;

namespace tqsim {

// An existing serial device, opened and configured by libmodbus with the
// baud rate and parity of the command line.
class SerialDevice final : public Line {
public:
    static std::unique_ptr<SerialDevice> open(const Options& options, std::string* error);
    ~SerialDevice() override;

    int fd() const override;
    std::string deviceName() const override { return path_; }

private:
    SerialDevice(modbus_t* context, std::string path);

    modbus_t* context_;
    std::string path_;
};

} // namespace tqsim
