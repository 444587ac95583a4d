#pragma once

#include <QString>

// The nine rows of the alarm set-point panel: for each of the instrument's
// three alarms its set value, action hysteresis and delay time, held in
// holding registers 257..265 in raw register units (never scaled).
namespace AlarmRows {

inline constexpr int kRows = 9;
inline constexpr int kFirstRegister = 257;

// "报警1设定值", "报警1动作回差", "报警1延迟时间", then alarms 2 and 3;
// empty outside 0..8.
QString caption(int row);

constexpr int registerOf(int row) { return kFirstRegister + row; }

} // namespace AlarmRows
