#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct _modbus;

// A plain libmodbus master that addresses the wire directly (PDU addresses,
// 0-based), to check what the station's link put on the line without
// going through the station's own code.
class RawModbus {
public:
    explicit RawModbus(const std::string& device, int slave = 1);
    ~RawModbus();

    RawModbus(const RawModbus&) = delete;
    RawModbus& operator=(const RawModbus&) = delete;

    bool connected() const { return context_ != nullptr; }
    std::optional<std::vector<int16_t>> inputRegisters(int pduAddress, int count);
    std::optional<std::vector<int16_t>> holdingRegisters(int pduAddress, int count);
    std::optional<std::vector<uint8_t>> discreteInputs(int pduAddress, int count);
    std::optional<std::vector<uint8_t>> coils(int pduAddress, int count);

private:
    _modbus* context_ = nullptr;
};
