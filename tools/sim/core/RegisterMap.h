#pragma once

// The instrument's register numbers, 1-based as the station writes them.
// On the wire every number is one lower.
namespace tqsim::reg {

// Input registers (3X): what the instrument measures and decides.
inline constexpr int kPv = 1;
inline constexpr int kOutput = 2;            // tenths of a percent
inline constexpr int kWorkingSv = 3;
inline constexpr int kColdJunction = 4;
inline constexpr int kDeviation = 5;
inline constexpr int kAlarmState1 = 6;       // 6..8: type code while active, else 0

// Holding registers (4X) written by the operator.
inline constexpr int kSetValue = 1;
inline constexpr int kManualOutput = 2;      // tenths of a percent

// Alarm registers: set value, hysteresis, delay (s) per alarm, three apart.
inline constexpr int kAlarmBase = 257;
inline constexpr int kAlarmStride = 3;

// Configuration parameter n lives in holding register 4096 + n.
inline constexpr int kParamBase = 4096;
constexpr int param(int n) { return kParamBase + n; }

inline constexpr int kInputUpper = param(3);
inline constexpr int kInputLower = param(4);
inline constexpr int kOffset = param(5);
inline constexpr int kFilter = param(6);          // tenths of a second
inline constexpr int kAction = param(11);         // 0 heating (reverse), 1 cooling (direct)
inline constexpr int kProportionalBand = param(12);
inline constexpr int kIntegral = param(13);       // seconds
inline constexpr int kDerivative = param(14);     // seconds
inline constexpr int kOnOffHysteresis = param(16);
inline constexpr int kOutputHigh = param(17);     // tenths of a percent
inline constexpr int kOutputLow = param(18);      // tenths of a percent
inline constexpr int kFaultPreset = param(19);    // whole percent
inline constexpr int kFaultHandling = param(20);  // 0 preset, 1 hold
inline constexpr int kAlarmType1 = param(22);     // 22..24
inline constexpr int kCommAddress = param(25);
inline constexpr int kBaudCode = param(26);
inline constexpr int kParityCode = param(27);

// Coils (0X).
inline constexpr int kSelfTune = 1;
inline constexpr int kAutomatic = 2;         // off means manual
inline constexpr int kManualPermitted = 3;

// Discrete inputs (1X).
inline constexpr int kAlarmOutput1 = 1;      // 1..3
inline constexpr int kInputOpen = 5;
inline constexpr int kInputShort = 6;

} // namespace tqsim::reg
