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
// Once a port is opened the link keeps it open by itself: when the device
// goes away (adapter unplugged, node replaced, far end of a pseudo-terminal
// closed) the context is dropped and the next call reconnects, so polling
// resumes without the operator as soon as the instrument answers again.
// Only ClosePort_Modbus ends that.
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

    int OpenPort_Modbus(int port, int baudCode, int parityCode) override;
    int ClosePort_Modbus(int port) override;
    int Get_3X_D8(int port, int address, int start, std::span<int32_t, 8> buffer) override;
    int Get_4X_D8(int port, int address, int start, std::span<int32_t, 8> buffer) override;
    int Get_4X_D16(int port, int address, int start, std::span<int32_t, 16> buffer) override;
    int Get_1X_B16(int port, int address, int start, std::span<int32_t, 2> buffer) override;
    int Get_0X_B16(int port, int address, int start, std::span<int32_t, 2> buffer) override;
    int Set_4X_D1(int port, int address, int registerAddress, int value) override;
    int Set_0X_Bit1(int port, int address, int coil) override;
    int Rst_0X_Bit1(int port, int address, int coil) override;
    std::string lastError() const override { return lastError_; }

private:
    enum class Table { InputRegisters, HoldingRegisters };

    int readRegisters(Table table, int port, int address, int start, std::span<int32_t> buffer);
    int readBits(bool coils, int port, int address, int start, std::span<int32_t, 2> buffer);
    int writeCoil(int port, int address, int coil, bool on);

    // Connects if the port is wanted open and no context exists; selects the
    // slave. False (with lastError_ set) when the call cannot be made.
    bool prepare(int port, int address);
    bool connect();
    void disconnect();
    // After a failed exchange: keep the context for protocol errors, drop
    // it when the device itself failed or was replaced.
    int fail(const char* what);
    bool deviceReplaced() const;

    PortDevices devices_;
    _modbus* context_ = nullptr;

    bool wantOpen_ = false;
    int port_ = 0;
    int baudCode_ = 1;
    int parityCode_ = 0;
    std::string devicePath_;
    dev_t openedDevice_ = 0;
    ino_t openedInode_ = 0;

    std::string lastError_;
};
