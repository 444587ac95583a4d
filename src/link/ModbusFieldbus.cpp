#include "link/ModbusFieldbus.h"

#include <cerrno>
#include <cstring>
#include <limits>

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
bool validBlock(int start, size_t count)
{
    return start >= 1 && start - 1 + static_cast<long>(count) <= 65536;
}

// The most one request may carry: a whole poll block fits.
constexpr size_t kMaxBlock = 125;

} // namespace

ModbusFieldbus::ModbusFieldbus(PortDevices devices)
    : devices_(std::move(devices))
{
}

ModbusFieldbus::~ModbusFieldbus()
{
    disconnect();
}

FieldbusResult ModbusFieldbus::open(const LinkSettings& settings)
{
    disconnect();
    wantOpen_ = false;
    const auto path = devices_.devicePath(settings.port);
    if (!path)
        return FieldbusResult::failure("no serial device for port " + std::to_string(settings.port));
    if (!LinkCodes::baudRate(settings.baudCode) || !LinkCodes::parityLetter(settings.parityCode))
        return FieldbusResult::failure("invalid baud or parity code");
    wantOpen_ = true;
    settings_ = settings;
    devicePath_ = *path;
    return connect();
}

void ModbusFieldbus::close()
{
    disconnect();
    wantOpen_ = false;
}

FieldbusResult ModbusFieldbus::connect()
{
    modbus_t* context = modbus_new_rtu(devicePath_.c_str(), *LinkCodes::baudRate(settings_.baudCode),
                                       *LinkCodes::parityLetter(settings_.parityCode), 8, 1);
    if (context == nullptr)
        return FieldbusResult::failure("cannot use " + devicePath_ + ": " + modbus_strerror(errno));
    if (modbus_connect(context) == -1) {
        FieldbusResult failed = FieldbusResult::failure("cannot open " + devicePath_ + ": " + modbus_strerror(errno));
        modbus_free(context);
        return failed;
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
    return FieldbusResult::success();
}

void ModbusFieldbus::disconnect()
{
    if (context_ == nullptr)
        return;
    modbus_close(context_);
    modbus_free(context_);
    context_ = nullptr;
}

FieldbusResult ModbusFieldbus::prepare()
{
    if (!wantOpen_)
        return FieldbusResult::failure("port " + std::to_string(settings_.port) + " is not open");
    const int address = settings_.moduleAddress;
    if (address < 1 || address > 247)
        return FieldbusResult::failure("invalid module address " + std::to_string(address));
    if (context_ == nullptr) {
        if (FieldbusResult connected = connect(); !connected.ok)
            return connected;
    }
    modbus_set_slave(context_, address);
    return FieldbusResult::success();
}

bool ModbusFieldbus::deviceReplaced() const
{
    struct stat now {};
    if (stat(devicePath_.c_str(), &now) != 0)
        return true;
    return now.st_rdev != openedDevice_ || now.st_ino != openedInode_;
}

FieldbusResult ModbusFieldbus::fail(const char* what)
{
    const int error = errno;
    FieldbusResult failed = FieldbusResult::failure(std::string(what) + ": " + modbus_strerror(error));
    if (isProtocolError(error) && !deviceReplaced()) {
        // Late or partial bytes would shift every later answer.
        modbus_flush(context_);
    } else {
        disconnect();
    }
    return failed;
}

FieldbusResult ModbusFieldbus::readRegisters(RegisterTable table, int start, std::span<int16_t> values)
{
    if (!validBlock(start, values.size()) || values.size() > kMaxBlock)
        return FieldbusResult::failure("register block out of range");
    if (FieldbusResult prepared = prepare(); !prepared.ok)
        return prepared;
    const int count = static_cast<int>(values.size());
    uint16_t raw[kMaxBlock] = {};
    const int rc = table == RegisterTable::Input ? modbus_read_input_registers(context_, start - 1, count, raw)
                                                 : modbus_read_registers(context_, start - 1, count, raw);
    if (rc != count)
        return fail(table == RegisterTable::Input ? "reading input registers" : "reading holding registers");
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<int16_t>(raw[i]);  // registers are signed
    return FieldbusResult::success();
}

FieldbusResult ModbusFieldbus::readBits(BitTable table, int start, std::span<bool> bits)
{
    if (!validBlock(start, bits.size()) || bits.size() > kMaxBlock)
        return FieldbusResult::failure("bit block out of range");
    if (FieldbusResult prepared = prepare(); !prepared.ok)
        return prepared;
    const int count = static_cast<int>(bits.size());
    uint8_t raw[kMaxBlock] = {};
    const bool coils = table == BitTable::Coils;
    const int rc = coils ? modbus_read_bits(context_, start - 1, count, raw)
                         : modbus_read_input_bits(context_, start - 1, count, raw);
    if (rc != count)
        return fail(coils ? "reading coils" : "reading discrete inputs");
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = raw[i] != 0;
    return FieldbusResult::success();
}

FieldbusResult ModbusFieldbus::writeRegister(int registerNumber, int value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return FieldbusResult::failure("value " + std::to_string(value) + " does not fit a register");
    if (!validBlock(registerNumber, 1))
        return FieldbusResult::failure("register address out of range");
    if (FieldbusResult prepared = prepare(); !prepared.ok)
        return prepared;
    if (modbus_write_register(context_, registerNumber - 1, static_cast<uint16_t>(value)) != 1)
        return fail("writing holding register");
    return FieldbusResult::success();
}

FieldbusResult ModbusFieldbus::writeCoil(int coil, bool on)
{
    if (!validBlock(coil, 1))
        return FieldbusResult::failure("coil address out of range");
    if (FieldbusResult prepared = prepare(); !prepared.ok)
        return prepared;
    if (modbus_write_bit(context_, coil - 1, on ? 1 : 0) != 1)
        return fail("writing coil");
    return FieldbusResult::success();
}
