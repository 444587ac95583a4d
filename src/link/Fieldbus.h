#pragma once

#include <cstdint>
#include <span>
#include <string>

// The call interface the station uses to reach the instrument. Addresses are
// the 1-based Modbus numbers of the register tables; port and module address
// come first in every call but the port calls. Each call returns promptly
// (bounded by the response time-out), never blocks indefinitely.
//
// Results: 0 for success, kFailure for any failure. Reads leave the buffer
// untouched when they fail, so a caller can keep its last good values.
class Fieldbus {
public:
    static constexpr int kFailure = -8888;

    virtual ~Fieldbus() = default;

    virtual int OpenPort_Modbus(int port, int baudCode, int parityCode) = 0;
    virtual int ClosePort_Modbus(int port) = 0;

    // Eight or sixteen registers start..start+n-1 into elements 0..n-1, signed.
    virtual int Get_3X_D8(int port, int address, int start, std::span<int32_t, 8> buffer) = 0;
    virtual int Get_4X_D8(int port, int address, int start, std::span<int32_t, 8> buffer) = 0;
    virtual int Get_4X_D16(int port, int address, int start, std::span<int32_t, 16> buffer) = 0;

    // Sixteen bits as two byte values: element 0 holds bits start..start+7
    // with bit start in its lowest bit, element 1 the next eight.
    virtual int Get_1X_B16(int port, int address, int start, std::span<int32_t, 2> buffer) = 0;
    virtual int Get_0X_B16(int port, int address, int start, std::span<int32_t, 2> buffer) = 0;

    // One holding register. A value outside the signed 16-bit range is never
    // sent (it would arrive truncated): kFailure.
    virtual int Set_4X_D1(int port, int address, int registerAddress, int value) = 0;

    virtual int Set_0X_Bit1(int port, int address, int coil) = 0;
    virtual int Rst_0X_Bit1(int port, int address, int coil) = 0;

    // Why the last failing call failed, in a few words, for the status display.
    virtual std::string lastError() const = 0;
};
