#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <sys/types.h>

#include "link/Fieldbus.h"
#include "link/LineDiscipline.h"
#include "link/PortDevices.h"
#include "link/ReadShape.h"

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
// An answer names no register, so a late, repeated or spoiled answer could
// pass for the next request's if both had the same shape; no two reads the
// station makes around the same time have (ReadShape). Every exchange keeps
// the line's silences (LineDiscipline) and takes only an answer of its
// request's exact shape (ReplyCheck). After any failed exchange the link
// is out of step: the next call first sends a probe whose answer no other
// request of the station has (a read of a register count no other read
// asks) and makes its own request only once the probe is answered;
// otherwise it fails with the probe's reason. The probe's data is never used. Consecutive episodes
// alternate between two probe sizes, so a probe answer still in flight from
// an earlier episode (one that ordinary requests followed) is never taken.
//
// Not thread-safe: it lives on the link thread and nowhere else.
class ModbusFieldbus final : public Fieldbus {
public:
    static constexpr std::chrono::milliseconds kResponseTimeout{250};
    static constexpr std::chrono::milliseconds kByteTimeout{50};
    // How long the line must be quiet before a probe and before the first
    // request after it: long enough for repeats of old answers to land.
    static constexpr std::chrono::milliseconds kResyncQuiet{40};
    // Register counts of the probe reads: answers of 11 and 15 bytes, a
    // shape no poll read and no read-back has (PollPlan.h checks it), and
    // no write echo's length (8).
    static constexpr std::array<int, 2> kProbeCounts = ReadShapes::kProbeCounts;

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
    // A request (address, function, data) and its answer (the same,
    // without the CRC), resynchronising first if the link is out of step.
    FieldbusResult call(const char* what, std::span<const uint8_t> request, std::span<uint8_t> answer);
    FieldbusResult exchange(const char* what, std::span<const uint8_t> request, std::span<uint8_t> answer);
    FieldbusResult resynchronise();
    std::array<uint8_t, 6> request(int function, int address, int value) const;
    // After a failed exchange the link is out of step. The context stays
    // for protocol errors and goes when the device itself failed or was
    // replaced.
    FieldbusResult fail(const char* what, int error);
    FieldbusResult outOfStep(const char* what, FieldbusResult why);
    bool deviceReplaced() const;

    PortDevices devices_;
    _modbus* context_ = nullptr;
    std::optional<LineDiscipline> line_;
    bool outOfStep_ = false;
    bool justResynchronised_ = false;
    int episode_ = 0;  // chooses the probe size

    bool wantOpen_ = false;
    LinkSettings settings_;
    std::string devicePath_;
    dev_t openedDevice_ = 0;
    ino_t openedInode_ = 0;
};
