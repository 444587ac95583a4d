#include "link/ModbusFieldbus.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

#include <sys/stat.h>

#include <modbus.h>

#include "link/LinkCodes.h"

namespace {

using std::chrono::duration_cast;
using std::chrono::microseconds;

void setTimeout(modbus_t* context, std::chrono::milliseconds timeout, bool response)
{
    const auto us = duration_cast<microseconds>(timeout).count();
    const auto seconds = static_cast<uint32_t>(us / 1000000);
    const auto rest = static_cast<uint32_t>(us % 1000000);
    if (response)
        modbus_set_response_timeout(context, seconds, rest);
    else
        modbus_set_byte_timeout(context, seconds, rest);
}

// Errors that mean the line delivered garbage or the instrument refused:
// the device itself is fine and stays open.
bool isProtocolError(int error)
{
    return error == ETIMEDOUT || error == EMBBADCRC || error == EMBBADDATA
           || error == EMBBADEXC || error == EMBMDATA || error == EMBBADSLAVE
           || (error > MODBUS_ENOBASE && error < MODBUS_ENOBASE + MODBUS_EXCEPTION_MAX);
}

// 1-based register numbers go on the wire one lower; the whole block must
// lie inside the 16-bit address space.
bool validBlock(int start, int count)
{
    return start >= 1 && start - 1 + count <= 65536;
}

} // namespace

ModbusFieldbus::ModbusFieldbus(PortDevices devices)
    : devices_(std::move(devices))
{
}

ModbusFieldbus::~ModbusFieldbus()
{
    disconnect();
}

int ModbusFieldbus::OpenPort_Modbus(int port, int baudCode, int parityCode)
{
    disconnect();
    wantOpen_ = false;
    const auto path = devices_.devicePath(port);
    if (!path) {
        lastError_ = "no serial device for port " + std::to_string(port);
        return kFailure;
    }
    if (!LinkCodes::baudRate(baudCode) || !LinkCodes::parityLetter(parityCode)) {
        lastError_ = "invalid baud or parity code";
        return kFailure;
    }
    wantOpen_ = true;
    port_ = port;
    baudCode_ = baudCode;
    parityCode_ = parityCode;
    devicePath_ = *path;
    return connect() ? 0 : kFailure;
}

int ModbusFieldbus::ClosePort_Modbus(int)
{
    disconnect();
    wantOpen_ = false;
    return 0;
}

bool ModbusFieldbus::connect()
{
    modbus_t* context = modbus_new_rtu(devicePath_.c_str(), *LinkCodes::baudRate(baudCode_),
                                       *LinkCodes::parityLetter(parityCode_), 8, 1);
    if (context == nullptr) {
        lastError_ = std::string("cannot use ") + devicePath_ + ": " + modbus_strerror(errno);
        return false;
    }
    if (modbus_connect(context) == -1) {
        lastError_ = std::string("cannot open ") + devicePath_ + ": " + modbus_strerror(errno);
        modbus_free(context);
        return false;
    }
    // Plain serial ports and pseudo-terminals refuse RS-485 mode (ENOTTY);
    // adapters that switch direction themselves need none.
    modbus_rtu_set_serial_mode(context, MODBUS_RTU_RS485);
    setTimeout(context, kResponseTimeout, true);
    setTimeout(context, kByteTimeout, false);
    modbus_flush(context);

    struct stat opened {};
    if (fstat(modbus_get_socket(context), &opened) == 0) {
        openedDevice_ = opened.st_rdev;
        openedInode_ = opened.st_ino;
    }
    context_ = context;
    return true;
}

void ModbusFieldbus::disconnect()
{
    if (context_ == nullptr)
        return;
    modbus_close(context_);
    modbus_free(context_);
    context_ = nullptr;
}

bool ModbusFieldbus::prepare(int port, int address)
{
    if (!wantOpen_ || port != port_) {
        lastError_ = "port " + std::to_string(port) + " is not open";
        return false;
    }
    if (address < 1 || address > 247) {
        lastError_ = "invalid module address " + std::to_string(address);
        return false;
    }
    if (context_ == nullptr && !connect())
        return false;
    modbus_set_slave(context_, address);
    return true;
}

