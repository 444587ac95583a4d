#include "support/SimMaster.h"

#include <cerrno>

#include <modbus.h>

SimMaster::SimMaster(const std::string& device, int slave, int baud, char parity)
{
    modbus_t* context = modbus_new_rtu(device.c_str(), baud, parity, 8, 1);
    if (context == nullptr || modbus_connect(context) == -1) {
        error_ = errno;
        if (context != nullptr)
            modbus_free(context);
        return;
    }
    modbus_set_slave(context, slave);
    modbus_set_response_timeout(context, 0, 300000);
    modbus_flush(context);
    context_ = context;
}

SimMaster::~SimMaster()
{
    if (context_ == nullptr)
        return;
    modbus_close(context_);
    modbus_free(context_);
}

void SimMaster::setSlave(int slave)
{
    modbus_set_slave(context_, slave);
}

std::string SimMaster::why() const
{
    return modbus_strerror(error_);
}

int SimMaster::fd() const
{
    return modbus_get_socket(context_);
}

bool SimMaster::check(int rc)
{
    error_ = rc == -1 ? errno : 0;
    if (rc == -1)
        modbus_flush(context_); // late or stale bytes would shift every later answer
    return rc != -1;
}

std::optional<SimMaster::Values> SimMaster::read(Table table, int first, int count)
{
    std::vector<uint16_t> words(static_cast<size_t>(count));
    std::vector<uint8_t> bits(static_cast<size_t>(count));
    int rc = -1;
    switch (table) {
    case Table::Coils:
        rc = modbus_read_bits(context_, first - 1, count, bits.data());
        break;
    case Table::DiscreteInputs:
        rc = modbus_read_input_bits(context_, first - 1, count, bits.data());
        break;
    case Table::InputRegisters:
        rc = modbus_read_input_registers(context_, first - 1, count, words.data());
        break;
    case Table::HoldingRegisters:
        rc = modbus_read_registers(context_, first - 1, count, words.data());
        break;
    }
    if (!check(rc))
        return std::nullopt;
    Values values;
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<size_t>(i);
        const bool bitTable = table == Table::Coils || table == Table::DiscreteInputs;
        values.push_back(bitTable ? bits[k] : static_cast<int16_t>(words[k]));
    }
    return values;
}

bool SimMaster::writeHoldings(int first, const Values& values)
{
    const std::vector<uint16_t> words(values.begin(), values.end());
    if (words.size() == 1)
        return check(modbus_write_register(context_, first - 1, words[0]));
    return check(modbus_write_registers(context_, first - 1, static_cast<int>(words.size()), words.data()));
}

bool SimMaster::writeCoils(int first, const Values& values)
{
    const std::vector<uint8_t> bits(values.begin(), values.end());
    if (bits.size() == 1)
        return check(modbus_write_bit(context_, first - 1, bits[0]));
    return check(modbus_write_bits(context_, first - 1, static_cast<int>(bits.size()), bits.data()));
}
