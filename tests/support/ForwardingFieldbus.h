#pragma once

#include "link/Fieldbus.h"

// Hands every call to a fieldbus the test owns, so the test can inspect it
// after the link that used it is gone. A test's own instrument overrides the
// calls it changes.
class ForwardingFieldbus : public Fieldbus {
public:
    explicit ForwardingFieldbus(Fieldbus& target) : target_(target) {}

    FieldbusResult open(const LinkSettings& settings) override { return target_.open(settings); }
    void close() override { target_.close(); }
    FieldbusResult readRegisters(RegisterTable table, int start, std::span<int16_t> values) override
    {
        return target_.readRegisters(table, start, values);
    }
    FieldbusResult readBits(BitTable table, int start, std::span<bool> bits) override
    {
        return target_.readBits(table, start, bits);
    }
    FieldbusResult writeRegister(int registerNumber, int value) override
    {
        return target_.writeRegister(registerNumber, value);
    }
    FieldbusResult writeCoil(int coil, bool on) override { return target_.writeCoil(coil, on); }

private:
    Fieldbus& target_;
};
