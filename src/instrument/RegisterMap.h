#pragma once

#include <array>

// The instrument's register map: every register, coil and discrete input
// the station, the probe and the simulator use, by its 1-based Modbus number
// as the instrument's manual writes it (on the wire every number is one
// lower), and which values the instrument keeps in tenths. Plain C++ so the
// simulator shares it.
namespace RegisterMap {

// Input registers (3X): what the instrument measures and decides.
inline constexpr int kProcessValue = 1;
inline constexpr int kOutput = 2;            // tenths of a percent
inline constexpr int kWorkingSetValue = 3;
inline constexpr int kColdJunction = 4;
inline constexpr int kDeviation = 5;
inline constexpr int kAlarmState1 = 6;       // 6..8: the alarm's type code while active, else 0
inline constexpr int kAlarms = 3;

// Holding registers (4X) the operator writes from the main window.
inline constexpr int kSetValue = 1;
inline constexpr int kManualOutput = 2;      // tenths of a percent

// Alarm set points: set value, hysteresis and delay (seconds) per alarm,
// three registers apart, in raw register units.
inline constexpr int kAlarmSetPointBase = 257;
inline constexpr int kAlarmSetPointStride = 3;
inline constexpr int kAlarmSetPoints = kAlarms * kAlarmSetPointStride;
constexpr int alarmSetPoint(int index) { return kAlarmSetPointBase + index; }  // index 0..8

// Configuration parameter n (1..37) lives in holding register 4096 + n.
inline constexpr int kParameterBase = 4096;
inline constexpr int kFirstParameter = 1;
inline constexpr int kLastParameter = 37;
constexpr int parameter(int n) { return kParameterBase + n; }

inline constexpr int kInputUpper = parameter(3);
inline constexpr int kInputLower = parameter(4);
inline constexpr int kOffset = parameter(5);
inline constexpr int kFilter = parameter(6);          // tenths of a second
inline constexpr int kAction = parameter(11);         // 0 heating (reverse), 1 cooling (direct)
inline constexpr int kProportionalBand = parameter(12);
inline constexpr int kIntegral = parameter(13);       // seconds
inline constexpr int kDerivative = parameter(14);     // seconds
inline constexpr int kOnOffHysteresis = parameter(16);
inline constexpr int kOutputHigh = parameter(17);     // tenths of a percent
inline constexpr int kOutputLow = parameter(18);      // tenths of a percent
inline constexpr int kFaultPreset = parameter(19);    // whole percent
inline constexpr int kFaultHandling = parameter(20);  // 0 preset, 1 hold
inline constexpr int kAlarmType1 = parameter(22);     // 22..24
inline constexpr int kCommAddress = parameter(25);
inline constexpr int kBaudCode = parameter(26);
inline constexpr int kParityCode = parameter(27);
inline constexpr int kDeadBand = parameter(33);      // heating/cooling dead band, tenths of a percent

// Coils (0X).
inline constexpr int kSelfTune = 1;
inline constexpr int kAutomatic = 2;         // off means manual
inline constexpr int kManualPermitted = 3;

// Discrete inputs (1X).
inline constexpr int kAlarmOutput1 = 1;      // 1..3
inline constexpr int kInputOpen = 5;
inline constexpr int kInputShort = 6;

// The blocks one poll cycle reads.
inline constexpr int kInputBlockStart = 1;
inline constexpr int kInputBlockSize = 8;
inline constexpr int kHoldingBlockStart = 1;
inline constexpr int kHoldingBlockSize = 8;
inline constexpr int kAlarmBlockStart = kAlarmSetPointBase;
inline constexpr int kAlarmBlockSize = 16;  // the nine set points and the registers after them
inline constexpr int kBitBlockStart = 1;
inline constexpr int kBitBlockSize = 16;    // discrete inputs and coils alike

// Values the instrument keeps in tenths; the station shows and takes them
// in whole units with one decimal.
constexpr bool inputInTenths(int inputRegister) { return inputRegister == kOutput; }
constexpr bool holdingInTenths(int holdingRegister) { return holdingRegister == kManualOutput; }
constexpr bool parameterInTenths(int n)
{
    return parameter(n) == kFilter || parameter(n) == kOutputHigh || parameter(n) == kOutputLow ||
           parameter(n) == kDeadBand;
}

} // namespace RegisterMap
