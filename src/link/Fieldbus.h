#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "link/LinkFailure.h"
#include "link/LinkSettings.h"

enum class RegisterTable { Input, Holding };
enum class BitTable { DiscreteInputs, Coils };

// What one fieldbus call came to: success, or failure with its kind, known
// where it happened, and the reason in the link's own English for logs.
struct FieldbusResult {
    bool ok = true;
    LinkFailure failure;
    std::string reason;

    static FieldbusResult success() { return {}; }
    static FieldbusResult failed(LinkFailure::Kind kind, std::string reason, int number = 0)
    {
        return {false, LinkFailure{kind, number, false}, std::move(reason)};
    }
};

// The call interface the station uses to reach the instrument over the one
// open link. Addresses are the 1-based Modbus numbers of the register
// tables. Each call returns promptly (bounded by a few response time-outs:
// waiting for a quiet line, resynchronising, the request itself), never
// blocks indefinitely. Reads leave their buffer untouched when they
// fail, so a caller can keep its last good values.
class Fieldbus {
public:
    virtual ~Fieldbus() = default;

    // Opens the port and addresses every later call to the module.
    virtual FieldbusResult open(const LinkSettings& settings) = 0;
    virtual void close() = 0;

    // Registers start..start+n-1 into values[0..n-1], signed; n is the
    // buffer's size.
    virtual FieldbusResult readRegisters(RegisterTable table, int start, std::span<int16_t> values) = 0;
    virtual FieldbusResult readBits(BitTable table, int start, std::span<bool> bits) = 0;

    // One holding register. A value outside the signed 16-bit range is never
    // sent (it would arrive truncated).
    virtual FieldbusResult writeRegister(int registerNumber, int value) = 0;
    virtual FieldbusResult writeCoil(int coil, bool on) = 0;
};
