#pragma once

#include <QString>

// Captions beside the panel's parameter fields: Parm1(i) shows
// paramValues(i + 1), the instrument's parameter 4096 + i + 1; Alm1(i)
// shows alarm register 257 + i.
namespace PanelCaptions {

inline constexpr int kParameterFields = 34;  // Parm1(0..33)
inline constexpr int kAlarmFields = 9;       // Alm1(0..8)

// Empty outside 0..33.
QString parameterCaption(int index);
// Empty outside 0..8.
QString alarmParameterCaption(int index);

} // namespace PanelCaptions