bool ModbusFieldbus::deviceReplaced() const
{
    struct stat now {};
    if (stat(devicePath_.c_str(), &now) != 0)
        return true;
    return now.st_rdev != openedDevice_ || now.st_ino != openedInode_;
}

int ModbusFieldbus::fail(const char* what)
{
    const int error = errno;
    lastError_ = std::string(what) + ": " + modbus_strerror(error);
    if (isProtocolError(error) && !deviceReplaced()) {
        // Late or partial bytes would shift every later answer.
        modbus_flush(context_);
    } else {
        disconnect();
    }
    return kFailure;
}

int ModbusFieldbus::readRegisters(Table table, int port, int address, int start,
                                  std::span<int32_t> buffer)
{
    const int count = static_cast<int>(buffer.size());
    if (!validBlock(start, count)) {
        lastError_ = "register block out of range";
        return kFailure;
    }
    if (!prepare(port, address))
        return kFailure;
    uint16_t raw[16] = {};
    const int rc = table == Table::InputRegisters
                       ? modbus_read_input_registers(context_, start - 1, count, raw)
                       : modbus_read_registers(context_, start - 1, count, raw);
    if (rc != count)
        return fail(table == Table::InputRegisters ? "reading input registers"
                                                   : "reading holding registers");
    for (int i = 0; i < count; ++i)
        buffer[static_cast<size_t>(i)] = static_cast<int16_t>(raw[i]);  // registers are signed
    return 0;
}

int ModbusFieldbus::readBits(bool coils, int port, int address, int start,
                             std::span<int32_t, 2> buffer)
{
    if (!validBlock(start, 16)) {
        lastError_ = "bit block out of range";
        return kFailure;
    }
    if (!prepare(port, address))
        return kFailure;
    uint8_t bits[16] = {};
    const int rc = coils ? modbus_read_bits(context_, start - 1, 16, bits)
                         : modbus_read_input_bits(context_, start - 1, 16, bits);
    if (rc != 16)
        return fail(coils ? "reading coils" : "reading discrete inputs");
    for (int byte = 0; byte < 2; ++byte)
        buffer[static_cast<size_t>(byte)] = modbus_get_byte_from_bits(bits, byte * 8, 8);
    return 0;
}

int ModbusFieldbus::Get_3X_D8(int port, int address, int start, std::span<int32_t, 8> buffer)
{
    return readRegisters(Table::InputRegisters, port, address, start, buffer);
}

int ModbusFieldbus::Get_4X_D8(int port, int address, int start, std::span<int32_t, 8> buffer)
{
    return readRegisters(Table::HoldingRegisters, port, address, start, buffer);
}

int ModbusFieldbus::Get_4X_D16(int port, int address, int start, std::span<int32_t, 16> buffer)
{
    return readRegisters(Table::HoldingRegisters, port, address, start, buffer);
}

int ModbusFieldbus::Get_1X_B16(int port, int address, int start, std::span<int32_t, 2> buffer)
{
    return readBits(false, port, address, start, buffer);
}

int ModbusFieldbus::Get_0X_B16(int port, int address, int start, std::span<int32_t, 2> buffer)
{
    return readBits(true, port, address, start, buffer);
}

int ModbusFieldbus::Set_4X_D1(int port, int address, int registerAddress, int value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
        lastError_ = "value " + std::to_string(value) + " does not fit a register";
        return kFailure;
    }
    if (!validBlock(registerAddress, 1)) {
        lastError_ = "register address out of range";
        return kFailure;
    }
    if (!prepare(port, address))
        return kFailure;
    if (modbus_write_register(context_, registerAddress - 1, static_cast<uint16_t>(value)) != 1)
        return fail("writing holding register");
    return 0;
}

int ModbusFieldbus::writeCoil(int port, int address, int coil, bool on)
{
    if (!validBlock(coil, 1)) {
        lastError_ = "coil address out of range";
        return kFailure;
    }
    if (!prepare(port, address))
        return kFailure;
    if (modbus_write_bit(context_, coil - 1, on ? 1 : 0) != 1)
        return fail("writing coil");
    return 0;
}

int ModbusFieldbus::Set_0X_Bit1(int port, int address, int coil)
{
    return writeCoil(port, address, coil, true);
}

int ModbusFieldbus::Rst_0X_Bit1(int port, int address, int coil)
{
    return writeCoil(port, address, coil, false);
}
