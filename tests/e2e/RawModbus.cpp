#include "RawModbus.h"

#include <modbus.h>

RawModbus::RawModbus(const std::string& device, int slave)
{
    modbus_t* context = modbus_new_rtu(device.c_str(), 9600, 'N', 8, 1);
    if (context == nullptr)
        return;
    if (modbus_connect(context) != 0) {
        modbus_free(context);
        return;
    }
    modbus_set_slave(context, slave);
    modbus_set_response_timeout(context, 0, 500000);
    modbus_flush(context);
    context_ = context;
}

RawModbus::~RawModbus()
{
    if (context_ != nullptr) {
        modbus_close(context_);
        modbus_free(context_);
    }
}

std::optional<std::vector<int16_t>> RawModbus::inputRegisters(int pduAddress, int count)
{
    std::vector<uint16_t> raw(static_cast<size_t>(count));
    if (!context_ || modbus_read_input_registers(context_, pduAddress, count, raw.data()) != count)
        return std::nullopt;
    return std::vector<int16_t>(raw.begin(), raw.end());
}

std::optional<std::vector<int16_t>> RawModbus::holdingRegisters(int pduAddress, int count)
{
    std::vector<uint16_t> raw(static_cast<size_t>(count));
    if (!context_ || modbus_read_registers(context_, pduAddress, count, raw.data()) != count)
        return std::nullopt;
    return std::vector<int16_t>(raw.begin(), raw.end());
}

std::optional<std::vector<uint8_t>> RawModbus::discreteInputs(int pduAddress, int count)
{
    std::vector<uint8_t> bits(static_cast<size_t>(count));
    if (!context_ || modbus_read_input_bits(context_, pduAddress, count, bits.data()) != count)
        return std::nullopt;
    return bits;
}

std::optional<std::vector<uint8_t>> RawModbus::coils(int pduAddress, int count)
{
    std::vector<uint8_t> bits(static_cast<size_t>(count));
    if (!context_ || modbus_read_bits(context_, pduAddress, count, bits.data()) != count)
        return std::nullopt;
    return bits;
}
