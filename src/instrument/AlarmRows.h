#pragma once

#include <QString>

#include "instrument/RegisterMap.h"

// The nine alarm set points as the alarm set-point panel and a parameter
// set name them: for each of the instrument's three alarms its set value,
// action hysteresis and delay time, held in the alarm set-point registers
// in raw register units (never scaled).
namespace AlarmRows {

inline constexpr int kRows = RegisterMap::kAlarmSetPoints;

// "报警1设定值", "报警1动作回差", "报警1延迟时间", then alarms 2 and 3;
// empty outside 0..8.
QString caption(int row);
// The same caption in the interface language, for the operator to read;
// caption() is what files keep.
QString shownCaption(int row);
// The caption's source text in the context "AlarmRows", its %1 the alarm
// (row / 3 + 1); null outside 0..8.
const char* captionSource(int row);

constexpr int registerOf(int row) { return RegisterMap::alarmSetPoint(row); }

} // namespace AlarmRows
