#pragma once

#include <cstdint>
#include <vector>

namespace tqsim {

enum class Table { Coil, DiscreteInput, InputRegister, HoldingRegister };

// The four Modbus tables of the instrument, addressed by 1-based numbers.
// Registers are stored as the 16-bit words that go on the wire and read
// back as signed values. Numbers outside a table read 0 and ignore writes.
class RegisterImage {
public:
    static constexpr int kBits = 100;
    static constexpr int kInputRegisters = 100;
    static constexpr int kHoldingRegisters = 4200;

    RegisterImage();

    static int size(Table table);
    static bool contains(Table table, int number);
    static bool isBitTable(Table table);

    // Any table; bits read as 0 or 1.
    int value(Table table, int number) const;
    // Registers keep the low 16 bits (two's complement); bits keep value != 0.
    void setValue(Table table, int number, int value);

    int16_t input(int number) const { return static_cast<int16_t>(value(Table::InputRegister, number)); }
    int16_t holding(int number) const { return static_cast<int16_t>(value(Table::HoldingRegister, number)); }
    bool coil(int number) const { return value(Table::Coil, number) != 0; }
    bool discrete(int number) const { return value(Table::DiscreteInput, number) != 0; }
    void setInput(int number, int v) { setValue(Table::InputRegister, number, v); }
    void setHolding(int number, int v) { setValue(Table::HoldingRegister, number, v); }
    void setCoil(int number, bool on) { setValue(Table::Coil, number, on ? 1 : 0); }
    void setDiscrete(int number, bool on) { setValue(Table::DiscreteInput, number, on ? 1 : 0); }

    // Storage in wire order (index 0 is number 1), for the Modbus mapping.
    uint8_t* coilData() { return coils_.data(); }
    uint8_t* discreteData() { return discretes_.data(); }
    uint16_t* inputData() { return inputs_.data(); }
    uint16_t* holdingData() { return holdings_.data(); }

private:
    std::vector<uint8_t> coils_;
    std::vector<uint8_t> discretes_;
    std::vector<uint16_t> inputs_;
    std::vector<uint16_t> holdings_;
};

// A computed quantity as a register value: nearest whole number, limited
// to the signed 16-bit range.
int16_t toRegister(double value);

} // namespace tqsim
