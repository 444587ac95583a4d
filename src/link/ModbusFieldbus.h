#pragma once

#include <chrono>
#include <string>

#include <sys/types.h>

#include "link/Fieldbus.h"
#include "link/PortDevices.h"

struct _modbus;

// The fieldbus over libmodbus RTU on a serial device: 8 data bits, one stop
// bit, RS-485 mode where the device driver offers it.
//
// Once opened the link keeps its port open by itself: when the device goes
// away (adapter unplugged, node replaced, far end of a pseudo-terminal
// closed) the context is dropped and the next call reconnects, so polling
// resumes without the operator as soon as the instrument answers again.
// Only close() ends that.
//
// Not thread-safe: it lives on the link thread and nowhere else.
class ModbusFieldbus final : public Fieldbus {
public:
    static constexpr std::chrono::milliseconds kResponseTimeout{250};
    static constexpr std::chrono::milliseconds kByteTimeout{50};

    explicit ModbusFieldbus(PortDevices devices);
    ~ModbusFieldbus() override;

    ModbusFieldbus(const ModbusFieldbus&) = delete;
    ModbusFieldbus& operator=(const ModbusFieldbus&) = delete;

    FieldbusResult open(const LinkSettings& settings) override;
    void close() override;
    FieldbusResult readRegisters(RegisterTable table, int start, std::span<int16_t> values) override;
    FieldbusResult readBits(BitTable table, int start, std::span<bool> bits) override;
    FieldbusResult writeRegister(int registerNumber, int value) override;
    FieldbusResult writeCoil(int coil, bool on) override;

private:
    // Connects if the port is wanted open and no context exists; selects the
    // module. The failure when the call cannot be made.
    FieldbusResult prepare();
    FieldbusResult connect();
    void disconnect();
    // After a failed exchange: keep the context for protocol errors, drop
    // it when the device itself failed or was replaced.
    FieldbusResult fail(const char* what);
    bool deviceReplaced() const;

    PortDevices devices_;
    _modbus* context_ = nullptr;

    bool wantOpen_ = false;
    LinkSettings settings_;
    std::string devicePath_;
    dev_t openedDevice_ = 0;
    ino_t openedInode_ = 0;
};
